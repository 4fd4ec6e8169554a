#include "BookFixtures.h"
#include "CliRunner.h"

#include <QtTest>

class TestCliNames : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_tolstoy, m_bad;

    QString Config(const QByteArray &autoSection)
    {
        static int n = 0;
        return WriteFixture(m_dir, QStringLiteral("config%1.ini").arg(++n), "[AUTO]\n" + autoSection);
    }

private slots:
    void initTestCase()
    {
        // The book of the worked example.
        m_tolstoy = WriteFixture(
            m_dir, QStringLiteral("book.fb2"),
            Fb2BookWithDescription(
                "<title-info><genre>prose_classic</genre><author><first-name>Лев</first-name>"
                "<middle-name>Николаевич</middle-name><last-name>Толстой</last-name></author>"
                "<book-title>Война и мир</book-title><lang>ru</lang></title-info>"
                "<publish-info><publisher>Эксмо</publisher><city>Москва</city><year>2010</year></publish-info>"));
        m_bad = WriteFixture(m_dir, QStringLiteral("bad.fb2"), "<FictionBook>\n<description></FictionBook>");
    }

    void workedExample_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::newRow("defaults") << QByteArray() << "Толстой Лев - Война и мир.fb2"
                                  << "Т\\Толстой Лев";
        QTest::newRow("folder transliterated") << QByteArray("TranslitDir=1\n") << "Толстой Лев - Война и мир.fb2"
                                               << "T\\Tolstoj Lev";
        QTest::newRow("genre and letter")
            << QByteArray("SortPattern=Жанр\\Алфавит\n") << "Толстой Лев - Война и мир.fb2"
            << "Классическая проза\\Т";
        QTest::newRow("genre code") << QByteArray("SortPattern=Жанр\\Алфавит\nGenreFull=0\n")
                                    << "Толстой Лев - Война и мир.fb2"
                                    << "prose_classic\\Т";
        QTest::newRow("name transliterated") << QByteArray("TranslitName=1\n") << "Tolstoj Lev - Vojna i mir.fb2"
                                             << "Т\\Толстой Лев";
    }

    void workedExample()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, name);
        QFETCH(QString, folder);
        const CliResult r = RunCli({QStringLiteral("names"), QStringLiteral("--config"), Config(settings), m_tolstoy});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, m_tolstoy + u'\t' + name + u'\t' + folder + u'\n');
        QCOMPARE(r.status, 0);
    }

    void missingConfigMeansDefaults()
    {
        const CliResult r = RunCli({QStringLiteral("names"), QStringLiteral("--config"),
                                    m_dir.filePath(QStringLiteral("none.ini")), m_tolstoy});
        QCOMPARE(r.out, m_tolstoy + QStringLiteral("\tТолстой Лев - Война и мир.fb2\tТ\\Толстой Лев\n"));
        QCOMPARE(r.status, 0);
    }

    void pathsAsGivenAndFailuresReported()
    {
        const QString relative = QDir(QDir::currentPath()).relativeFilePath(m_tolstoy);
        const CliResult r = RunCli({QStringLiteral("names"), QStringLiteral("--config"), Config(QByteArray()), m_bad,
                                    relative, m_dir.filePath(QStringLiteral("missing.fb2"))});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, relative + QStringLiteral("\tТолстой Лев - Война и мир.fb2\tТ\\Толстой Лев\n"));
        QVERIFY2(r.err.startsWith(m_bad + QStringLiteral(": ")), qPrintable(r.err));
        QVERIFY(r.err.contains(QStringLiteral("\nLine: 2\n<description></FictionBook>\n")));
        QVERIFY(r.err.contains(m_dir.filePath(QStringLiteral("missing.fb2")) + QStringLiteral(": ")));
    }
};

QTEST_GUILESS_MAIN(TestCliNames)
#include "test_cli_names.moc"
