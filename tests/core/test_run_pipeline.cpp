// A run that works on several books at once gives what a run of one book after the other gives:
// the same files with the same bytes, the same log and the same report of every row, on lists
// with name clashes, invalid books, archives, conversion, packing, a cancel after a given row,
// rows removed and settings changed while the run goes on.

#include "RunFixtures.h"
#include "ZipFixtures.h"

#include "config/AppSettings.h"
#include "config/Folders.h"
#include "list/BookList.h"
#include "run/ProcessingRun.h"

#include <QtTest>

using namespace RunFixtures;
using ZipFixtures::ReadFile;

namespace {

// What a run left behind, with the folder it ran in written as "<root>".
struct TRunResult {
    QMap<QString, QByteArray> files;
    QStringList reports;
    QString summary;
    QString error;
};

QString Rooted(QString text, const QString &root) { return text.replace(root, QStringLiteral("<root>")); }

}  // namespace

class TestRunPipeline : public QObject {
    Q_OBJECT

    // Makes the fixture `kind` below a new folder and runs it with `jobs`.
    TRunResult RunFixture(const QString &kind, int jobs)
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        const QString src = root + QStringLiteral("src/"), end = root + QStringLiteral("end/"),
                      bad = root + QStringLiteral("bad/");
        SetUpFolders(QStringLiteral(ORVANE_BIN_DIR), root + QStringLiteral("tmp"));
        QMap<QString, QString> keys{{QStringLiteral("EndDir"), end},
                                    {QStringLiteral("BadDir"), bad},
                                    {QStringLiteral("LogFile"), root + QStringLiteral("log.txt")},
                                    {QStringLiteral("SaveLog"), QStringLiteral("1")}};
        if (kind.contains(QLatin1String("convert")))
            keys.insert(QStringLiteral("Convert"), QStringLiteral("1"));
        if (kind.contains(QLatin1String("pack")))
            keys.insert(QStringLiteral("Archive"), QStringLiteral("1"));
        WriteConfig(root + QStringLiteral("config.ini"), keys);
        UpdateSetting(root + QStringLiteral("config.ini"));

