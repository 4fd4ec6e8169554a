// Entry names: what the bytes of a stored name mean, and how our writer stores a name.

#include "globals/CodePage.h"
#include "zip/ZipNames.h"

#include <QtTest>
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

quint32 Crc(const QByteArray &b) { return quint32(crc32(0, reinterpret_cast<const Bytef *>(b.data()), uInt(b.size()))); }

} // namespace

class TestZipNames : public QObject {
    Q_OBJECT
private slots:
    void decodesStoredNames_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QByteArray>("extra");
        QTest::addColumn<QString>("expected");

        const QString war = QStringLiteral("Война и мир.fb2");
        const QByteArray cp866 = EncodeCodePage(war, TCodePage::Oem866).value_or(QByteArray());
        QVERIFY(!cp866.isEmpty());
        QTest::newRow("ascii") << QByteArray("book.fb2") << 0 << QByteArray() << QStringLiteral("book.fb2");
        QTest::newRow("cp866 without flag (Windows packer)") << cp866 << 0 << QByteArray() << war;
        QTest::newRow("utf-8 with flag") << war.toUtf8() << 0x800 << QByteArray() << war;
        QTest::newRow("utf-8 without flag (Linux zip)") << war.toUtf8() << 0 << QByteArray() << war;
        QTest::newRow("box drawing of cp866 kept") << QByteArray("\xC9\xCD\xBB.fb2") << 0 << QByteArray()
                                                   << QStringLiteral("╔═╗.fb2");
        QTest::newRow("flag set, bytes not utf-8: cp1251")
            << QByteArray("\xCA\xED\xE8\xE3\xE0.fb2") << 0x800 << QByteArray() << QStringLiteral("Книга.fb2");
        QTest::newRow("unicode path field wins") << QByteArray("kniga.fb2") << 0
                                                 << UnicodePathField(QStringLiteral("книга.fb2"), Crc("kniga.fb2"))
                                                 << QStringLiteral("книга.fb2");
        QTest::newRow("unicode path field of a renamed entry is ignored")
            << QByteArray("kniga.fb2") << 0 << UnicodePathField(QStringLiteral("книга.fb2"), Crc("old.fb2"))
            << QStringLiteral("kniga.fb2");
        QTest::newRow("unicode path field after another field")
            << QByteArray("x.fb2") << 0
            << QByteArray("UT\x05\x00\x01\x00\x00\x00\x00", 9) + UnicodePathField(QStringLiteral("ёж.fb2"), Crc("x.fb2"))
            << QStringLiteral("ёж.fb2");
    }
    void decodesStoredNames()
    {
        QFETCH(QByteArray, raw);
        QFETCH(int, flags);
        QFETCH(QByteArray, extra);
        QFETCH(QString, expected);
        QCOMPARE(DecodeEntryName(raw, quint16(flags), extra), expected);
    }

    // Our writer's names must come back unchanged through our reader, and take the form that
    // a Russian Windows packer would write where it can.
    void encodesNamesSoThatTheyReadBack_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("utf8");

        QTest::newRow("ascii") << QStringLiteral("Tolstoy - War and Peace.fb2") << false;
        QTest::newRow("cyrillic") << QStringLiteral("Толстой Лев - Война и мир.fb2") << false;
        QTest::newRow("guillemets: in cp1251, not in cp866") << QStringLiteral("«Книга» №1.fb2") << true;
        QTest::newRow("greek: not in cp1251") << QStringLiteral("Ελληνικά.fb2") << true;
        QTest::newRow("cp866 bytes that form utf-8: рак") << QStringLiteral("рак.fb2") << true;
        QTest::newRow("cp866 bytes that form utf-8: Ёлка") << QStringLiteral("Ёлка.fb2") << true;
        QTest::newRow("folders") << QStringLiteral("Серия/Том 1.fb2") << false;
    }
    void encodesNamesSoThatTheyReadBack()
    {
        QFETCH(QString, name);
        QFETCH(bool, utf8);
        quint16 flags = 0x0006;
        const QByteArray raw = EncodeEntryName(name, flags);
        QCOMPARE(bool(flags & kZipFlagUtf8), utf8);
        QCOMPARE(flags & 0x0006, 0x0006);
        if (!utf8) {
            QCOMPARE(EncodeCodePage(name, TCodePage::Oem866), std::optional<QByteArray>(raw));
        }
        QCOMPARE(DecodeEntryName(raw, flags, QByteArray()), name);
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
