// orvane-cli run: the rows of files, archives and folders, the settings of the given file, the
// summary, the exit status, the dry run that changes nothing, and the report file.

#include "CliRunner.h"
#include "RunFixtures.h"
#include "ZipFixtures.h"

#include <QtTest>

using namespace RunFixtures;
using ZipFixtures::ReadFile;

class TestCliRun : public QObject {
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_root;
    QString m_src, m_end, m_bad, m_log, m_config;

    void settings(const QMap<QString, QString> &keys = {})
    {
        QMap<QString, QString> all{{QStringLiteral("EndDir"), m_end},
                                   {QStringLiteral("BadDir"), m_bad},
                                   {QStringLiteral("LogFile"), m_log},
                                   {QStringLiteral("SaveLog"), QStringLiteral("1")}};
        for (auto it = keys.begin(); it != keys.end(); ++it)
            all.insert(it.key(), it.value());
        WriteConfig(m_config, all);
    }

    CliResult run(const QStringList &args)
    {
        return RunCli(QStringList{QStringLiteral("run"), QStringLiteral("--config"), m_config} + args);
    }

private slots:
    void init()
    {
        m_root.reset(new QTemporaryDir);
        m_src = m_root->filePath(QStringLiteral("src/"));
        m_end = m_root->filePath(QStringLiteral("end/"));
        m_bad = m_root->filePath(QStringLiteral("bad/"));
        m_log = m_root->filePath(QStringLiteral("log.txt"));
        m_config = m_root->filePath(QStringLiteral("config.ini"));
        QDir().mkpath(m_end);
        QDir().mkpath(m_bad);
        const QByteArray tolstoy =
            ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"));
        PutFile(m_src + QStringLiteral("a.fb2"), tolstoy);
        PutFile(m_src + QStringLiteral("x.fb2"), SchemaInvalidBook());
        PutFile(m_src + QStringLiteral("sub/c.fb2"), tolstoy);  // a subfolder is not opened
        MakeZip(m_src + QStringLiteral("books.zip"),
                {{QStringLiteral("b.fb2"),
                  ValidBook(QStringLiteral("Чехов"), QStringLiteral("Антон"), QStringLiteral("Дом"))}});
    }

    void statusAndSummary_data()
    {
        QTest::addColumn<QString>("case_");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("summary");
        QTest::newRow("all placed") << "placed" << 0
                                    << "Обработано: 2, не прошли проверку: 0, не размещены: 0, ошибок: 0";
        QTest::newRow("folder with an invalid book")
            << "folder" << 1 << "Обработано: 2, не прошли проверку: 1, не размещены: 0, ошибок: 0";
        QTest::newRow("target taken") << "taken" << 1
                                      << "Обработано: 1, не прошли проверку: 0, не размещены: 1, ошибок: 0";
        QTest::newRow("error ends the run")
            << "error" << 2 << "Обработано: 0, не прошли проверку: 0, не размещены: 0, ошибок: 1";
    }
    void statusAndSummary()
    {
        QFETCH(QString, case_);
        QFETCH(int, status);
        QFETCH(QString, summary);
        QStringList args;
        if (case_ == QLatin1String("placed")) {
            settings();
            args = QStringList{m_src + QStringLiteral("a.fb2"), m_src + QStringLiteral("books.zip")};
        } else if (case_ == QLatin1String("folder")) {
            settings();
            args = QStringList{m_src};
        } else if (case_ == QLatin1String("taken")) {
            settings();
            PutFile(m_end + QStringLiteral("Т/Толстой Лев/Толстой Лев - Война и мир.fb2"), "earlier");
            args = QStringList{m_src + QStringLiteral("a.fb2")};
        } else {
            settings({{QStringLiteral("Sort"), QStringLiteral("0")}, {QStringLiteral("EndDir"), QString()}});
            args = QStringList{m_src + QStringLiteral("a.fb2")};
        }
        const CliResult r = run(args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.endsWith(summary + QLatin1Char('\n')), qPrintable(r.err));

        if (case_ == QLatin1String("placed")) {
            QVERIFY(QFile::exists(m_end + QStringLiteral("Т/Толстой Лев/Толстой Лев - Война и мир.fb2")));
            QVERIFY(QFile::exists(m_end + QStringLiteral("Ч/Чехов Антон/Чехов Антон - Дом.fb2")));
            QVERIFY(QFile::exists(m_src + QStringLiteral("books.zip")));
            QCOMPARE(ReadFile(m_log), QByteArray("\xEF\xBB\xBF"));
        } else if (case_ == QLatin1String("folder")) {
            QVERIFY(QFile::exists(m_bad + QStringLiteral("x.fb2")));
            QVERIFY(QFile::exists(m_src + QStringLiteral("sub/c.fb2")));
            QVERIFY(ReadFile(m_log).startsWith("\xEF\xBB\xBF"
                                               "x.fb2 => Код ошибки "));
        } else if (case_ == QLatin1String("taken")) {
            QVERIFY(QFile::exists(m_src + QStringLiteral("a.fb2")));
            QVERIFY2(r.err.contains(m_src + QStringLiteral("a.fb2: Файл не перемещён в ")), qPrintable(r.err));
        } else {
            QVERIFY2(r.err.startsWith(QStringLiteral("orvane-cli run: Unable to create directory\n")),
                     qPrintable(r.err));
            QVERIFY(QFile::exists(m_src + QStringLiteral("a.fb2")));
        }
    }