        // The same books for every kind: valid ones of which some share author and title (their
        // names clash), invalid and unreadable ones, loose and in two archives, one listed twice.
        TBookList rows;
        QList<TRunRows::RowId> ids;
        auto loose = [&](const QString &name, const QByteArray &data) {
            PutFile(src + name, data);
            TListEntry e;
            e.FileName = name;
            e.FileDir = src;
            ids << rows.Append(e);
        };
        auto inArchive = [&](const QString &zip, const QString &stored, qsizetype index) {
            TListEntry e;
            e.FileName = stored.section(QLatin1Char('/'), -1);
            e.InArchive = true;
            e.ArchivePath = src + zip;
            e.StoredPath = stored.left(stored.lastIndexOf(QLatin1Char('/')) + 1);
            e.EntryIndex = index;
            ids << rows.Append(e);
        };
        const QByteArray war =
            ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"), "1");
        MakeZip(src + QStringLiteral("a.zip"),
                {{QStringLiteral("w.fb2"),
                  ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"), "2")},
                 {QStringLiteral("bad.fb2"), SchemaInvalidBook("z")},
                 {QStringLiteral("in/deep.fb2"),
                  ValidBook(QStringLiteral("Гоголь"), QStringLiteral("Н"), QStringLiteral("Нос"))},
                 {QStringLiteral("w.fb2"),
                  ValidBook(QStringLiteral("Чехов"), QStringLiteral("А"), QStringLiteral("Дама"))}});
        MakeZip(src + QStringLiteral("b.zip"), {{QStringLiteral("x.fb2"), NotXmlBook("x")}});
        loose(QStringLiteral("01.fb2"), war);
        inArchive(QStringLiteral("a.zip"), QStringLiteral("w.fb2"), 0);
        loose(QStringLiteral("02.fb2"), SchemaInvalidBook("1"));
        inArchive(QStringLiteral("a.zip"), QStringLiteral("bad.fb2"), 1);
        loose(QStringLiteral("03.fb2"), NotXmlBook("3"));
        inArchive(QStringLiteral("a.zip"), QStringLiteral("in/deep.fb2"), 2);
        loose(QStringLiteral("04.fb2"),
              ValidBook(QStringLiteral("Пушкин"), QStringLiteral("А"), QStringLiteral("Бесы")));
        inArchive(QStringLiteral("a.zip"), QStringLiteral("w.fb2"), 3);
        inArchive(QStringLiteral("b.zip"), QStringLiteral("x.fb2"), 0);
        loose(QStringLiteral("05.fb2"),
              ValidBook(QStringLiteral("Пушкин"), QStringLiteral("А"), QStringLiteral("Бесы"), "5"));
        {  // the first book listed once more: the second row finds it gone
            TListEntry e;
            e.FileName = QStringLiteral("01.fb2");
            e.FileDir = src;
            ids << rows.Append(e);
        }
        for (int i = 6; i < 14; ++i)
            loose(QStringLiteral("%1.fb2").arg(i, 2, 10, QLatin1Char('0')),
                  i % 3 ? ValidBook(QStringLiteral("Автор%1").arg(i % 4), QStringLiteral("И"), QStringLiteral("Книга"),
                                    QString::number(i))
                        : SchemaInvalidBook(QString::number(i)));

        int calls = 0;
        TRunResult result;
        TRunCallbacks cb;
        cb.ProcessMessages = [&] {
            ++calls;
            if (kind == QLatin1String("cancel after row 4") && calls == 5)
                CancelRequested = true;
            if (kind == QLatin1String("rows removed") && calls == 3) {
                rows.Remove(ids[4]);
                rows.Remove(ids[6]);
                rows.SetChecked(ids[9], false);
            }
            if (kind == QLatin1String("settings changed") && calls == 4) {
                keys.insert(QStringLiteral("Rename"), QStringLiteral("0"));
                WriteConfig(root + QStringLiteral("config.ini"), keys);
                UpdateSetting(root + QStringLiteral("config.ini"));
            }
        };
        cb.RowDone = [&](const TRowReport &r) {
            result.reports << Rooted(
                QStringLiteral("%1 %2 %3 %4").arg(ids.indexOf(r.Row)).arg(int(r.Outcome)).arg(r.OutputPath, r.Message),
                root);
        };
        TRunOptions options;
        options.Jobs = jobs;
        TProcessingRun run(rows, cb, options);
        try {
            run.Execute();
        } catch (const std::exception &) {
        }
        const TRunSummary &s = run.Summary();
        result.summary = QStringLiteral("%1 %2 %3 %4 %5 %6")
                             .arg(s.Processed)
                             .arg(s.Placed)
                             .arg(s.Invalid)
                             .arg(s.NotPlaced)
                             .arg(s.Errors)
                             .arg(s.Cancelled);
        result.error = Rooted(s.ErrorMessage, root);
        const QMap<QString, QByteArray> files = ContentsBelow(root);
        for (auto it = files.begin(); it != files.end(); ++it) {
            if (it.key().startsWith(root + QStringLiteral("tmp")))
                continue;
            QByteArray bytes = it.value();
            if (it.key().endsWith(QLatin1String(".zip"))) {  // archives by what they hold, not their times
                bytes.clear();
                for (const auto &[name, data] : ZipContents(it.key()).asKeyValueRange())
                    bytes += "\n" + name.toUtf8() + "\n" + data;
            }
            result.files.insert(Rooted(it.key(), root), Rooted(QString::fromUtf8(bytes), root).toUtf8());
        }
        CancelRequested = false;
        return result;
    }

private slots:
    void sameAsOneBookAfterTheOther_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind :
             {"move", "convert", "pack", "convert and pack", "cancel after row 4", "rows removed", "settings changed"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void sameAsOneBookAfterTheOther()
    {
        QFETCH(QString, kind);
        const TRunResult one = RunFixture(kind, 1);
        QVERIFY(one.reports.size() >= 4);
        QCOMPARE(one.error, QString());
        for (int jobs : {2, 4}) {
            const TRunResult many = RunFixture(kind, jobs);
            QCOMPARE(many.summary, one.summary);
            QCOMPARE(many.reports, one.reports);
            QCOMPARE(many.files.keys(), one.files.keys());
            for (auto it = one.files.begin(); it != one.files.end(); ++it)
                QVERIFY2(many.files.value(it.key()) == it.value(), qPrintable(it.key()));
        }
    }
};

QTEST_GUILESS_MAIN(TestRunPipeline)
#include "test_run_pipeline.moc"
