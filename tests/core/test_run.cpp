// The processing run end to end, in temporary folders: what it does to the files for each kind
// of row and setting, the log, the percentages, cancellation, changes to the list during a run,
// and the cases where a careless run would lose a book.

#include "RunFixtures.h"
#include "ZipFixtures.h"

#include "config/AppSettings.h"
#include "config/Folders.h"
#include "globals/Errors.h"
#include "list/BookList.h"
#include "list/BookSources.h"
#include "run/ProcessingRun.h"
#include "validate/ValidateBook.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

using namespace RunFixtures;
using ZipFixtures::ReadFile;

namespace {

const QString kTolstoy = QStringLiteral("Толстой Лев - Война и мир.fb2");
const QString kTolstoyDir = QStringLiteral("Т/Толстой Лев/");

}  // namespace

class TestRun : public QObject {
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_root;
    QString m_src, m_end, m_bad, m_log, m_config;

    QString path(const QString &rel) const { return m_root->filePath(rel); }

    // Settings on top of the defaults: output, bad-files folder and log in the test's folder.
    void settings(const QMap<QString, QString> &keys = {})
    {
        QMap<QString, QString> all{
            {QStringLiteral("EndDir"), m_end}, {QStringLiteral("BadDir"), m_bad}, {QStringLiteral("LogFile"), m_log}};
        for (auto it = keys.begin(); it != keys.end(); ++it)
            all.insert(it.key(), it.value());
        WriteConfig(m_config, all);
        UpdateSetting(m_config);
    }

    TListEntry looseRow(const QString &name) const
    {
        TListEntry e;
        e.FileName = name;
        e.FileDir = m_src;
        e.FileSize = QFileInfo(m_src + name).size();
        return e;
    }

    static TListEntry archiveRow(const QString &archive, const QString &stored)
    {
        TListEntry e;
        e.FileName = stored.section(QLatin1Char('/'), -1);
        e.InArchive = true;
        e.ArchivePath = archive;
        e.StoredPath = stored.left(stored.lastIndexOf(QLatin1Char('/')) + 1);
        return e;
    }

    QString loose(const QString &name, const QByteArray &data)
    {
        PutFile(m_src + name, data);
        return name;
    }

    // Every loose book is found exactly once among the outputs, the bad-files folder and the
    // folder it started from; a book from an archive at most once among the outputs and the
    // bad-files folder (a run never changes an archive, so its books stay there as well).
    void verifyNothingLost(const QList<QByteArray> &looseBooks, const QList<QByteArray> &archiveBooks = {})
    {
        QList<QByteArray> placed, left;
        for (const QString &folder : {m_src, m_end, m_bad}) {
            const auto files = ContentsBelow(folder);
            for (auto it = files.begin(); it != files.end(); ++it) {
                QList<QByteArray> &into = folder == m_src ? left : placed;
                if (!it.key().endsWith(QLatin1String(".zip")))
                    into += it.value();
                else if (folder != m_src)
                    into += ZipContents(it.key()).values();
            }
        }
        for (const QByteArray &b : looseBooks) {
            const int n = int(placed.count(b) + left.count(b));
            QVERIFY2(n == 1,
                     qPrintable(QStringLiteral("found %1 times: %2").arg(n).arg(QString::fromUtf8(b.right(60)))));
        }
        for (const QByteArray &b : archiveBooks)
            QVERIFY2(placed.count(b) <= 1, qPrintable(QString::fromUtf8(b.right(60))));
    }

    // No half-made file is ever left in the output (names of files being written begin with ".").
    void verifyNoScratchFiles()
    {
        for (const QString &folder : {m_src, m_end, m_bad})
            for (const QString &f : ContentsBelow(folder).keys())
                QVERIFY2(!QFileInfo(f).fileName().startsWith(QLatin1Char('.')), qPrintable(f));
    }

private slots:
    void init()
    {
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        m_src = path(QStringLiteral("src/"));
        m_end = path(QStringLiteral("end/"));
        m_bad = path(QStringLiteral("bad/"));
        m_log = path(QStringLiteral("log.txt"));
        m_config = path(QStringLiteral("config.ini"));
        QDir().mkpath(m_src);
        QDir().mkpath(m_end);
        QDir().mkpath(m_bad);
        SetUpFolders(QStringLiteral(ORVANE_BIN_DIR), path(QStringLiteral("tmp")));
        CancelRequested = false;
    }

