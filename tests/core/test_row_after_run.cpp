// The list after a run: each row the run did takes its outcome, is unticked and follows its book
// (to the target file, into the archive it was packed in, to the bad-files folder); a second
// run over those rows, ticked again, finds the books where they belong and says so.

#include "RunFixtures.h"
#include "ZipFixtures.h"

#include "config/AppSettings.h"
#include "config/Folders.h"
#include "list/BookList.h"
#include "list/RowTip.h"
#include "run/ProcessingRun.h"

#include <QtTest>

using namespace RunFixtures;
using ZipFixtures::ReadFile;

namespace {

const QString kTarget = QStringLiteral("Т/Толстой Лев/Толстой Лев - Война и мир");

}  // namespace

class TestRowAfterRun : public QObject {
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_root;
    QString m_src, m_end, m_bad, m_log, m_config;

    void settings(const QMap<QString, QString> &keys)
    {
        QMap<QString, QString> all{{QStringLiteral("EndDir"), m_end},
                                   {QStringLiteral("BadDir"), m_bad},
                                   {QStringLiteral("LogFile"), m_log},
                                   {QStringLiteral("SaveLog"), "1"}};
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

    // Where a row points: the loose file, or "archive|entry".
    static QString pointsAt(const TListEntry &e)
    {
        return e.ArchivePath.isEmpty() ? e.FileDir + e.FileName : e.ArchivePath + QLatin1Char('|') + e.FileName;
    }

    QString expand(QString s) const
    {
        return s.replace(QStringLiteral("@src/"), m_src)
            .replace(QStringLiteral("@end/"), m_end)
            .replace(QStringLiteral("@bad/"), m_bad);
    }

private slots:
    void init()
    {
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        m_src = m_root->filePath(QStringLiteral("src/"));
        m_end = m_root->filePath(QStringLiteral("end/"));
        m_bad = m_root->filePath(QStringLiteral("bad/"));
        m_log = m_root->filePath(QStringLiteral("log.txt"));
        m_config = m_root->filePath(QStringLiteral("config.ini"));
        for (const QString &d : {m_src, m_end, m_bad})
            QDir().mkpath(d);
        SetUpFolders(QStringLiteral(ORVANE_BIN_DIR), m_root->filePath(QStringLiteral("tmp")));
        CancelRequested = false;
    }

    void rowsFollowTheirBooks_data()
    {
        QTest::addColumn<QString>("kind");  // valid, invalid, clash (a second book of the same name)
        QTest::addColumn<QString>("convert");
        QTest::addColumn<QString>("pack");
        QTest::addColumn<QString>("where");  // where the last row points after the run
        QTest::addColumn<QString>("outcome");  // the last row's outcome on the second run
        QTest::newRow("moved") << "valid"
                               << "0"
                               << "0"
                               << "@end/" + kTarget + ".fb2"
                               << "placed";
        QTest::newRow("moved and packed") << "valid"
                                          << "0"
                                          << "1"
                                          << "@end/" + kTarget + ".fb2.zip|" + QFileInfo(kTarget).fileName() + ".fb2"
                                          << "placed";
        QTest::newRow("converted: the book stays") << "valid"
                                                   << "1"
                                                   << "0"
                                                   << "@src/a.fb2"
                                                   << "placed";
        QTest::newRow("invalid: to the bad-files folder") << "invalid"
                                                          << "0"
                                                          << "0"
                                                          << "@bad/a.fb2"
                                                          << "invalid";
        QTest::newRow("not placed: the book stays") << "clash"
                                                    << "0"
                                                    << "0"
                                                    << "@src/b.fb2"
                                                    << "not-placed";
    }
    void rowsFollowTheirBooks()
    {
        QFETCH(QString, kind);
        QFETCH(QString, convert);
        QFETCH(QString, pack);
        QFETCH(QString, where);
        QFETCH(QString, outcome);
        settings({{QStringLiteral("Convert"), convert},
                  {QStringLiteral("Archive"), pack},
                  {QStringLiteral("ConvertType"), "0"}});
        TBookList list;
        const QByteArray book = ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"),
                                          QStringLiteral("Война и мир"), QStringLiteral("a"));
        list.Append(loose(QStringLiteral("a.fb2"), kind == QLatin1String("invalid") ? SchemaInvalidBook() : book));
        if (kind == QLatin1String("clash"))
            list.Append(loose(QStringLiteral("b.fb2"),
                              ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"),
                                        QStringLiteral("b"))));
        const TRunRows::RowId last = list.At(list.Count() - 1).Id;
        list.Append(loose(QStringLiteral("unticked.fb2"), book), false);

