#include "config/IniFile.h"
#include "globals/Errors.h"

#include <QStringEncoder>
#include <QtTest>
#include <sys/stat.h>

namespace {
QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray Utf16WithBom(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return bytes;
}
}  // namespace

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path() const { return m_dir.filePath(QStringLiteral("config.ini")); }

private slots:
    void init() { QFile::remove(Path()); }

    void readString_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("names in any case") << QByteArray("[auto]\nvalid = 0\n") << "AUTO"
                                           << "VALID"
                                           << "0";
        QTest::newRow("Cyrillic names in any case") << QByteArray("[Раздел]\nКлюч=да\n") << "РАЗДЕЛ"
                                                    << "ключ"
                                                    << "да";
        QTest::newRow("after the first equals sign") << QByteArray("[A]\nk=a=b\n") << "A"
                                                     << "k"
                                                     << "a=b";
        QTest::newRow("blanks trimmed") << QByteArray("[A]\n\t k \t=  two words \t\n") << "A"
                                        << "k"
                                        << "two words";
        QTest::newRow("double quotes removed") << QByteArray("[A]\nk=\"  x  \"\n") << "A"
                                               << "k"
                                               << "  x  ";
        QTest::newRow("single quotes removed") << QByteArray("[A]\nk='x'\n") << "A"
                                               << "k"
                                               << "x";
        QTest::newRow("unmatched quotes kept") << QByteArray("[A]\nk=\"x'\n") << "A"
                                               << "k"
                                               << "\"x'";
        QTest::newRow("one quote kept") << QByteArray("[A]\nk=\"\n") << "A"
                                        << "k"
                                        << "\"";
        QTest::newRow("inner quotes kept") << QByteArray("[A]\nk=a \"b\" c\n") << "A"
                                           << "k"
                                           << "a \"b\" c";
        QTest::newRow("empty value is not the default") << QByteArray("[A]\nk=\n") << "A"
                                                        << "k"
                                                        << "";
        QTest::newRow("missing key") << QByteArray("[A]\nj=1\n") << "A"
                                     << "k"
                                     << "<default>";
        QTest::newRow("key of another section") << QByteArray("[A]\nj=1\n[B]\nk=2\n") << "A"
                                                << "k"
                                                << "<default>";
        QTest::newRow("key before any section") << QByteArray("k=1\n[A]\n") << "A"
                                                << "k"
                                                << "<default>";
        QTest::newRow("missing section") << QByteArray("[B]\nk=1\n") << "A"
                                         << "k"
                                         << "<default>";
        QTest::newRow("first of two keys") << QByteArray("[A]\nk=1\nK=2\n") << "A"
                                           << "k"
                                           << "1";
        QTest::newRow("first of two sections") << QByteArray("[A]\nk=1\n[a]\nk=2\n") << "A"
                                               << "k"
                                               << "1";
        QTest::newRow("CR LF lines") << QByteArray("[A]\r\nk=v\r\n") << "A"
                                     << "k"
                                     << "v";
        QTest::newRow("no line break at the end") << QByteArray("[A]\nk=v") << "A"
                                                  << "k"
                                                  << "v";
        QTest::newRow("blanks around the section") << QByteArray("  [ A ]  \nk=v\n") << "A"
                                                   << "k"
                                                   << "v";
    }

    void readString()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        WriteBytes(Path(), file);
        QCOMPARE(TIniFile(Path()).ReadString(section, key, QStringLiteral("<default>")), expected);
    }

    void readMissingFileGivesDefaults()
    {
        const TIniFile ini(m_dir.filePath(QStringLiteral("none.ini")));
        QCOMPARE(ini.ReadString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
        QCOMPARE(ini.ReadInteger(QStringLiteral("A"), QStringLiteral("k"), 900), 900);
        QVERIFY(ini.ReadBool(QStringLiteral("A"), QStringLiteral("k"), true));
        QVERIFY(ini.ReadSection(QStringLiteral("A")).isEmpty());
    }

    void longValueIsCut()
    {
        const QString value(3000, u'ж');
        WriteBytes(Path(), "[A]\nk=" + value.toUtf8() + "\n");
        QCOMPARE(TIniFile(Path()).ReadString(QStringLiteral("A"), QStringLiteral("k"), QString()), value.left(2047));
    }

    void integers_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("expected");  // default 77
        QTest::newRow("decimal") << "12" << 12;
        QTest::newRow("negative") << "-5" << -5;
        QTest::newRow("plus") << "+7" << 7;
        QTest::newRow("0x") << "0x1F" << 31;
        QTest::newRow("0X") << "0X1f" << 31;
        QTest::newRow("dollar") << "$ff" << 255;
        QTest::newRow("0x0") << "0x0" << 0;
        QTest::newRow("trimmed") << "  0x2 " << 2;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL);
        QTest::newRow("hex wraps to negative") << "0xFFFFFFFF" << -1;
        QTest::newRow("too large") << "2147483648" << 77;
        QTest::newRow("hex too large") << "0x100000000" << 77;
        QTest::newRow("word") << "yes" << 77;
        QTest::newRow("true") << "true" << 77;
        QTest::newRow("empty") << "" << 77;
        QTest::newRow("prefix only") << "0x" << 77;
        QTest::newRow("dollar only") << "$" << 77;
        QTest::newRow("trailing letters") << "12abc" << 77;
        QTest::newRow("inner blank") << "1 2" << 77;
        QTest::newRow("fraction") << "1.5" << 77;
    }

    void integers()
    {
        QFETCH(QString, value);
        QFETCH(int, expected);
        WriteBytes(Path(), "[A]\nk=" + value.toUtf8() + "\n");
        QCOMPARE(TIniFile(Path()).ReadInteger(QStringLiteral("A"), QStringLiteral("k"), 77), expected);
    }

    void booleans_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("yes reads as the default true") << "yes" << true << true;
        QTest::newRow("true reads as the default false") << "true" << false << false;
        QTest::newRow("2 is true") << "2" << false << true;
        QTest::newRow("-1 is true") << "-1" << false << true;
        QTest::newRow("0x0 is false") << "0x0" << true << false;
        QTest::newRow("0 is false") << "0" << true << false;
    }

    void booleans()
    {
        QFETCH(QString, value);
        QFETCH(bool, defaultValue);
        QFETCH(bool, expected);
        WriteBytes(Path(), "[A]\nk=" + value.toUtf8() + "\n");
        QCOMPARE(TIniFile(Path()).ReadBool(QStringLiteral("A"), QStringLiteral("k"), defaultValue), expected);
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << "AUTO"
                                  << "Valid"
                                  << "1" << QByteArray("[AUTO]\nValid=1\n");
        QTest::newRow("in place, other lines untouched")
            << QByteArray("; note\n[auto]\nA=1\n  valid = 0 \nB=2\n\n[FORM]\nValid=3\n") << "AUTO"
            << "Valid"
            << "1" << QByteArray("; note\n[auto]\nA=1\n  valid=1 \nB=2\n\n[FORM]\nValid=3\n");
        QTest::newRow("appended to its section") << QByteArray("[AUTO]\nA=1\n\n[FORM]\nW=3\n") << "AUTO"
                                                 << "B"
                                                 << "2" << QByteArray("[AUTO]\nA=1\nB=2\n\n[FORM]\nW=3\n");
        QTest::newRow("appended to an empty section") << QByteArray("[AUTO]\n[FORM]\nW=3\n") << "AUTO"
                                                      << "B"
                                                      << "2" << QByteArray("[AUTO]\nB=2\n[FORM]\nW=3\n");
        QTest::newRow("section appended") << QByteArray("[FORM]\nW=3") << "USER"
                                          << "Column_2"
                                          << "380" << QByteArray("[FORM]\nW=3\n[USER]\nColumn_2=380\n");
        QTest::newRow("key after a last line without break") << QByteArray("[AUTO]\nA=1") << "AUTO"
                                                             << "B"
                                                             << "2" << QByteArray("[AUTO]\nA=1\nB=2\n");
        QTest::newRow("CR LF kept in place") << QByteArray("[AUTO]\r\nA=1\r\nB=2\r\n") << "AUTO"
                                             << "A"
                                             << "5" << QByteArray("[AUTO]\r\nA=5\r\nB=2\r\n");
        QTest::newRow("CR LF for new lines") << QByteArray("[AUTO]\r\nA=1\r\n") << "AUTO"
                                             << "B"
                                             << "2" << QByteArray("[AUTO]\r\nA=1\r\nB=2\r\n");
        QTest::newRow("value stored as it is") << QByteArray() << "AUTO"
                                               << "EndDir"
                                               << " /home/ю/end/ " << QByteArray("[AUTO]\nEndDir= /home/ю/end/ \n");
        QTest::newRow("line breaks of a value folded") << QByteArray() << "A"
                                                       << "k"
                                                       << "a\nb\r\n[B]" << QByteArray("[A]\nk=a b  [B]\n");
        QTest::newRow("only the first section") << QByteArray("[A]\nx=1\n[B]\n[a]\nk=1\n") << "A"
                                                << "k"
                                                << "2" << QByteArray("[A]\nx=1\nk=2\n[B]\n[a]\nk=1\n");
    }

    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        if (!before.isNull())
            WriteBytes(Path(), before);
        TIniFile(Path()).WriteString(section, key, value);
        QCOMPARE(ReadBytes(Path()), after);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("config.ini")});
    }

    void valuesReadBackAsWritten()
    {
        const TIniFile ini(Path());
        ini.WriteString(QStringLiteral("AUTO"), QStringLiteral("NamePattern"),
                        QStringLiteral("Фамилия Имя - Название "));
        ini.WriteString(QStringLiteral("AUTO"), QStringLiteral("Quoted"), QStringLiteral("\"Серия\""));
        ini.WriteInteger(QStringLiteral("FORM"), QStringLiteral("Left"), -240);
        ini.WriteBool(QStringLiteral("AUTO"), QStringLiteral("Valid"), false);
        QCOMPARE(ini.ReadString(QStringLiteral("auto"), QStringLiteral("namepattern"), QString()),
                 QStringLiteral("Фамилия Имя - Название"));
        QCOMPARE(ini.ReadString(QStringLiteral("AUTO"), QStringLiteral("Quoted"), QString()), QStringLiteral("Серия"));
        QCOMPARE(ini.ReadInteger(QStringLiteral("FORM"), QStringLiteral("Left"), 0), -240);
        QCOMPARE(ini.ReadBool(QStringLiteral("AUTO"), QStringLiteral("Valid"), true), false);
        QCOMPARE(ReadBytes(Path()),
                 QString("[AUTO]\nNamePattern=Фамилия Имя - Название \nQuoted=\"Серия\"\nValid=0\n[FORM]\nLeft=-240\n")
                     .toUtf8());
    }

    void readSectionInFileOrder()
    {
        WriteBytes(Path(),
                   "[X]\na=0\n[GENRES]\nsf = Фантастика\nprose_classic=\"Классическая проза\"\n\nbare\n[Y]\nb=1\n");
        const QList<std::pair<QString, QString>> expected = {
            {QStringLiteral("sf"), QStringLiteral("Фантастика")},
            {QStringLiteral("prose_classic"), QStringLiteral("Классическая проза")},
            {QStringLiteral("bare"), QString()}};
        QCOMPARE(TIniFile(Path()).ReadSection(QStringLiteral("genres")), expected);
    }

    void utf16FileStaysUtf16()
    {
        WriteBytes(Path(), Utf16WithBom(QStringLiteral("[AUTO]\r\nSortPattern=Жанр\\Автор\r\n")));
        const TIniFile ini(Path());
        QCOMPARE(ini.ReadString(QStringLiteral("AUTO"), QStringLiteral("SortPattern"), QString()),
                 QStringLiteral("Жанр\\Автор"));
        ini.WriteString(QStringLiteral("AUTO"), QStringLiteral("NamePattern"), QStringLiteral("Название"));
        QCOMPARE(ReadBytes(Path()),
                 Utf16WithBom(QStringLiteral("[AUTO]\r\nSortPattern=Жанр\\Автор\r\nNamePattern=Название\r\n")));
    }

    // Windows tools write UTF-16 in either byte order, with or without a mark: each is read and
    // written back as it was, never with UTF-8 lines added, and an odd last byte is kept.
    void utf16InEveryFormStaysAsItWas_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<bool>("mark");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("little-endian without mark") << "LE" << false << QByteArray();
        QTest::newRow("big-endian with mark") << "BE" << true << QByteArray();
        QTest::newRow("big-endian without mark") << "BE" << false << QByteArray();
        QTest::newRow("little-endian, odd last byte") << "LE" << true << QByteArray("\x41", 1);
    }
    void utf16InEveryFormStaysAsItWas()
    {
        QFETCH(QString, order);
        QFETCH(bool, mark);
        QFETCH(QByteArray, tail);
        auto encode = [&](const QString &text) {
            QStringEncoder encoder(order == QLatin1String("LE") ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                                   mark ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
            return QByteArray(encoder.encode(text)) + tail;
        };
        WriteBytes(Path(), encode(QStringLiteral("[AUTO]\r\nSortPattern=Жанр\r\n")));
        const TIniFile ini(Path());
        QCOMPARE(ini.ReadString(QStringLiteral("AUTO"), QStringLiteral("SortPattern"), QString()),
                 QStringLiteral("Жанр"));
        ini.WriteString(QStringLiteral("AUTO"), QStringLiteral("NamePattern"), QStringLiteral("Название"));
        QCOMPARE(ReadBytes(Path()), encode(QStringLiteral("[AUTO]\r\nSortPattern=Жанр\r\nNamePattern=Название\r\n")));
    }

    void cp1251FileIsReadAndKept()
    {
        const QByteArray cp1251("[AUTO]\nNamePattern=\xD4\xE0\xEC\xE8\xEB\xE8\xFF\n");  // Фамилия
        WriteBytes(Path(), cp1251);
        const TIniFile ini(Path());
        QCOMPARE(ini.ReadString(QStringLiteral("AUTO"), QStringLiteral("NamePattern"), QString()),
                 QStringLiteral("Фамилия"));
        ini.WriteString(QStringLiteral("AUTO"), QStringLiteral("SortPattern"), QStringLiteral("Жанр"));
        QCOMPARE(ReadBytes(Path()), cp1251 + "SortPattern=\xC6\xE0\xED\xF0\n");
        // A character outside the code page turns the file into UTF-8 with every line kept.
        ini.WriteString(QStringLiteral("AUTO"), QStringLiteral("Title"), QStringLiteral("日本"));
        QCOMPARE(ReadBytes(Path()),
                 QStringLiteral("[AUTO]\nNamePattern=Фамилия\nSortPattern=Жанр\nTitle=日本\n").toUtf8());
    }

    void utf8BomIsKept()
    {
        WriteBytes(Path(), "\xEF\xBB\xBF[A]\nk=\xD1\x8E\n");
        const TIniFile ini(Path());
        QCOMPARE(ini.ReadString(QStringLiteral("A"), QStringLiteral("k"), QString()), QStringLiteral("ю"));
        ini.WriteString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("я"));
        QCOMPARE(ReadBytes(Path()), QByteArray("\xEF\xBB\xBF[A]\nk=\xD1\x8F\n"));
    }

    void refusedWriteRaises_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << "no/such/folder/config.ini";
        QTest::newRow("a folder in the way") << "folder.ini";
    }

    void refusedWriteRaises()
    {
        QFETCH(QString, name);
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.ini")));
        const QString path = m_dir.filePath(name);
        try {
            TIniFile(path).WriteString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v"));
            QFAIL("no error");
        } catch (const EOrvane &e) {
            QCOMPARE(e.Message(), QStringLiteral("Unable to write to ") + path);
        }
    }

    // A FIFO would hang every read; a huge file would be loaded again for every key.
    void unreadableFilesGiveDefaultsAndStayAsTheyAre_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("larger than any settings") << "huge";
    }
    void unreadableFilesGiveDefaultsAndStayAsTheyAre()
    {
        QFETCH(QString, kind);
        const QByteArray huge = "[A]\nk=v\n" + QByteArray(2 << 20, ';');
        if (kind == QLatin1String("fifo"))
            QCOMPARE(mkfifo(QFile::encodeName(Path()).constData(), 0600), 0);
        else
            WriteBytes(Path(), huge);
        const TIniFile ini(Path());
        QCOMPARE(ini.ReadString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("default")),
                 QStringLiteral("default"));
        QVERIFY(ini.ReadSection(QStringLiteral("A")).isEmpty());
        try {
            ini.WriteString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("w"));
            QFAIL("no error");
        } catch (const EOrvane &e) {
            QCOMPARE(e.Message(), QStringLiteral("Unable to write to ") + Path());
        }
        if (kind == QLatin1String("fifo"))
            QVERIFY(QFileInfo(Path()).exists() && !QFileInfo(Path()).isFile());
        else
            QCOMPARE(ReadBytes(Path()), huge);
    }

    // What holds INI text and what was picked by mistake.
    void holdsIniText_data()
    {
        QTest::addColumn<QByteArray>("bytes");  // "<missing>" or the content
        QTest::addColumn<bool>("ini");
        QTest::newRow("missing") << QByteArray("<missing>") << true;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("sections") << QByteArray("[FORM]\r\nWidth=1\r\n") << true;
        QTest::newRow("UTF-16") << Utf16WithBom(QStringLiteral("[AUTO]\r\nValid=0\r\n")) << true;
        QTest::newRow("CP1251") << QByteArray("[AUTO]\nNamePattern=\xD4\xE0\xEC\xE8\xEB\xE8\xFF\n") << true;
        QTest::newRow("binary") << QByteArray("[A]\n\0\x01\x02", 7) << false;
        QTest::newRow("text without a section") << QByteArray("just some words\n") << false;
    }

    void holdsIniText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ini);
        if (bytes != "<missing>")
            WriteBytes(Path(), bytes);
        QCOMPARE(TIniFile(Path()).HoldsIniText(), ini);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_ini_file.moc"