    // The table "what the run does to the files", one row per case.
    void whatTheRunDoes_data()
    {
        QTest::addColumn<bool>("inArchive");
        QTest::addColumn<QString>("kind");  // valid, invalid
        QTest::addColumn<bool>("convert");
        QTest::addColumn<bool>("pack");
        QTest::addColumn<QString>("output");  // below EndDir, or below BadDir for invalid books
        QTest::addColumn<bool>("sourceStays");

        for (bool inArchive : {false, true}) {
            const char *src = inArchive ? "archive entry" : "loose file";
            QTest::addRow("%s, valid, moved", src)
                << inArchive << "valid" << false << false << kTolstoyDir + kTolstoy << inArchive;
            QTest::addRow("%s, valid, converted", src)
                << inArchive << "valid" << true << false
                << kTolstoyDir + QStringLiteral("Толстой Лев - Война и мир.txt") << true;
            QTest::addRow("%s, valid, packed", src) << inArchive << "valid" << false << true
                                                    << kTolstoyDir + kTolstoy + QStringLiteral(".zip") << inArchive;
            QTest::addRow("%s, valid, converted and packed", src)
                << inArchive << "valid" << true << true
                << kTolstoyDir + QStringLiteral("Толстой Лев - Война и мир.txt.zip") << true;
            QTest::addRow("%s, invalid", src)
                << inArchive << "invalid" << false << false << QStringLiteral("b.fb2") << inArchive;
        }
    }
    void whatTheRunDoes()
    {
        QFETCH(bool, inArchive);
        QFETCH(QString, kind);
        QFETCH(bool, convert);
        QFETCH(bool, pack);
        QFETCH(QString, output);
        QFETCH(bool, sourceStays);
        settings({{QStringLiteral("Convert"), convert ? "1" : "0"},
                  {QStringLiteral("Archive"), pack ? "1" : "0"},
                  {QStringLiteral("SaveLog"), "1"}});
        const QByteArray book = kind == QLatin1String("valid")
            ? ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"))
            : SchemaInvalidBook();
        const QString name = kind == QLatin1String("valid") ? QStringLiteral("a.fb2") : QStringLiteral("b.fb2");

        TBookList rows;
        QString source;
        if (inArchive) {
            source = m_src + QStringLiteral("books.zip");
            MakeZip(source, {{name, book}});
            rows.Append(archiveRow(source, name));
        } else {
            source = m_src + loose(name, book);
            rows.Append(looseRow(name));
        }
        const QByteArray sourceBytes = ReadFile(source);

        TProcessingRun run(rows);
        const TRunSummary s = run.Execute();
        QCOMPARE(s.Processed, 1);
        QCOMPARE(s.NotPlaced, 0);

        const QString out = (kind == QLatin1String("valid") ? m_end : m_bad) + output;
        QVERIFY2(QFile::exists(out), qPrintable(out));
        if (output.endsWith(QLatin1String(".zip"))) {
            const QString inner = QFileInfo(output).completeBaseName();
            const auto contents = ZipContents(out);
            QCOMPARE(contents.keys(), QStringList{inner});
            if (!convert)
                QCOMPARE(contents.value(inner), book);
            QVERIFY(!QFile::exists(out.chopped(4)));  // the packed file itself is gone
        } else if (convert) {
            QVERIFY(ReadFile(out).startsWith("\xEF\xBB\xBF"));
        } else {
            QCOMPARE(ReadFile(out), book);
        }
        QCOMPARE(QFile::exists(source), sourceStays);
        if (sourceStays)
            QCOMPARE(ReadFile(source), sourceBytes);

        const QByteArray log = ReadFile(m_log);
        if (kind == QLatin1String("valid")) {
            QCOMPARE(s.Placed, 1);
            QCOMPARE(log, QByteArray("\xEF\xBB\xBF"));
        } else {
            QCOMPARE(s.Invalid, 1);
            QVERIFY2(log.startsWith("\xEF\xBB\xBF"
                                    "b.fb2 => Код ошибки "),
                     log.constData());
            QVERIFY(log.endsWith("\r\n\r\n"));
        }
        verifyNoScratchFiles();
    }

    void logHoldsValidatorTextInRowOrder()
    {
        settings({{QStringLiteral("SaveLog"), "1"}});
        TBookList rows;
        rows.Append(looseRow(loose(QStringLiteral("z.fb2"), NotXmlBook())));
        rows.Append(looseRow(
            loose(QStringLiteral("ok.fb2"), ValidBook(QStringLiteral("А"), QStringLiteral("Б"), QStringLiteral("В")))));
        rows.Append(looseRow(loose(QStringLiteral("a.fb2"), SchemaInvalidBook())));
        QStringList messages;
        TRunCallbacks cb;
        cb.RowDone = [&](const TRowReport &r) {
            if (r.Outcome == TRowOutcome::Invalid)
                messages << r.Message;
        };
        TProcessingRun run(rows, cb);
        run.Execute();
        QCOMPARE(messages.size(), 2);
        for (const QString &m : messages) {
            const QStringList lines = m.split(QStringLiteral("\r\n"));
            QVERIFY2(lines.size() >= 5 && lines[0].startsWith(QStringLiteral("Код ошибки "))
                         && lines[1].startsWith(QStringLiteral("Строка "))
                         && lines[2].startsWith(QStringLiteral("Символ ")),
                     qPrintable(m));
        }
        const QByteArray expected = "\xEF\xBB\xBF"
            + (QStringLiteral("z.fb2 => ") + messages[0] + QStringLiteral("\r\n") + QStringLiteral("a.fb2 => ")
               + messages[1] + QStringLiteral("\r\n"))
                  .toUtf8();
        QCOMPARE(ReadFile(m_log), expected);
    }