        TProcessingRun first(list);
        first.Execute();
        list.TakeRunReport(first.Report());
        const TListRow &row = list.At(list.IndexOf(last));
        QCOMPARE(pointsAt(row.Entry), expand(where));
        QVERIFY(!row.Gone);
        QVERIFY(row.Outcome.has_value());
        QCOMPARE(list.CheckedCount(), 0);  // every row the run did is unticked
        QVERIFY(!list.At(list.Count() - 1).Outcome);  // the unticked row was not touched

        // Ticked again and run again: the book is found where the first run put it.
        list.SetAllChecks(Qt::Unchecked);
        list.SetChecked(last, true);
        TProcessingRun second(list);
        second.Execute();
        QCOMPARE(second.Report().Rows.size(), 1);
        const TRowReport &again = second.Report().Rows.first();
        QCOMPARE(OutcomeWord(again.Outcome), outcome);
        if (outcome == QLatin1String("placed") && convert == QLatin1String("0"))
            QCOMPARE(again.OutputPath, expand(where).section(QLatin1Char('|'), 0, 0));
        list.TakeRunReport(second.Report());
        QCOMPARE(pointsAt(list.At(list.IndexOf(last)).Entry), expand(where));
        QVERIFY(!list.At(list.IndexOf(last)).Gone);
    }

    // Rows the run did not reach keep their tick; a row whose file went without the run saying
    // where is marked as gone.
    void notReachedAndGone()
    {
        settings({});
        TBookList list;
        const TRunRows::RowId a = list.Append(loose(QStringLiteral("a.fb2"), SchemaInvalidBook()));
        const TRunRows::RowId b = list.Append(loose(QStringLiteral("b.fb2"), SchemaInvalidBook()));
        TRunCallbacks cb;
        int reached = 0;
        cb.ProcessMessages = [&] {
            if (++reached == 2)
                CancelRequested = true;
        };
        TProcessingRun run(list, cb);
        run.Execute();
        TRunReport report = run.Report();
        // As if the book had been deleted by hand after the run moved it.
        QVERIFY(QFile::remove(m_bad + QStringLiteral("a.fb2")));
        list.TakeRunReport(report);
        QVERIFY(list.At(list.IndexOf(a)).Gone);
        QVERIFY(ListRowTip(list.At(list.IndexOf(a))).contains(QStringLiteral("Файла больше нет на этом месте")));
        QVERIFY(!list.IsChecked(a));
        QVERIFY(list.IsChecked(b));
        QCOMPARE(list.At(list.IndexOf(b)).Outcome, TRowOutcome::NotReached);
        QCOMPARE(pointsAt(list.At(list.IndexOf(b)).Entry), m_src + QStringLiteral("b.fb2"));
    }

    // A bad book that cannot go to the bad-files folder has one entry in the log, not two.
    void invalidAndNotMovedIsLoggedOnce()
    {
        settings({});
        PutFile(m_bad + QStringLiteral("x.fb2"), "earlier");
        TBookList list;
        list.Append(loose(QStringLiteral("x.fb2"), SchemaInvalidBook()));
        TProcessingRun(list).Execute();
        const QString log = QString::fromUtf8(ReadFile(m_log));
        QCOMPARE(log.count(QStringLiteral("x.fb2 => ")), 1);
        QVERIFY2(log.contains(QStringLiteral("x.fb2 => Файл не перемещён в ")), qPrintable(log));
        QVERIFY2(log.contains(QStringLiteral("Код ошибки ")), qPrintable(log));
    }
};

QTEST_GUILESS_MAIN(TestRowAfterRun)
#include "test_row_after_run.moc"
