// The two 8-bit code pages: every byte comes back through decoding and encoding, and a character
// the page lacks is refused rather than turned into some other byte.

#include "globals/CodePage.h"

#include <QtTest>

Q_DECLARE_METATYPE(TCodePage)

class TestCodePage : public QObject {
    Q_OBJECT
private slots:
    void everyByteSurvivesARoundTrip_data()
    {
        QTest::addColumn<TCodePage>("page");
        QTest::newRow("cp1251") << TCodePage::Ansi1251;
        QTest::newRow("cp866") << TCodePage::Oem866;
    }
    void everyByteSurvivesARoundTrip()
    {
        QFETCH(TCodePage, page);
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString text = DecodeCodePage(all, page);
        QCOMPARE(text.size(), 256);
        QCOMPARE(EncodeCodePage(text, page), std::optional<QByteArray>(all));
    }

    void decodesBytes_data()
    {
        QTest::addColumn<TCodePage>("page");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("cp1251 letters") << TCodePage::Ansi1251 << QByteArray("\xC0\xFF \xA8\xB8 \xAB\xB9\xBB")
                                        << QStringLiteral("Ая Ёё «№»");
        QTest::newRow("cp1251 undefined byte is its own number")
            << TCodePage::Ansi1251 << QByteArray("a\x98z") << QStringLiteral("a\u0098z");
        QTest::newRow("cp866 letters and box drawing")
            << TCodePage::Oem866 << QByteArray("\x80\xEF \xF0\xF1 \xC9\xCD\xBB") << QStringLiteral("Ая Ёё ╔═╗");
        QTest::newRow("cp866 0x98 is a letter") << TCodePage::Oem866 << QByteArray("\x98") << QStringLiteral("Ш");
    }
    void decodesBytes()
    {
        QFETCH(TCodePage, page);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeCodePage(bytes, page), text);
        QCOMPARE(EncodeCodePage(text, page), std::optional<QByteArray>(bytes));
    }

    void refusesCharactersThePageLacks_data()
    {
        QTest::addColumn<TCodePage>("page");
        QTest::addColumn<QString>("text");
        QTest::newRow("cp1251: chinese") << TCodePage::Ansi1251 << QStringLiteral("книга 漢");
        QTest::newRow("cp1251: latin-1 letter of a defined byte") << TCodePage::Ansi1251 << QStringLiteral("\u00C0");
        QTest::newRow("cp866: guillemets") << TCodePage::Oem866 << QStringLiteral("«книга»");
        QTest::newRow("cp866: control of a defined byte") << TCodePage::Oem866 << QStringLiteral("\u0098");
        QTest::newRow("cp1251: lone surrogate") << TCodePage::Ansi1251 << QString(QChar(0xD800));
        QTest::newRow("cp1251: character beyond the BMP") << TCodePage::Ansi1251 << QStringLiteral("\U0001F4D6");
    }
    void refusesCharactersThePageLacks()
    {
        QFETCH(TCodePage, page);
        QFETCH(QString, text);
        QVERIFY(!EncodeCodePage(text, page));
    }
};

QTEST_GUILESS_MAIN(TestCodePage)
#include "test_code_page.moc"