    // The run judges a book as ValidateBook does, on the file as it is: a blank in the cover's
    // image is refused by the schema even though the loader would drop it. A big book is
    // validated as it is parsed, its tree built only as far as the description: same verdicts.
    void verdictIsValidateBooks_data()
    {
        QTest::addColumn<QByteArray>("book");
        QByteArray cover = ValidBook(QStringLiteral("А"), QStringLiteral("Б"), QStringLiteral("В"));
        cover.replace("<lang>", "<coverpage><image l:href=\"#c\"> </image></coverpage><lang>");
        QTest::newRow("blank in the cover's image") << cover;
        const QByteArray big =
            ValidBook(QStringLiteral("А"), QStringLiteral("Б"), QStringLiteral("В"), QString(50000, QChar(0x0436)));
        QTest::newRow("big") << big;
        QTest::newRow("big, an error after the description")
            << QByteArray(big).replace("</section>", "</section><bogus/>");
        QTest::newRow("big, an id given twice")
            << QByteArray(big).replace("<section>", "<section id=\"s\"><p>1</p></section><section id=\"s\">");
    }
    void verdictIsValidateBooks()
    {
        QFETCH(QByteArray, book);
        settings({{QStringLiteral("SaveLog"), "1"}});
        QString expected;
        const bool valid = ValidateBook(m_src + loose(QStringLiteral("b.fb2"), book), expected);
        TBookList rows;
        rows.Append(looseRow(QStringLiteral("b.fb2")));
        TProcessingRun run(rows);
        const TRunSummary s = run.Execute();
        QCOMPARE(s.Invalid, valid ? 0 : 1);
        QVERIFY(!QFile::exists(m_src + QStringLiteral("b.fb2")));
        if (valid)
            return;
        QCOMPARE(ReadFile(m_bad + QStringLiteral("b.fb2")), book);
        QCOMPARE(ReadFile(m_log),
                 "\xEF\xBB\xBF" + (QStringLiteral("b.fb2 => ") + expected + QStringLiteral("\r\n")).toUtf8());
    }

    void logOffLeavesLogAlone()
    {
        settings();
        PutFile(m_log, "old");
        TBookList rows;
        rows.Append(looseRow(loose(QStringLiteral("a.fb2"), SchemaInvalidBook())));
        TProcessingRun(rows).Execute();
        QCOMPARE(ReadFile(m_log), QByteArray("old"));
        QCOMPARE(ReadFile(m_bad + QStringLiteral("a.fb2")), SchemaInvalidBook());
    }

    void noCheckedRowsRewritesTheLog()
    {
        settings({{QStringLiteral("SaveLog"), "1"}});
        PutFile(m_log, "old entries");
        TBookList rows;
        rows.Append(looseRow(loose(QStringLiteral("a.fb2"), SchemaInvalidBook())), false);
        QList<int> percents;
        TRunCallbacks cb;
        cb.Progress = [&](int p) { percents << p; };
        const TRunSummary s = TProcessingRun(rows, cb).Execute();
        QCOMPARE(s.Processed, 0);
        QVERIFY(percents.isEmpty());
        QCOMPARE(ReadFile(m_log), QByteArray("\xEF\xBB\xBF"));
        QVERIFY(QFile::exists(m_src + QStringLiteral("a.fb2")));
    }

    void plainMoveWithEverythingOff()
    {
        settings({{QStringLiteral("Rename"), "0"}, {QStringLiteral("Sort"), "0"}});
        TBookList rows;
        const QByteArray book = ValidBook(QStringLiteral("А"), QStringLiteral("Б"), QStringLiteral("В"));
        rows.Append(looseRow(loose(QStringLiteral("Книга.fb2"), book)));
        TProcessingRun(rows).Execute();
        QCOMPARE(ReadFile(m_end + QStringLiteral("Книга.fb2")), book);
        QVERIFY(!QFile::exists(m_src + QStringLiteral("Книга.fb2")));
    }