    void dryRunShowsAndChangesNothing()
    {
        settings({{QStringLiteral("Archive"), QStringLiteral("1")}});
        const QMap<QString, QByteArray> before = ContentsBelow(m_root->path());
        const CliResult r = run({QStringLiteral("--dry-run"), m_src, m_src + QStringLiteral("books.zip")});
        QCOMPARE(r.status, 1);
        QCOMPARE(ContentsBelow(m_root->path()), before);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines,
                 (QStringList{
                     m_src + QStringLiteral("a.fb2\tplaced\t") + m_end
                         + QStringLiteral("Т/Толстой Лев/Толстой Лев - Война и мир.fb2.zip"),
                     m_src + QStringLiteral("x.fb2\tinvalid\t") + m_bad + QStringLiteral("x.fb2"),
                     m_src + QStringLiteral("books.zip/b.fb2\tplaced\t") + m_end
                         + QStringLiteral("Ч/Чехов Антон/Чехов Антон - Дом.fb2.zip"),
                 }));
    }

    // --report: one line per row of the run, also for the rows an error kept the run from.
    void reportFile_data()
    {
        QTest::addColumn<QString>("case_");
        QTest::addColumn<QStringList>("lines");  // "@src/", "@end/", "@bad/" stand for the folders
        const QString tolstoy = QStringLiteral("@end/Т/Толстой Лев/Толстой Лев - Война и мир.fb2");
        QTest::newRow("run") << "run"
                             << QStringList{"@src/a.fb2\tplaced\t" + tolstoy,
                                            "@src/x.fb2\tinvalid\tElement 'lang': This element is not expected.",
                                            "@src/books.zip/b.fb2\tplaced\t@end/Ч/Чехов Антон/Чехов Антон - Дом.fb2",
                                            "@src/sub/c.fb2\tnot-placed\tФайл не перемещён в \"" + tolstoy + "\": "};
        QTest::newRow("dry run") << "dry"
                                 << QStringList{
                                        "@src/a.fb2\tplaced\t" + tolstoy, "@src/x.fb2\tinvalid\tElement",
                                        "@src/books.zip/b.fb2\tplaced\t@end/Ч/Чехов Антон/Чехов Антон - Дом.fb2",
                                        "@src/sub/c.fb2\tnot-placed\tФайл не перемещён в \"" + tolstoy + "\": "};
        QTest::newRow("an error ends the run")
            << "error"
            << QStringList{"@src/a.fb2\terror\tUnable to create directory",
                           "@src/x.fb2\tnot-reached\tОбработка остановлена ошибкой",
                           "@src/books.zip/b.fb2\tnot-reached\tОбработка остановлена ошибкой",
                           "@src/sub/c.fb2\tnot-reached\tОбработка остановлена ошибкой"};
    }
    void reportFile()
    {
        QFETCH(QString, case_);
        QFETCH(QStringList, lines);
        if (case_ == QLatin1String("error"))
            settings({{QStringLiteral("Sort"), QStringLiteral("0")}, {QStringLiteral("EndDir"), QString()}});
        else
            settings();
        const QString report = m_root->filePath(QStringLiteral("report.tsv"));
        QStringList args{QStringLiteral("--report"), report};
        if (case_ == QLatin1String("dry"))
            args << QStringLiteral("--dry-run");
        args << m_src + QStringLiteral("a.fb2") << m_src + QStringLiteral("x.fb2")
             << m_src + QStringLiteral("books.zip") << m_src + QStringLiteral("sub/c.fb2");
        const CliResult r = run(args);
        QCOMPARE(r.status, case_ == QLatin1String("error") ? 2 : 1);
        const QByteArray data = ReadFile(report);
        QVERIFY(data.endsWith('\n'));
        const QStringList written = QString::fromUtf8(data).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(written.size(), lines.size());
        for (int i = 0; i < lines.size(); ++i) {
            QString want = lines[i];
            want.replace(QStringLiteral("@src/"), m_src)
                .replace(QStringLiteral("@end/"), m_end)
                .replace(QStringLiteral("@bad/"), m_bad);
            QVERIFY2(written[i].startsWith(want), qPrintable(written[i] + QStringLiteral("\n  wanted: ") + want));
            QCOMPARE(written[i].count(QLatin1Char('\t')), 2);
        }
    }

    // A report that cannot be written is said so, and the run's books are placed all the same.
    void reportFileNotWritable()
    {
        settings();
        const QString report = m_root->filePath(QStringLiteral("no/such/folder/report.tsv"));
        const CliResult r = run({QStringLiteral("--report"), report, m_src + QStringLiteral("a.fb2")});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(QStringLiteral("orvane-cli run: Cannot create file \"%1\".").arg(report)),
                 qPrintable(r.err));
        QVERIFY(QFile::exists(m_end + QStringLiteral("Т/Толстой Лев/Толстой Лев - Война и мир.fb2")));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no path") << QStringList{QStringLiteral("run")};
        QTest::newRow("unknown option") << QStringList{QStringLiteral("run"), QStringLiteral("--dry"),
                                                       QStringLiteral("a.fb2")};
        QTest::newRow("report without a file")
            << QStringList{QStringLiteral("run"), QStringLiteral("a.fb2"), QStringLiteral("--report")};
        QTest::newRow("report to an empty name")
            << QStringList{QStringLiteral("run"), QStringLiteral("--report="), QStringLiteral("a.fb2")};
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        QCOMPARE(RunCli(args).status, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliRun)
#include "test_cli_run.moc"
