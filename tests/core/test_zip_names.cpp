// Entry names: what the bytes of a stored name mean, and how our writer stores a name.

#include "globals/CodePage.h"
#include "zip/ZipNames.h"

#include <QtTest>
#include <algorithm>
#include <zlib.h>

namespace {

QByteArray UnicodePathField(const QString &name, quint32 crc)
{
    const QByteArray utf8 = name.toUtf8();
    QByteArray f;
    const quint16 len = quint16(5 + utf8.size());
    f.append(char(0x75)).append(char(0x70)).append(char(len & 0xFF)).append(char(len >> 8)).append(char(1));
    for (int i = 0; i < 4; ++i)
        f.append(char((crc >> (8 * i)) & 0xFF));
    return f + utf8;
}

quint32 Crc(const QByteArray &b)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(b.data()), uInt(b.size())));
}

}  // namespace

class TestZipNames : public QObject {
    Q_OBJECT
private slots:
    // Which rule reads a name: the Unicode Path field, bit 11, then the host that made it.
    void decodesStoredNames_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("host");
        QTest::addColumn<QByteArray>("extra");
        QTest::addColumn<QString>("expected");

        const auto cp866 = [](const QString &s) { return EncodeCodePage(s, TCodePage::Oem866).value_or(QByteArray()); };
        const QString war = QStringLiteral("Война и мир.fb2");
        const int dos = 0, unix = 3, ntfs = 10, vfat = 14, macos = 19;
        QTest::newRow("ascii") << QByteArray("book.fb2") << 0 << dos << QByteArray() << QStringLiteral("book.fb2");
        // Lower-case Cyrillic in CP866 that happens to be valid UTF-8 (U+26A2A, U+2BAA0, U+182C).
        for (const char *word : {"Ёжик.fb2", "Ёлка.fb2", "сам.fb2"}) {
            const QString name = QString::fromUtf8(word);
            QVERIFY(IsMultiByteUtf8(cp866(name)));
            QTest::addRow("ms-dos host, cp866 that looks like utf-8: %s", word)
                << cp866(name) << 0 << dos << QByteArray() << name;
            QTest::addRow("ntfs host: %s", word) << cp866(name) << 0 << ntfs << QByteArray() << name;
        }
        QTest::newRow("vfat host, cp866") << cp866(war) << 0 << vfat << QByteArray() << war;
        QTest::newRow("ms-dos host, box drawing of cp866 kept")
            << QByteArray("\xC9\xCD\xBB.fb2") << 0 << dos << QByteArray() << QStringLiteral("╔═╗.fb2");
        QTest::newRow("unix host, utf-8 without flag (Info-ZIP zip)")
            << war.toUtf8() << 0 << unix << QByteArray() << war;
        QTest::newRow("macos host, utf-8 without flag") << war.toUtf8() << 0 << macos << QByteArray() << war;
        QTest::newRow("unix host, cp866 that is not utf-8") << cp866(war) << 0 << unix << QByteArray() << war;
        QTest::newRow("unknown host (local header), utf-8")
            << war.toUtf8() << 0 << int(kHostUnknown) << QByteArray() << war;
        QTest::newRow("unknown host, cp866") << cp866(war) << 0 << int(kHostUnknown) << QByteArray() << war;
        QTest::newRow("ms-dos host, utf-8 with flag") << war.toUtf8() << 0x800 << dos << QByteArray() << war;
        QTest::newRow("flag set, bytes not utf-8: cp1251")
            << QByteArray("\xCA\xED\xE8\xE3\xE0.fb2") << 0x800 << unix << QByteArray() << QStringLiteral("Книга.fb2");