    void percentages_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("percents");
        QTest::newRow("one") << 1 << QList<int>{100};
        QTest::newRow("three") << 3 << QList<int>{33, 66, 100};
    }
    void percentages()
    {
        QFETCH(int, rows);
        QFETCH(QList<int>, percents);
        settings();
        TBookList list;
        for (int i = 0; i < rows; ++i)
            list.Append(looseRow(loose(QStringLiteral("%1.fb2").arg(i), SchemaInvalidBook(QString::number(i)))));
        list.Append(looseRow(loose(QStringLiteral("unchecked.fb2"), SchemaInvalidBook())), false);
        QList<int> seen;
        TRunCallbacks cb;
        cb.Progress = [&](int p) { seen << p; };
        TProcessingRun(list, cb).Execute();
        QCOMPARE(seen, percents);
    }

    // Cancel clicked while row `at` is being done: that row is finished, the next checked row is
    // reached (its archive entry extracted) and left untouched, and the log holds the rows so far.
    void cancelAfterRow_data()
    {
        QTest::addColumn<int>("at");
        QTest::newRow("after the first") << 0;
        QTest::newRow("after the second") << 1;
        QTest::newRow("at the last") << 3;
    }
    void cancelAfterRow()
    {
        QFETCH(int, at);
        settings({{QStringLiteral("SaveLog"), "1"}});
        TBookList rows;
        QList<QByteArray> books;
        const QString zip = m_src + QStringLiteral("books.zip");
        QList<std::pair<QString, QByteArray>> entries;
        for (int i = 0; i < 4; ++i) {
            books << SchemaInvalidBook(QString::number(i));
            if (i % 2)
                entries.append({QStringLiteral("%1.fb2").arg(i), books.last()});
        }
        MakeZip(zip, entries);
        const QByteArray zipBytes = ReadFile(zip);
        for (int i = 0; i < 4; ++i)
            rows.Append(i % 2 ? archiveRow(zip, QStringLiteral("%1.fb2").arg(i))
                              : looseRow(loose(QStringLiteral("%1.fb2").arg(i), books[i])));

        int reached = 0;
        TRunCallbacks cb;
        cb.ProcessMessages = [&] {
            if (reached++ == at + 1)
                CancelRequested = true;
        };
        const TRunSummary s = TProcessingRun(rows, cb).Execute();
        QCOMPARE(s.Cancelled, at < 3);
        QCOMPARE(s.Processed, qMin(at + 1, 4));
        for (int i = 0; i < 4; ++i) {
            const bool done = i <= at;
            QCOMPARE(QFile::exists(m_bad + QStringLiteral("%1.fb2").arg(i)), done);
            if (i % 2 == 0)
                QCOMPARE(QFile::exists(m_src + QStringLiteral("%1.fb2").arg(i)), !done);
        }
        QCOMPARE(ReadFile(zip), zipBytes);
        const QString log = QString::fromUtf8(ReadFile(m_log));
        QCOMPARE(log.count(QStringLiteral(".fb2 => ")), qMin(at + 1, 4));
        verifyNothingLost({books[0], books[2]}, {books[1], books[3]});
    }

    // Packed books leave their place once their archives are on the disk, which the run makes
    // sure of for many archives at once: a row is reported only then, in list order, and a
    // cancelled run still finishes the rows it did.
    void packedBooksGoWhenReported_data()
    {
        QTest::addColumn<int>("cancelAt");  // -1: to the end
        QTest::newRow("to the end") << -1;
        QTest::newRow("cancelled") << 133;
    }
    void packedBooksGoWhenReported()
    {
        QFETCH(int, cancelAt);
        settings({{QStringLiteral("Archive"), "1"}, {QStringLiteral("SaveLog"), "1"}});
        const int count = 140, invalidAt = 3;
        TBookList rows;
        QList<TRunRows::RowId> ids;
        QList<QByteArray> books;
        for (int i = 0; i < count; ++i) {
            books << (i == invalidAt ? SchemaInvalidBook()
                                     : ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"),
                                                 QStringLiteral("Книга %1").arg(i)));
            ids << rows.Append(looseRow(loose(QStringLiteral("%1.fb2").arg(i), books.last())));
        }
        QList<TRunRows::RowId> reported;
        int reached = 0;
        TRunCallbacks cb;
        cb.ProcessMessages = [&] {
            if (cancelAt >= 0 && reached++ == cancelAt + 1)
                CancelRequested = true;
        };
        cb.RowDone = [&](const TRowReport &r) {
            reported << r.Row;
            QCOMPARE(r.Outcome, reported.size() - 1 == invalidAt ? TRowOutcome::Invalid : TRowOutcome::Placed);
            QVERIFY2(!QFile::exists(r.WorkingPath), qPrintable(r.WorkingPath));
            QVERIFY2(QFile::exists(r.OutputPath), qPrintable(r.OutputPath));
        };
        const TRunSummary s = TProcessingRun(rows, cb).Execute();
        const int done = cancelAt < 0 ? count : cancelAt + 1;
        QCOMPARE(s.Cancelled, cancelAt >= 0);
        QCOMPARE(reported, ids.mid(0, done));
        QCOMPARE(s.Placed, done - 1);
        for (int i = 0; i < count; ++i)
            QCOMPARE(QFile::exists(m_src + QStringLiteral("%1.fb2").arg(i)), i >= done);
        verifyNothingLost(books);
        verifyNoScratchFiles();
    }

    void cancelBeforeTheRunDoesNotStopIt()
    {
        settings();
        CancelRequested = true;
        TBookList rows;
        rows.Append(looseRow(loose(QStringLiteral("a.fb2"), SchemaInvalidBook())));
        const TRunSummary s = TProcessingRun(rows).Execute();
        QVERIFY(!s.Cancelled);
        QCOMPARE(s.Invalid, 1);
    }

    // The list changes while the run hands control to the message loop.
    void listChangesDuringTheRun()
    {
        settings();
        TBookList rows;
        QList<TRunRows::RowId> ids;
        for (int i = 0; i < 5; ++i)
            ids << rows.Append(looseRow(loose(QStringLiteral("%1.fb2").arg(i), SchemaInvalidBook(QString::number(i)))),
                               i != 3);
        int calls = 0;
        QList<int> percents;
        QList<TRunRows::RowId> reported;
        TRunCallbacks cb;
        cb.Progress = [&](int p) { percents << p; };
        cb.RowDone = [&](const TRowReport &r) { reported << r.Row; };
        cb.ProcessMessages = [&] {
            if (++calls == 1) {
                rows.SetChecked(ids[1], false);  // unchecked before it is reached: skipped
                rows.SetChecked(ids[3], true);  // checked before it is reached: done
            }
        };
        TProcessingRun(rows, cb).Execute();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(QFile::exists(m_bad + QStringLiteral("%1.fb2").arg(i)), i != 1);
        QCOMPARE(percents.last(), 100);
        QCOMPARE(reported, (QList<TRunRows::RowId>{ids[0], ids[2], ids[3], ids[4]}));
    }

    void everyRowUncheckedDuringTheRun()
    {
        settings();
        TBookList rows;
        QList<TRunRows::RowId> ids;
        for (int i = 0; i < 3; ++i)
            ids << rows.Append(looseRow(loose(QStringLiteral("%1.fb2").arg(i), SchemaInvalidBook(QString::number(i)))));
        QList<int> percents;
        TRunCallbacks cb;
        cb.Progress = [&](int p) { percents << p; };
        cb.ProcessMessages = [&] {
            for (auto id : ids)
                rows.SetChecked(id, false);
        };
        const TRunSummary s = TProcessingRun(rows, cb).Execute();
        QCOMPARE(s.Processed, 1);
        QCOMPARE(percents, QList<int>{100});
    }

    void rowsClearedDuringTheRunAreNotWalked()
    {
        settings();
        TBookList rows;
        for (int i = 0; i < 3; ++i)
            rows.Append(looseRow(loose(QStringLiteral("%1.fb2").arg(i), SchemaInvalidBook(QString::number(i)))));
        TRunCallbacks cb;
        cb.ProcessMessages = [&] { rows.Clear(); };
        const TRunSummary s = TProcessingRun(rows, cb).Execute();
        QCOMPARE(s.Processed, 1);  // the row in hand is finished
        QVERIFY(QFile::exists(m_src + QStringLiteral("1.fb2")));
        QVERIFY(QFile::exists(m_src + QStringLiteral("2.fb2")));
    }

    void secondRunInsideARunIsRefused()
    {
        settings();
        TBookList rows, other;
        rows.Append(looseRow(loose(QStringLiteral("a.fb2"), SchemaInvalidBook(QStringLiteral("a")))));
        rows.Append(looseRow(loose(QStringLiteral("b.fb2"), SchemaInvalidBook(QStringLiteral("b")))));
        other.Append(looseRow(QStringLiteral("b.fb2")));
        QString refused;
        TRunCallbacks cb;
        cb.ProcessMessages = [&] {
            QVERIFY(TProcessingRun::IsRunning());
            try {
                TProcessingRun(other).Execute();
            } catch (const EOrvane &e) {
                refused = e.Message();
            }
        };
        const TRunSummary s = TProcessingRun(rows, cb).Execute();
        QCOMPARE(refused, TProcessingRun::RunAlreadyGoing());
        QCOMPARE(s.Invalid, 2);
        QVERIFY(!TProcessingRun::IsRunning());
    }

    void rowWithoutRecordIsAnAssertion()
    {
        settings();
        struct NoRecord : TBookList {
            const TListEntry *Entry(RowId) const override { return nullptr; }
        } rows;
        rows.Append(looseRow(loose(QStringLiteral("a.fb2"), SchemaInvalidBook())));
        TProcessingRun run(rows);
        QVERIFY_THROWS_EXCEPTION(EOrvane, run.Execute());
        QCOMPARE(run.Summary().ErrorMessage, QStringLiteral("Assertion failure (_form\\frm_Main, line 1018)"));
        QCOMPARE(run.Summary().Errors, 1);
        QVERIFY(!TProcessingRun::IsRunning());
    }

    // Cases where the steps as written would replace or lose a book. Each row: books put in
    // place before the run, the rows, and what each row must come to.
    void nothingIsLost_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<bool>("pack");
        QTest::addColumn<QList<int>>("outcomes");  // TRowOutcome per row
        const int placed = int(TRowOutcome::Placed), invalid = int(TRowOutcome::Invalid),
                  notPlaced = int(TRowOutcome::NotPlaced);
        QTest::newRow("two books, one name") << "same name" << false << QList<int>{placed, notPlaced};
        QTest::newRow("two books, one name, packed") << "same name" << true << QList<int>{placed, notPlaced};
        QTest::newRow("two books, one name, converted")
            << "same name, converted" << false << QList<int>{placed, notPlaced};
        QTest::newRow("two books, one name, converted and packed")
            << "same name, converted" << true << QList<int>{placed, notPlaced};
        QTest::newRow("a converted file from before the run is made anew")
            << "earlier output, converted" << false << QList<int>{placed};
        QTest::newRow("target taken before the run") << "target taken" << false << QList<int>{notPlaced};
        QTest::newRow("archive taken before the run") << "archive taken" << true << QList<int>{notPlaced};
        // A run killed after the book reached its place and before the source went: finished now.
        QTest::newRow("target holds this very book") << "target holds it" << false << QList<int>{placed};
        QTest::newRow("archive holds this very book") << "archive holds it" << true << QList<int>{placed};
        QTest::newRow("bad file taken") << "bad taken" << false << QList<int>{notPlaced};
        QTest::newRow("no bad-files folder") << "no bad folder" << false << QList<int>{notPlaced};
        QTest::newRow("a file where the target folder should be") << "folder blocked" << false << QList<int>{notPlaced};
        QTest::newRow("mixed, packed") << "mixed" << true << QList<int>{placed, invalid, notPlaced, placed};
        // Longer than a file system takes (255 bytes): said so, and the book stays.
        QTest::newRow("file name too long") << "name too long" << false << QList<int>{notPlaced};
        QTest::newRow("folder name too long") << "folder too long" << false << QList<int>{notPlaced};
        QTest::newRow("folder name too long, packed") << "folder too long" << true << QList<int>{notPlaced};
    }
    void nothingIsLost()
    {
        QFETCH(QString, scenario);
        QFETCH(bool, pack);
        QFETCH(QList<int>, outcomes);
        const bool converted = scenario.endsWith(QLatin1String("converted"));
        settings({{QStringLiteral("Archive"), pack ? "1" : "0"},
                  {QStringLiteral("SaveLog"), "1"},
                  {QStringLiteral("Convert"), converted ? "1" : "0"},
                  {QStringLiteral("ConvertType"), "0"}});
        const QByteArray a = ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"),
                                       QStringLiteral("Body a"));
        const QByteArray b = ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"),
                                       QStringLiteral("Body b"));
        const QByteArray earlier = ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"),
                                             QStringLiteral("Война и мир"), QStringLiteral("earlier"));
        const QByteArray broken = SchemaInvalidBook(QStringLiteral("bad"));
        QList<QByteArray> books;
        TBookList rows;
        auto add = [&](const QString &name, const QByteArray &data) {
            rows.Append(looseRow(loose(name, data)));
            books << data;
        };
        const QString target = m_end + kTolstoyDir + kTolstoy;
        if (scenario.startsWith(QLatin1String("same name"))) {
            add(QStringLiteral("a.fb2"), a);
            add(QStringLiteral("b.fb2"), b);
        } else if (scenario == QLatin1String("earlier output, converted")) {
            PutFile(m_end + kTolstoyDir + QStringLiteral("Толстой Лев - Война и мир.txt"), "Body b, converted before");
            add(QStringLiteral("a.fb2"), a);
        } else if (scenario == QLatin1String("target taken")) {
            PutFile(target, earlier);
            books << earlier;
            add(QStringLiteral("a.fb2"), a);
        } else if (scenario == QLatin1String("archive taken")) {
            MakeZip(target + QStringLiteral(".zip"), {{kTolstoy, earlier}});
            books << earlier;
            add(QStringLiteral("a.fb2"), a);
        } else if (scenario == QLatin1String("target holds it")) {
            PutFile(target, a);
            add(QStringLiteral("a.fb2"), a);
        } else if (scenario == QLatin1String("archive holds it")) {
            MakeZip(target + QStringLiteral(".zip"), {{kTolstoy, a}});
            add(QStringLiteral("a.fb2"), a);
        } else if (scenario == QLatin1String("bad taken")) {
            PutFile(m_bad + QStringLiteral("x.fb2"), NotXmlBook(QStringLiteral("earlier")));
            books << NotXmlBook(QStringLiteral("earlier"));
            add(QStringLiteral("x.fb2"), broken);
        } else if (scenario == QLatin1String("no bad folder")) {
            QDir(m_bad).removeRecursively();
            add(QStringLiteral("x.fb2"), broken);
        } else if (scenario == QLatin1String("folder blocked")) {
            PutFile(m_end + QStringLiteral("Т"), "a file, not a folder");
            add(QStringLiteral("a.fb2"), a);
        } else if (scenario == QLatin1String("name too long")) {
            add(QStringLiteral("a.fb2"),
                ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QString(150, QChar(0x416))));
        } else if (scenario == QLatin1String("folder too long")) {
            add(QStringLiteral("a.fb2"),
                ValidBook(QString(150, QChar(0x416)), QStringLiteral("Лев"), QStringLiteral("Война и мир")));
        } else if (scenario == QLatin1String("mixed")) {
            add(QStringLiteral("a.fb2"), a);
            add(QStringLiteral("x.fb2"), broken);
            add(QStringLiteral("b.fb2"), b);
            add(QStringLiteral("c.fb2"),
                ValidBook(QStringLiteral("Чехов"), QStringLiteral("Антон"), QStringLiteral("Дом")));
        }

        QList<int> seen;
        QStringList messages;
        TRunCallbacks cb;
        cb.RowDone = [&](const TRowReport &r) {
            seen << int(r.Outcome);
            if (r.Outcome == TRowOutcome::NotPlaced) {
                messages << r.Message;
                // A book that cannot be placed completely stays where it was.
                QCOMPARE(r.OutputPath, r.WorkingPath);
                QVERIFY2(QFile::exists(r.OutputPath), qPrintable(r.OutputPath));
            }
        };
        const TRunSummary s = TProcessingRun(rows, cb).Execute();
        QCOMPARE(seen, outcomes);
        QCOMPARE(s.NotPlaced, int(outcomes.count(int(TRowOutcome::NotPlaced))));
        QCOMPARE(s.Processed, int(outcomes.size()));

        // Each failure is in the log, in Russian, naming the row.
        const QString log = QString::fromUtf8(ReadFile(m_log));
        for (const QString &m : messages) {
            QVERIFY2(m.startsWith(QStringLiteral("Файл не ")), qPrintable(m));
            if (scenario.endsWith(QLatin1String("too long")))
                QVERIFY2(m.contains(QStringLiteral("слишком длинное имя")), qPrintable(m));
            QVERIFY2(log.contains(QStringLiteral(" => ") + m), qPrintable(log));
        }
        verifyNothingLost(books);
        verifyNoScratchFiles();
        if (converted) {
            // The first book's text is the one at the target: not replaced by the second's, and
            // replacing what was there before the run.
            const QString txt = m_end + kTolstoyDir + QStringLiteral("Толстой Лев - Война и мир.txt");
            const QByteArray out =
                pack ? ZipContents(txt + QStringLiteral(".zip")).value(QFileInfo(txt).fileName()) : ReadFile(txt);
            QVERIFY(out.contains("Body a"));
            QVERIFY(!out.contains("Body b"));
        }
    }

    // Two entries of one name are two books: each row works on its own entry.
    void sameNameTwiceInOneArchive()
    {
        settings();
        const QByteArray one =
            ValidBook(QStringLiteral("Чехов"), QStringLiteral("Антон"), QStringLiteral("Дом"), QStringLiteral("one"));
        const QByteArray two = ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"),
                                         QStringLiteral("Война и мир"), QStringLiteral("two"));
        QJsonArray entries;
        for (const QByteArray &book : {one, two})
            entries.append(QJsonObject{{"name", "same.fb2"}, {"data", QString::fromUtf8(book)}});
        const QString zip = m_src + QStringLiteral("twice.zip");
        QVERIFY(
            ZipFixtures::Craft(zip, QJsonDocument(QJsonObject{{"entries", entries}}).toJson(QJsonDocument::Compact)));
        TBookList rows;
        for (const TListEntry &e : BookSourceRows(zip))
            rows.Append(e);
        QCOMPARE(rows.CheckedCount(), 2);
        QList<QByteArray> placed;
        TRunCallbacks cb;
        cb.RowDone = [&](const TRowReport &r) {
            QCOMPARE(r.Outcome, TRowOutcome::Placed);
            placed << ReadFile(r.OutputPath);
        };
        TProcessingRun(rows, cb).Execute();
        QCOMPARE(placed, (QList<QByteArray>{one, two}));
    }

    void entryInAFolderOfItsArchive()
    {
        settings();
        const QString zip = m_src + QStringLiteral("books.zip");
        const QByteArray a = ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"));
        const QByteArray b = ValidBook(QStringLiteral("Чехов"), QStringLiteral("Антон"), QStringLiteral("Дом"));
        MakeZip(zip, {{QStringLiteral("x/book.fb2"), a}, {QStringLiteral("y/z/book.fb2"), b}});
        TBookList rows;
        rows.Append(archiveRow(zip, QStringLiteral("x/book.fb2")));
        rows.Append(archiveRow(zip, QStringLiteral("y/z/book.fb2")));
        const TRunSummary s = TProcessingRun(rows).Execute();
        QCOMPARE(s.Placed, 2);
        QCOMPARE(ReadFile(m_end + kTolstoyDir + kTolstoy), a);
        QCOMPARE(ReadFile(m_end + QStringLiteral("Ч/Чехов Антон/Чехов Антон - Дом.fb2")), b);
    }

    // "Валидация" off: no validation; a book that cannot be loaded goes to the bad-files folder
    // with the loader's message, and the run goes on.
    void validationOff()
    {
        settings({{QStringLiteral("Valid"), "0"}, {QStringLiteral("SaveLog"), "1"}});
        TBookList rows;
        rows.Append(looseRow(loose(QStringLiteral("x.fb2"), NotXmlBook())));
        rows.Append(looseRow(loose(QStringLiteral("a.fb2"), SchemaInvalidBook())));
        QStringList messages;
        TRunCallbacks cb;
        cb.RowDone = [&](const TRowReport &r) { messages << r.Message; };
        const TRunSummary s = TProcessingRun(rows, cb).Execute();
        QCOMPARE(s.Invalid, 1);
        QCOMPARE(s.Placed, 1);  // not validated, so placed although the schema refuses it
        QVERIFY(QFile::exists(m_bad + QStringLiteral("x.fb2")));
        QVERIFY(!messages[0].startsWith(QStringLiteral("Код ошибки")));
        QVERIFY(messages[0].endsWith(QStringLiteral("\r\n")));
        QCOMPARE(ReadFile(m_log),
                 "\xEF\xBB\xBF" + (QStringLiteral("x.fb2 => ") + messages[0] + QStringLiteral("\r\n")).toUtf8());
    }

    void dryRunChangesNothing()
    {
        settings({{QStringLiteral("Archive"), "1"}, {QStringLiteral("SaveLog"), "1"}});
        TBookList rows;
        const QByteArray a = ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"),
                                       QStringLiteral("Body a"));
        const QByteArray b = ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"),
                                       QStringLiteral("Body b"));
        rows.Append(looseRow(loose(QStringLiteral("a.fb2"), a)));
        rows.Append(looseRow(loose(QStringLiteral("b.fb2"), b)));
        rows.Append(looseRow(loose(QStringLiteral("x.fb2"), SchemaInvalidBook())));
        const auto before = ContentsBelow(m_root->path());
        QList<std::pair<int, QString>> seen;
        TRunCallbacks cb;
        cb.RowDone = [&](const TRowReport &r) { seen.append({int(r.Outcome), r.OutputPath}); };
        TProcessingRun(rows, cb, TRunOptions{true}).Execute();
        QCOMPARE(ContentsBelow(m_root->path()), before);
        const QString zip = m_end + kTolstoyDir + kTolstoy + QStringLiteral(".zip");
        QCOMPARE(seen.size(), 3);
        QCOMPARE(seen[0], std::make_pair(int(TRowOutcome::Placed), zip));
        QCOMPARE(seen[1].first, int(TRowOutcome::NotPlaced));  // the first book took the name
        QCOMPARE(seen[2], std::make_pair(int(TRowOutcome::Invalid), m_bad + QStringLiteral("x.fb2")));
    }

    // An output folder that is not set (or not a full path) ends the run before a book moves.
    void outputFolderNotSet_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("endDir");
        QTest::newRow("empty, sorting off") << "0" << QString();
        QTest::newRow("empty, sorting on") << "1" << QString();
        QTest::newRow("relative") << "0" << QStringLiteral("out/");
    }
    void outputFolderNotSet()
    {
        QFETCH(QString, sort);
        QFETCH(QString, endDir);
        settings({{QStringLiteral("Sort"), sort}, {QStringLiteral("EndDir"), endDir}});
        TBookList rows;
        rows.Append(looseRow(
            loose(QStringLiteral("a.fb2"), ValidBook(QStringLiteral("А"), QStringLiteral("Б"), QStringLiteral("В")))));
        TProcessingRun run(rows);
        QVERIFY_THROWS_EXCEPTION(EOrvane, run.Execute());
        QCOMPARE(run.Summary().ErrorMessage, QStringLiteral("Unable to create directory"));
        QVERIFY(QFile::exists(m_src + QStringLiteral("a.fb2")));
    }

    // Folders typed without their "/" still take the books inside, never beside them.
    void foldersWithoutTrailingSlash()
    {
        settings({{QStringLiteral("EndDir"), m_end.chopped(1)}, {QStringLiteral("BadDir"), m_bad.chopped(1)}});
        TBookList rows;
        rows.Append(looseRow(
            loose(QStringLiteral("a.fb2"), ValidBook(QStringLiteral("А"), QStringLiteral("Б"), QStringLiteral("В")))));
        rows.Append(looseRow(loose(QStringLiteral("x.fb2"), SchemaInvalidBook())));
        QList<TRowReport> seen;
        TRunCallbacks cb;
        cb.RowDone = [&](const TRowReport &r) { seen.append(r); };
        TProcessingRun(rows, cb).Execute();
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].Outcome, TRowOutcome::Placed);
        QVERIFY2(seen[0].OutputPath.startsWith(m_end), qPrintable(seen[0].OutputPath));
        QVERIFY(QFile::exists(seen[0].OutputPath));
        QCOMPARE(seen[1].Outcome, TRowOutcome::Invalid);
        QCOMPARE(seen[1].OutputPath, m_bad + QStringLiteral("x.fb2"));
        QVERIFY(QFile::exists(seen[1].OutputPath));
        // Nothing lies beside the folders.
        QCOMPARE(QDir(m_root->path())
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                     .filter(QRegularExpression(QStringLiteral("^(end|bad)."))),
                 QStringList());
    }

    // Without a bad-files folder an invalid book stays where it was and is reported.
    void badFolderNotSet()
    {
        settings({{QStringLiteral("BadDir"), QString()}, {QStringLiteral("SaveLog"), "1"}});
        TBookList rows;
        rows.Append(looseRow(loose(QStringLiteral("x.fb2"), SchemaInvalidBook())));
        const TRunSummary s = TProcessingRun(rows).Execute();
        QCOMPARE(s.NotPlaced, 1);
        QVERIFY(QFile::exists(m_src + QStringLiteral("x.fb2")));
        QVERIFY(!QFile::exists(QDir::current().filePath(QStringLiteral("x.fb2"))));
        QVERIFY(QString::fromUtf8(ReadFile(m_log)).contains(QStringLiteral("x.fb2 => Файл не перемещён в \"x.fb2\"")));
    }
};

QTEST_GUILESS_MAIN(TestRun)
#include "test_run.moc"
