#include "update/UpdateFile.h"

#include <QtTest>

class TestUpdateFile : public QObject {
    Q_OBJECT
private slots:
    void textBeforeAfter_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("one separator") << "|"
                                       << "1.0.3|QUJD"
                                       << "1.0.3"
                                       << "QUJD";
        QTest::newRow("first of several") << "|"
                                          << "a|b|c"
                                          << "a"
                                          << "b|c";
        QTest::newRow("none") << "|"
                              << "1.0.3"
                              << "1.0.3"
                              << "";
        QTest::newRow("at the start") << "|"
                                      << "|x"
                                      << ""
                                      << "x";
        QTest::newRow("at the end") << "|"
                                    << "x|"
                                    << "x"
                                    << "";
        QTest::newRow("empty text") << "|"
                                    << ""
                                    << ""
                                    << "";
        QTest::newRow("longer separator") << "::"
                                          << "a:b::c"
                                          << "a:b"
                                          << "c";
    }
    void textBeforeAfter()
    {
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QCOMPARE(TextBefore(separator, text), before);
        QCOMPARE(TextAfter(separator, text), after);
    }

    void compareVersions_data()
    {
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("published");
        QTest::addColumn<int>("expected");
        QTest::newRow("equal") << "1.0.2"
                               << "1.0.2" << 0;
        QTest::newRow("newer patch") << "1.0.2"
                                     << "1.0.3" << 2;
        QTest::newRow("older patch") << "1.0.3"
                                     << "1.0.2" << 1;
        QTest::newRow("newer minor") << "1.0.2"
                                     << "1.1" << 2;
        QTest::newRow("newer major") << "1.0.2"
                                     << "2.0" << 2;
        QTest::newRow("text order: 1.0.10 is not newer") << "1.0.2"
                                                         << "1.0.10" << 1;
        QTest::newRow("empty published") << "1.0.2"
                                         << "" << 1;
        QTest::newRow("case differs only: own stays first") << "1.0.a"
                                                            << "1.0.A" << 2;
        QTest::newRow("blanks around published match nothing") << "1.0.2"
                                                               << " 1.0.3" << 0;
    }
    void compareVersions()
    {
        QFETCH(QString, own);
        QFETCH(QString, published);
        QFETCH(int, expected);
        QCOMPARE(CompareVersions(own, published), expected);
    }

    void readUpdateFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("newer");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("text");
        // "Новая версия" in CP1251, Base64.
        const QByteArray news = QByteArray("\xcd\xee\xe2\xe0\xff \xe2\xe5\xf0\xf1\xe8\xff").toBase64();
        QTest::newRow("newer with announcement")
            << "1.0.3|" + news << true << "1.0.3" << QString::fromUtf8("Новая версия");
        QTest::newRow("same version") << "1.0.2|" + news << false << "1.0.2" << QString::fromUtf8("Новая версия");
        QTest::newRow("1.0.10 against 1.0.2") << QByteArray("1.0.10|") << false << "1.0.10"
                                              << "";
        QTest::newRow("only the last line counts") << "9.9|" + news + "\r\n1.0.1|" << false << "1.0.1"
                                                   << "";
        QTest::newRow("final line break is no empty line") << "1.0.3|" + news + "\r\n"
                                                           << true << "1.0.3" << QString::fromUtf8("Новая версия");
        QTest::newRow("final empty line") << "1.0.3|" + news + "\r\n\r\n"
                                          << false << ""
                                          << "";
        QTest::newRow("line without separator") << QByteArray("1.1") << true << "1.1"
                                                << "";
        QTest::newRow("empty file") << QByteArray() << false << ""
                                    << "";
        QTest::newRow("LF line ends") << "1.0.1|\n1.0.4|" + news << true << "1.0.4"
                                      << QString::fromUtf8("Новая версия");
    }
    void readUpdateFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, newer);
        QFETCH(QString, version);
        QFETCH(QString, text);
        const TUpdateAnnouncement a = ReadUpdateFile(file, QStringLiteral("1.0.2"));
        QCOMPARE(a.newer, newer);
        QCOMPARE(a.version, version);
        QCOMPARE(a.text, text);
    }
};

QTEST_GUILESS_MAIN(TestUpdateFile)
#include "test_update_file.moc"
