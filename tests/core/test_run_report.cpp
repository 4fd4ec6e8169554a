// The run's report: one record for every checked row the run met, whatever the outcome and
// however the run ended, in the words and lines the command line and the window write.

#include "RunFixtures.h"
#include "ZipFixtures.h"

#include "config/AppSettings.h"
#include "config/Folders.h"
#include "globals/Errors.h"
#include "list/BookList.h"
#include "run/ProcessingRun.h"
#include "run/RunReport.h"
#include "validate/ValidateBook.h"

#include <QtTest>

using namespace RunFixtures;
using ZipFixtures::ReadFile;

namespace {

const QString kTarget = QStringLiteral("Т/Толстой Лев/Толстой Лев - Война и мир.fb2");

QByteArray Tolstoy(const QString &text)
{
    return ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"), text);
}

}  // namespace

class TestRunReport : public QObject {
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_root;
    QString m_src, m_end, m_bad, m_config;

    void settings(const QMap<QString, QString> &keys)
    {
        QMap<QString, QString> all{{QStringLiteral("EndDir"), m_end}, {QStringLiteral("BadDir"), m_bad}};
        for (auto it = keys.begin(); it != keys.end(); ++it)
            all.insert(it.key(), it.value());
        WriteConfig(m_config, all);
        UpdateSetting(m_config);
    }

    TListEntry loose(const QString &name, const QByteArray &data)
    {
        PutFile(m_src + name, data);
        TListEntry e;
        e.FileName = name;
        e.FileDir = m_src;
        e.FileSize = data.size();
        return e;
    }

private slots:
    void init()
    {
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        m_src = m_root->filePath(QStringLiteral("src/"));
        m_end = m_root->filePath(QStringLiteral("end/"));
        m_bad = m_root->filePath(QStringLiteral("bad/"));
        m_config = m_root->filePath(QStringLiteral("config.ini"));
        for (const QString &d : {m_src, m_end, m_bad})
            QDir().mkpath(d);
        SetUpFolders(QStringLiteral(ORVANE_BIN_DIR), m_root->filePath(QStringLiteral("tmp")));
        CancelRequested = false;
    }

