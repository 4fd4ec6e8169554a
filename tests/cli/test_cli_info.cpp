#include "BookFixtures.h"
#include "CliRunner.h"

#include <QtTest>

class TestCliInfo : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_good, m_bad, m_foreign;

private slots:
    void initTestCase()
    {
        m_good = WriteFixture(m_dir, QStringLiteral("Толстой.fb2"),
                              Fb2BookWithDescription("<title-info><genre>prose_classic</genre><author><first-name>Лев</"
                                                     "first-name><last-name>Толстой</last-name></author>"
                                                     "<book-title>Война и мир</book-title><lang>ru</lang><sequence "
                                                     "name=\"Эпопеи\" number=\"3\"/></title-info>"
                                                     "<publish-info><year>2005</year></publish-info>"));
        m_bad = WriteFixture(m_dir, QStringLiteral("bad.fb2"), "<FictionBook>\n<description></FictionBook>");
        m_foreign = WriteFixture(m_dir, QStringLiteral("foreign.fb2"), "<FictionBook/>");
    }

    void printsTheRecordInFieldOrder()
    {
        const CliResult r = RunCli({QStringLiteral("info"), m_good});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out,
                 m_good
                     + QStringLiteral("\nLastName: Толстой\nFirstName: Лев\nMiddleName: \nTitle: Война и мир\n"
                                      "Sequence: Эпопеи\nSeqNum: 3\nLang: ru\nPublisher: \nGenre: prose_classic\n"
                                      "City: \nYear: 2005\n"));
    }

    void reportsEachFailureAndGoesOn()
    {
        const CliResult r = RunCli({QStringLiteral("info"), m_bad, m_foreign, m_good});
        QCOMPARE(r.status, 1);
        const QStringList books = r.out.split(QStringLiteral("\n\n"));
        QCOMPARE(books.size(), 3);
        QVERIFY(books[0].startsWith(m_bad + QStringLiteral("\nError: ")));
        QVERIFY(books[0].contains(QStringLiteral("\r\nLine: 2\r\n<description></FictionBook>")));
        QCOMPARE(books[1], m_foreign + QStringLiteral("\nError: Interface not supported"));
        QVERIFY(books[2].contains(QStringLiteral("LastName: Толстой")));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("help") << QStringList{QStringLiteral("info"), QStringLiteral("--help")} << 0;
        QTest::newRow("no book") << QStringList{QStringLiteral("info")} << 2;
        QTest::newRow("unknown option") << QStringList{QStringLiteral("info"), QStringLiteral("--frobnicate"),
                                                       QStringLiteral("x.fb2")}
                                        << 2;
        QTest::newRow("config without file") << QStringList{QStringLiteral("info"), QStringLiteral("--config")} << 2;
    }
    void usage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const CliResult r = RunCli(args);
        QCOMPARE(r.status, status);
        QVERIFY((status == 0 ? r.out : r.err).contains(QLatin1String("BOOK.fb2")));
    }

    void acceptsAConfigFile()
    {
        const CliResult r = RunCli(
            {QStringLiteral("info"), QStringLiteral("--config"), m_dir.filePath(QStringLiteral("none.ini")), m_good});
        QCOMPARE(r.status, 0);
    }
};

QTEST_GUILESS_MAIN(TestCliInfo)
#include "test_cli_info.moc"