        // The field wins over the flag and the host, but only when it is sound.
        const QByteArray sam = cp866(QStringLiteral("сам.fb2"));
        const QString field = QStringLiteral("книга.fb2");
        QTest::newRow("unicode path field wins over the host")
            << sam << 0 << unix << UnicodePathField(field, Crc(sam)) << field;
        QTest::newRow("unicode path field wins over the flag")
            << QByteArray("kniga.fb2") << 0x800 << dos << UnicodePathField(field, Crc("kniga.fb2")) << field;
        QTest::newRow("unicode path field after another field") << QByteArray("x.fb2") << 0 << dos
                                                                << QByteArray("UT\x05\x00\x01\x00\x00\x00\x00", 9)
                + UnicodePathField(QStringLiteral("ёж.fb2"), Crc("x.fb2"))
                                                                << QStringLiteral("ёж.fb2");
        QTest::newRow("field of a renamed entry (wrong crc) is ignored")
            << sam << 0 << dos << UnicodePathField(field, Crc("old.fb2")) << QStringLiteral("сам.fb2");
        QTest::newRow("field longer than the extra data is ignored")
            << sam << 0 << dos << UnicodePathField(field, Crc(sam)).chopped(3) << QStringLiteral("сам.fb2");
        QTest::newRow("field without a name is ignored")
            << sam << 0 << dos << UnicodePathField(QString(), Crc(sam)) << QStringLiteral("сам.fb2");
        QTest::newRow("field shorter than its head is ignored")
            << sam << 0 << dos << QByteArray("up\x03\x00\x01\x00\x00", 7) << QStringLiteral("сам.fb2");
        QByteArray version2 = UnicodePathField(field, Crc(sam));
        version2[4] = 2;
        QTest::newRow("field of another version is ignored")
            << sam << 0 << dos << version2 << QStringLiteral("сам.fb2");
        QByteArray broken = UnicodePathField(QStringLiteral("кн"), Crc(sam));
        broken[10] = 'A';  // the first letter's lead byte loses its continuation
        QTest::newRow("field that is not utf-8 is ignored") << sam << 0 << dos << broken << QStringLiteral("сам.fb2");
    }
    void decodesStoredNames()
    {
        QFETCH(QByteArray, raw);
        QFETCH(int, flags);
        QFETCH(int, host);
        QFETCH(QByteArray, extra);
        QFETCH(QString, expected);
        QCOMPARE(DecodeEntryName(raw, quint16(flags), host, extra), expected);
    }

    // Our writer's names come back unchanged through our reader, take the form that a Russian
    // Windows packer would write where they can, and carry their UTF-8 form for other readers.
    void encodesNamesSoThatTheyReadBack_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("utf8");

        QTest::newRow("ascii") << QStringLiteral("Tolstoy - War and Peace.fb2") << false;
        QTest::newRow("cyrillic") << QStringLiteral("Толстой Лев - Война и мир.fb2") << false;
        QTest::newRow("guillemets: in cp1251, not in cp866") << QStringLiteral("«Книга» №1.fb2") << true;
        QTest::newRow("greek: not in cp1251") << QStringLiteral("Ελληνικά.fb2") << true;
        QTest::newRow("cp866 bytes that form utf-8: рак") << QStringLiteral("рак.fb2") << false;
        QTest::newRow("cp866 bytes that form utf-8: Ёлка") << QStringLiteral("Ёлка.fb2") << false;
        QTest::newRow("folders") << QStringLiteral("Серия/Том 1.fb2") << false;
    }
    void encodesNamesSoThatTheyReadBack()
    {
        QFETCH(QString, name);
        QFETCH(bool, utf8);
        quint16 flags = 0x0006;
        QByteArray extra = "left over";
        const QByteArray raw = EncodeEntryName(name, flags, extra);
        QCOMPARE(bool(flags & kZipFlagUtf8), utf8);
        QCOMPARE(flags & 0x0006, 0x0006);
        const bool ascii = std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (utf8 || ascii) {
            QCOMPARE(extra, QByteArray());
        } else {
            QCOMPARE(EncodeCodePage(name, TCodePage::Oem866), std::optional<QByteArray>(raw));
            QCOMPARE(extra, UnicodePathField(name, Crc(raw)));
        }
        if (!utf8) {
            // A reader that knows neither the field nor the host rule still reads CP866.
            QCOMPARE(DecodeCodePage(raw, TCodePage::Oem866), name);
        }
        for (int host : {0, 3})
            QCOMPARE(DecodeEntryName(raw, flags, host, extra), name);
        QCOMPARE(DecodeEntryName(raw, flags, 0, QByteArray()), name);
    }

    void recognisesMultiByteUtf8_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("expected");
        QTest::newRow("ascii only") << QByteArray("abc") << false;
        QTest::newRow("two-byte") << QByteArray("\xD0\x96") << true;
        QTest::newRow("four-byte") << QByteArray("\xF0\x9F\x93\x96") << true;
        QTest::newRow("lone continuation") << QByteArray("a\x96") << false;
        QTest::newRow("cut short") << QByteArray("\xD0") << false;
        QTest::newRow("overlong") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
    }
    void recognisesMultiByteUtf8()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, expected);
        QCOMPARE(IsMultiByteUtf8(bytes), expected);
    }

    void codePagesMatchIconv()
    {
        const QByteArray cp1251 = EncodeCodePage(QStringLiteral("ЁёЯя№"), TCodePage::Ansi1251).value_or(QByteArray());
        QCOMPARE(cp1251, QByteArray("\xA8\xB8\xDF\xFF\xB9"));
        const QByteArray cp866 = EncodeCodePage(QStringLiteral("ЁёЯя№"), TCodePage::Oem866).value_or(QByteArray());
        QCOMPARE(cp866, QByteArray("\xF0\xF1\x9F\xEF\xFC"));
        QCOMPARE(DecodeCodePage(cp866, TCodePage::Oem866), QStringLiteral("ЁёЯя№"));
        QVERIFY(!EncodeCodePage(QStringLiteral("€"), TCodePage::Oem866));
        QVERIFY(!EncodeCodePage(QStringLiteral("漢"), TCodePage::Ansi1251));
    }
};

QTEST_GUILESS_MAIN(TestZipNames)
#include "test_zip_names.moc"