    // Each scenario: the rows (a name, its kind, ticked or not), the settings, and what the
    // report must hold for each ticked row: its outcome word and the start of its detail
    // ("@end/" and "@bad/" stand for the folders, "@src/" for the source folder).
    void outcomes_data()
    {
        QTest::addColumn<QStringList>("rows");  // "name:kind", kind valid|clash|invalid|unticked
        QTest::addColumn<QString>("scenario");  // plain, pack taken, cancel at 2, error
        QTest::addColumn<QStringList>("expected");  // "word\tdetail prefix" per ticked row
        QTest::newRow("valid") << QStringList{"a.fb2:valid"} << "plain" << QStringList{"placed\t@end/" + kTarget};
        QTest::newRow("invalid") << QStringList{"x.fb2:invalid"} << "plain"
                                 << QStringList{"invalid\tElement 'lang': This element is not expected."};
        QTest::newRow("name clash") << QStringList{"a.fb2:valid", "b.fb2:clash"} << "plain"
                                    << QStringList{"placed\t@end/" + kTarget,
                                                   "not-placed\tФайл не перемещён в \"@end/" + kTarget + "\""};
        QTest::newRow("failed move: archive name taken")
            << QStringList{"a.fb2:valid"} << "pack taken"
            << QStringList{"not-placed\tФайл не упакован: архив \"@end/" + kTarget + ".zip\" уже существует"};
        QTest::newRow("cancelled") << QStringList{"a.fb2:valid", "u.fb2:unticked", "x.fb2:invalid", "c.fb2:valid"}
                                   << "cancel at 2"
                                   << QStringList{"placed\t@end/" + kTarget, "not-reached\tОбработка прервана",
                                                  "not-reached\tОбработка прервана"};
        QTest::newRow("error") << QStringList{"x.fb2:invalid", "a.fb2:valid", "u.fb2:unticked", "c.fb2:valid"}
                               << "error"
                               << QStringList{"invalid\t", "error\tUnable to create directory",
                                              "not-reached\tОбработка остановлена ошибкой"};
    }
    void outcomes()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, scenario);
        QFETCH(QStringList, expected);
        QMap<QString, QString> keys{{QStringLiteral("Archive"), scenario == QLatin1String("pack taken") ? "1" : "0"}};
        if (scenario == QLatin1String("error"))
            keys.insert(QStringLiteral("EndDir"), QStringLiteral("relative/"));
        settings(keys);
        if (scenario == QLatin1String("pack taken"))
            MakeZip(m_end + kTarget + QStringLiteral(".zip"), {{QStringLiteral("old.fb2"), Tolstoy("old")}});

        TBookList list;
        for (const QString &row : rows) {
            const QString name = row.section(QLatin1Char(':'), 0, 0), kind = row.section(QLatin1Char(':'), 1);
            const QByteArray data = kind == QLatin1String("invalid") ? SchemaInvalidBook(name) : Tolstoy(name);
            list.Append(loose(name, data), kind != QLatin1String("unticked"));
        }
        int reached = 0;
        TRunCallbacks cb;
        cb.ProcessMessages = [&] {
            if (++reached == 2 && scenario == QLatin1String("cancel at 2"))
                CancelRequested = true;
        };
        TProcessingRun run(list, cb);
        if (scenario == QLatin1String("error"))
            QVERIFY_THROWS_EXCEPTION(EOrvane, run.Execute());
        else
            run.Execute();

        const TRunReport &report = run.Report();
        QStringList seen;
        for (const TRowReport &r : report.Rows) {
            QCOMPARE(list.IndexOf(r.Row) >= 0, true);
            seen << OutcomeWord(r.Outcome) + QLatin1Char('\t') + RowReportDetail(r);
        }
        QCOMPARE(seen.size(), expected.size());
        for (int i = 0; i < seen.size(); ++i) {
            QString want = expected[i];
            want.replace(QStringLiteral("@end/"), report.OutputDir);
            QVERIFY2(seen[i].startsWith(want), qPrintable(seen[i] + QStringLiteral("\n  wanted: ") + want));
        }
        // The counts agree with the records, and the folders are those of the run.
        const TRunSummary &s = run.Summary();
        QCOMPARE(s.Placed, report.Count(TRowOutcome::Placed));
        QCOMPARE(s.Invalid, report.Count(TRowOutcome::Invalid));
        QCOMPARE(s.NotPlaced, report.Count(TRowOutcome::NotPlaced));
        QCOMPARE(s.Errors, report.Count(TRowOutcome::Error));
        QCOMPARE(s.NotReached, report.Count(TRowOutcome::NotReached));
        QCOMPARE(report.Cancelled, scenario == QLatin1String("cancel at 2"));
        QCOMPARE(report.ErrorMessage.isEmpty(), scenario != QLatin1String("error"));
        QCOMPARE(report.BadDir, m_bad);
        // A placed book is where its record says.
        for (const TRowReport &r : report.Rows)
            if (r.Outcome == TRowOutcome::Placed)
                QVERIFY2(QFile::exists(r.OutputPath), qPrintable(r.OutputPath));
    }

    // The validator's four lines become one, the reason first; other texts give their first line.
    void validationErrorLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("validator") << "Код ошибки -1\r\nСтрока 12\r\nСимвол 5\r\nElement 'x': not expected.\r\n"
                                   << "Element 'x': not expected. (строка 12, символ 5)";
        QTest::newRow("namespace left out")
            << "Код ошибки 1871\r\nСтрока 9\r\nСимвол 18\r\nElement "
               "'{http://www.gribuser.ru/xml/fictionbook/2.0}keywords': "
               "Expected is ( {http://www.gribuser.ru/xml/fictionbook/2.0}sequence ).\r\n"
            << "Element 'keywords': Expected is ( sequence ). (строка 9, символ 18)";
        QTest::newRow("reason over two lines") << "Код ошибки 1\r\nСтрока 1\r\nСимвол 0\r\nfirst\r\nsecond\r\n"
                                               << "first second (строка 1, символ 0)";
        QTest::newRow("loader's message") << "Cannot open \"a.fb2\"\r\nmore\r\n"
                                          << "Cannot open \"a.fb2\"";
        QTest::newRow("empty") << ""
                               << "";
    }
    void validationErrorLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, line);
        QCOMPARE(ValidationErrorLine(text), line);
    }

    // One line of three fields per row, whatever the names hold; written through a twin.
    void reportFile()
    {
        TRunReport report;
        TRowReport placed;
        placed.Entry.FileDir = QStringLiteral("/книги/");
        placed.Entry.FileName = QStringLiteral("a\tb\\c.fb2");
        placed.OutputPath = QStringLiteral("/out/Чехов\nАнтон.fb2");
        report.Rows << placed;
        TRowReport entry;
        entry.Entry.ArchivePath = QStringLiteral("/in/books.zip");
        entry.Entry.StoredPath = QStringLiteral("dir/");
        entry.Entry.FileName = QStringLiteral("x.fb2");
        entry.Entry.InArchive = true;
        entry.Outcome = TRowOutcome::NotPlaced;
        entry.Message = QStringLiteral("Файл не перемещён в \"/out/x.fb2\":\r\nФайл существует\r\n");
        report.Rows << entry;

        const QByteArray expected =
            QStringLiteral("/книги/a\\tb\\\\c.fb2\tplaced\t/out/Чехов\\nАнтон.fb2\n"
                           "/in/books.zip/dir/x.fb2\tnot-placed\tФайл не перемещён в \"/out/x.fb2\": Файл существует\n")
                .toUtf8();
        QCOMPARE(RunReportData(report), expected);

        const QString path = m_root->filePath(QStringLiteral("report.tsv"));
        PutFile(path, "older, longer report that must be replaced whole");
        WriteRunReport(path, report);
        QCOMPARE(ReadFile(path), expected);
        QCOMPARE(QDir(m_root->path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".part")),
                 QStringList());

        const QString noFolder = m_root->filePath(QStringLiteral("missing/report.tsv"));
        try {
            WriteRunReport(noFolder, report);
            QFAIL("no error");
        } catch (const EOrvane &e) {
            QVERIFY2(e.Message().startsWith(QStringLiteral("Cannot create file \"%1\".").arg(noFolder)),
                     qPrintable(e.Message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestRunReport)
#include "test_run_report.moc"
