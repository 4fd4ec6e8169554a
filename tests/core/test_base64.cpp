#include "globals/Base64.h"

#include <QtTest>

class TestBase64 : public QObject {
    Q_OBJECT
private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");

        // RFC 4648, section 10.
        QTest::newRow("rfc: empty") << QByteArray() << QByteArray();
        QTest::newRow("rfc: f") << QByteArray("Zg==") << QByteArray("f");
        QTest::newRow("rfc: fo") << QByteArray("Zm8=") << QByteArray("fo");
        QTest::newRow("rfc: foo") << QByteArray("Zm9v") << QByteArray("foo");
        QTest::newRow("rfc: foob") << QByteArray("Zm9vYg==") << QByteArray("foob");
        QTest::newRow("rfc: fooba") << QByteArray("Zm9vYmE=") << QByteArray("fooba");
        QTest::newRow("rfc: foobar") << QByteArray("Zm9vYmFy") << QByteArray("foobar");

        QTest::newRow("all byte values through + and /") << QByteArray("+/+/") << QByteArray("\xfb\xff\xbf", 3);
        QTest::newRow("line breaks, blanks and junk skipped")
            << QByteArray("Zm9v\r\n Ym\tF-y*") << QByteArray("foobar");
        QTest::newRow("NUL and high bytes skipped") << QByteArray("Zm\0\xff"
                                                                  "9v",
                                                                  6)
                                                    << QByteArray("foo");
        QTest::newRow("short last group dropped") << QByteArray("Zm9vYmE") << QByteArray("foo");
        QTest::newRow("single value dropped") << QByteArray("Zm9vY") << QByteArray("foo");
        QTest::newRow("pad ends decoding, rest ignored") << QByteArray("Zg==Zm9v") << QByteArray("f");
        QTest::newRow("pad in fourth place ends decoding") << QByteArray("Zm8=Zm9v") << QByteArray("fo");
        QTest::newRow("pad after a short group is only a value") << QByteArray("Zg=") << QByteArray();
        QTest::newRow("only junk") << QByteArray("!!!\n\n") << QByteArray();
        QTest::newRow("Cyrillic announcement in CP1251") << QByteArray("8uXx8g==") << QByteArray("\xf2\xe5\xf1\xf2");
    }

    void decode()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        QCOMPARE(DecodeBase64(input), expected);
    }

    // Qt's strict decoder agrees on every well-formed input.
    void agreesWithQtOnWellFormedInput()
    {
        QByteArray bytes;
        for (int i = 0; i < 1000; ++i) {
            bytes.append(static_cast<char>((i * 37 + 11) % 256));
            QCOMPARE(DecodeBase64(bytes.toBase64()), bytes);
        }
    }
};

QTEST_APPLESS_MAIN(TestBase64)
#include "test_base64.moc"
