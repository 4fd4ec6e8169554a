// The run journal and undo: for every kind of run, run then undo gives back the very tree of
// before (names and contents); a killed run's journal; places taken and outputs changed since
// the run; hand-edited journals; the list of runs that can be undone; the dry run's plan.

#include "RunFixtures.h"
#include "ZipFixtures.h"

#include "config/AppSettings.h"
#include "config/Folders.h"
#include "globals/Errors.h"
#include "journal/FileHash.h"
#include "journal/JournalFiles.h"
#include "journal/RunJournal.h"
#include "journal/UndoRun.h"
#include "list/BookList.h"
#include "list/BookSources.h"
#include "run/ProcessingRun.h"

#include <QDirIterator>
#include <QtTest>

using namespace RunFixtures;
using ZipFixtures::ReadFile;

namespace {

// Every folder (ending in "/") and file below `root` by its path relative to it, a file with its
// bytes: two trees are the same when these are.
QMap<QString, QByteArray> Tree(const QString &root)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        const QString rel = QDir(root).relativeFilePath(p);
        if (it.fileInfo().isDir())
            tree.insert(rel + u'/', QByteArray());
        else
            tree.insert(rel, ReadFile(p));
    }
    return tree;
}

void compareTrees(const QMap<QString, QByteArray> &actual, const QMap<QString, QByteArray> &expected)
{
    QCOMPARE(actual.keys(), expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(actual.value(it.key()) == it.value(), qPrintable(it.key()));
}

}  // namespace

class TestUndo : public QObject {
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_root;
    QString m_tree, m_src, m_end, m_bad, m_journals;

    QString path(const QString &rel) const { return m_root->filePath(rel); }

    void settings(bool convert, bool pack)
    {
        const QString config = path(QStringLiteral("config.ini"));
        WriteConfig(config,
                    {{QStringLiteral("EndDir"), m_end},
                     {QStringLiteral("BadDir"), m_bad},
                     {QStringLiteral("LogFile"), path(QStringLiteral("log.txt"))},
                     {QStringLiteral("SaveLog"), QStringLiteral("1")},
                     {QStringLiteral("Convert"), convert ? QStringLiteral("1") : QStringLiteral("0")},
                     {QStringLiteral("Archive"), pack ? QStringLiteral("1") : QStringLiteral("0")}});
        UpdateSetting(config);
    }

    // Two valid books by one author (so one sort folder), one by another, one invalid book; loose
    // in the source folder, or as entries of one archive there (one in a folder of the archive).
    TBookList sources(bool inArchive)
    {
        const QList<std::pair<QString, QByteArray>> books{
            {QStringLiteral("a.fb2"),
             ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"))},
            {QStringLiteral("b.fb2"),
             ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Анна Каренина"))},
            {QStringLiteral("c.fb2"),
             ValidBook(QStringLiteral("Чехов"), QStringLiteral("Антон"), QStringLiteral("Степь"))},
            {QStringLiteral("d.fb2"), SchemaInvalidBook()},
        };
        TBookList rows;
        if (inArchive) {
            QList<std::pair<QString, QByteArray>> entries = books;
            entries[2].first = QStringLiteral("in/c.fb2");
            MakeZip(m_src + QStringLiteral("books.zip"), entries);
            rows.Append(BookSourceRows(m_src + QStringLiteral("books.zip")), Qt::Checked);
        } else {
            for (const auto &b : books) {
                PutFile(m_src + b.first, b.second);
                rows.Append(BookSourceRows(m_src + b.first), Qt::Checked);
            }
        }
        return rows;
    }

    QString run(const TBookList &rows, TRunCallbacks cb = {})
    {
        TRunJournal journal(m_journals);
        TProcessingRun r(rows, std::move(cb), TRunOptions{false, &journal});
        r.Execute();
        return journal.Path();
    }

private slots:
    void init()
    {
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        m_tree = path(QStringLiteral("tree/"));
        m_src = m_tree + QStringLiteral("src/");
        m_end = m_tree + QStringLiteral("end/");
        m_bad = m_tree + QStringLiteral("bad/");
        m_journals = path(QStringLiteral("journal/"));
        for (const QString &d : {m_src, m_end, m_bad})
            QDir().mkpath(d);
        SetUpFolders(QStringLiteral(ORVANE_BIN_DIR), path(QStringLiteral("tmp")));
        CancelRequested = false;
    }

    void runThenUndo_data()
    {
        QTest::addColumn<bool>("inArchive");
        QTest::addColumn<bool>("convert");
        QTest::addColumn<bool>("pack");
        for (bool inArchive : {false, true})
            for (bool convert : {false, true})
                for (bool pack : {false, true})
                    QTest::addRow("%s%s%s", inArchive ? "archive entries" : "loose books", convert ? ", converted" : "",
                                  pack ? ", packed" : "")
                        << inArchive << convert << pack;
    }
    void runThenUndo()
    {
        QFETCH(bool, inArchive);
        QFETCH(bool, convert);
        QFETCH(bool, pack);
        settings(convert, pack);
        const TBookList rows = sources(inArchive);
        const auto before = Tree(m_tree);

        const QString journal = run(rows);
        QVERIFY(!journal.isEmpty());
        const auto afterRun = Tree(m_tree);
        QVERIFY(afterRun != before);
        QVERIFY(QFile::exists(m_bad + QStringLiteral("d.fb2")));  // the invalid book went too

        const TUndoResult undo = UndoJournal(journal);
        QCOMPARE(undo.Problems, QStringList());
        QVERIFY(undo.Reversed > 0);
        compareTrees(Tree(m_tree), before);

        // Undo can be undone: the run's outcome comes back, and then goes again.
        const TUndoResult redo = UndoJournal(undo.UndoJournal);
        QCOMPARE(redo.Problems, QStringList());
        compareTrees(Tree(m_tree), afterRun);
        QCOMPARE(UndoJournal(redo.UndoJournal).Problems, QStringList());
        compareTrees(Tree(m_tree), before);
    }

    // A run killed after some rows: its journal has no end line and may end in half a line, or
    // in a step whose operation never happened.
    void killedRun_data()
    {
        QTest::addColumn<int>("rowsDone");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("after the first row") << 1 << QByteArray();
        QTest::newRow("after two rows, a line cut off") << 2 << QByteArray("move\tabc");
        QTest::newRow("after three rows, a step that never happened") << 3 << QByteArray("next");
    }
    void killedRun()
    {
        QFETCH(int, rowsDone);
        QFETCH(QByteArray, tail);
        settings(false, true);
        const TBookList rows = sources(false);
        const auto before = Tree(m_tree);
        int reached = 0;
        TRunCallbacks cb;
        cb.ProcessMessages = [&] {
            if (reached++ == rowsDone)
                CancelRequested = true;
        };
        const QString journal = run(rows, cb);

        // Cut the end line, as a kill leaves it.
        QByteArray text = ReadFile(journal);
        QVERIFY(text.contains("\nend\t"));
        text.truncate(text.lastIndexOf("\nend\t") + 1);
        if (tail == "next") {
            // The intent of the fourth row's move, written just before the process died.
            TJournalStep s;
            s.Kind = TStepKind::Move;
            s.Hash = RegularFileHash(m_src + QStringLiteral("d.fb2"));
            s.From = m_src + QStringLiteral("d.fb2");
            s.To = m_bad + QStringLiteral("d.fb2");
            text += StepLine(s) + '\n';
        } else {
            text += tail;
        }
        QVERIFY(ZipFixtures::WriteFile(journal, text));
        QCOMPARE(ReadJournal(journal).End, QString());

        const TUndoResult undo = UndoJournal(journal);
        QCOMPARE(undo.Problems, QStringList());
        compareTrees(Tree(m_tree), before);
    }

    // A run killed after it packed books and before it removed them from their places leaves
    // each book both in its new archive and at its place: undo removes the archives and leaves
    // the books, and undoing the undo packs them again.
    void killedBeforeTheSourcesWent()
    {
        settings(false, true);
        const TBookList rows = sources(false);
        const auto before = Tree(m_tree);
        QMap<QString, QDateTime> times;  // the archives keep them: the books come back with theirs
        for (auto it = before.begin(); it != before.end(); ++it)
            times.insert(it.key(), QFileInfo(m_tree + it.key()).lastModified());
        const QString journal = run(rows);
        const auto afterRun = Tree(m_tree);
        // The books as the kill left them: back at their places beside their archives.
        for (auto it = before.begin(); it != before.end(); ++it) {
            if (it.key().endsWith(u'/') || QFile::exists(m_tree + it.key()))
                continue;
            PutFile(m_tree + it.key(), it.value());
            QFile f(m_tree + it.key());
            QVERIFY(f.open(QIODevice::ReadWrite)
                    && f.setFileTime(times.value(it.key()), QFileDevice::FileModificationTime));
        }

        const TUndoResult undo = UndoJournal(journal);
        QCOMPARE(undo.Problems, QStringList());
        compareTrees(Tree(m_tree), before);
        const TUndoResult redo = UndoJournal(undo.UndoJournal);
        QCOMPARE(redo.Problems, QStringList());
        compareTrees(Tree(m_tree), afterRun);
    }

    // Nothing is replaced and nothing unproven deleted: a taken place, a changed output, an
    // archive changed since the run; the rest of the run is undone all the same.
    void undoLeavesWhatItCannotProve()
    {
        settings(false, false);
        TBookList rows = sources(false);
        const QString zip = m_src + QStringLiteral("more.zip");
        MakeZip(zip,
                {{QStringLiteral("e.fb2"),
                  ValidBook(QStringLiteral("Гоголь"), QStringLiteral("Николай"), QStringLiteral("Нос"))},
                 {QStringLiteral("f.fb2"),
                  ValidBook(QStringLiteral("Гоголь"), QStringLiteral("Николай"), QStringLiteral("Шинель"))}});
        rows.Append(BookSourceRows(zip), Qt::Checked);
        const QString journal = run(rows);

        const QString placedA = m_end + QStringLiteral("Т/Толстой Лев/Толстой Лев - Война и мир.fb2");
        const QString placedC = m_end + QStringLiteral("Ч/Чехов Антон/Чехов Антон - Степь.fb2");
        const QString placedE = m_end + QStringLiteral("Г/Гоголь Николай/Гоголь Николай - Нос.fb2");
        const QString placedF = m_end + QStringLiteral("Г/Гоголь Николай/Гоголь Николай - Шинель.fb2");
        for (const QString &p : {placedA, placedC, placedE, placedF})
            QVERIFY2(QFile::exists(p), qPrintable(p));
        PutFile(m_src + QStringLiteral("a.fb2"), "a new file at the old place");  // place taken
        PutFile(placedC, ReadFile(placedC) + "<!-- edited -->");  // changed since
        const QByteArray copyE = ReadFile(placedE);
        MakeZip(zip, {{QStringLiteral("f.fb2"), ReadFile(placedF)}});  // e.fb2 gone from the archive

        const TUndoResult undo = UndoJournal(journal);
        QCOMPARE(undo.Problems.size(), 3);
        QVERIFY(undo.Problems[0].contains(QStringLiteral("Нос")));
        QVERIFY(undo.Problems.join(u'\n').contains(QStringLiteral("изменён после обработки")));
        QVERIFY(undo.Problems.join(u'\n').contains(QStringLiteral("занято")));
        QCOMPARE(ReadFile(m_src + QStringLiteral("a.fb2")), QByteArray("a new file at the old place"));
        QVERIFY(QFile::exists(placedA));
        QVERIFY(ReadFile(placedC).endsWith("<!-- edited -->"));
        QCOMPARE(ReadFile(placedE), copyE);  // the only copy left of that book
        QVERIFY(!QFile::exists(placedF));  // its archive still holds it
        QVERIFY(QFile::exists(m_src + QStringLiteral("b.fb2")));
        QVERIFY(QFile::exists(m_src + QStringLiteral("d.fb2")));
    }

    void packedArchiveChangedSinceTheRun()
    {
        settings(false, true);
        const TBookList rows = sources(false);
        const QString journal = run(rows);
        const QString zipA = m_end + QStringLiteral("Т/Толстой Лев/Толстой Лев - Война и мир.fb2.zip");
        const QString bookB = m_end + QStringLiteral("Т/Толстой Лев/Толстой Лев - Анна Каренина.fb2");
        const QByteArray a = ZipContents(zipA).first();
        MakeZip(zipA, {{QFileInfo(zipA).completeBaseName(), a}, {QStringLiteral("extra.txt"), "more"}});

        const TUndoResult undo = UndoJournal(journal);
        QCOMPARE(undo.Problems.size(), 1);
        QVERIFY(undo.Problems[0].contains(zipA));
        QCOMPARE(ZipContents(zipA).size(), 2);
        QVERIFY(!QFile::exists(m_src + QStringLiteral("a.fb2")));
        QVERIFY(QFile::exists(m_src + QStringLiteral("b.fb2")));
        QVERIFY(!QFile::exists(bookB + QStringLiteral(".zip")));
    }

    // A conversion over a file from before the run replaces it; undo gives it back.
    void convertedOverAnEarlierFile()
    {
        settings(true, false);
        const TBookList rows = sources(false);
        const QString earlier = m_end + QStringLiteral("Т/Толстой Лев/Толстой Лев - Война и мир.txt");
        PutFile(earlier, "converted by an earlier run");
        const auto before = Tree(m_tree);
        const QString journal = run(rows);
        QVERIFY(ReadFile(earlier) != "converted by an earlier run");
        QCOMPARE(UndoJournal(journal).Problems, QStringList());
        compareTrees(Tree(m_tree), before);
    }

    void handEditedJournal()
    {
        settings(false, false);
        const TBookList rows = sources(false);
        const auto before = Tree(m_tree);
        const QString journal = run(rows);
        QByteArray text = ReadFile(journal);
        // A line that is no step, and a step for a book that is gone.
        const qsizetype firstStep = text.indexOf('\n') + 1;
        text.insert(firstStep,
                    "move\tnot-a-hash\t/a\t/b\nmove\t" + QByteArray(64, 'a') + "\t" + m_src.toUtf8() + "gone.fb2\t"
                        + m_end.toUtf8() + "gone.fb2\n");
        QVERIFY(ZipFixtures::WriteFile(journal, text));
        const TUndoResult undo = UndoJournal(journal);
        QCOMPARE(undo.Problems.size(), 2);
        QVERIFY(undo.Problems[0].startsWith(QStringLiteral("Строка 2 журнала")));
        QVERIFY(undo.Problems[1].contains(QStringLiteral("gone.fb2")));
        compareTrees(Tree(m_tree), before);

        const QString notJournal = path(QStringLiteral("x.journal"));
        PutFile(notJournal, "hello\n");
        try {
            UndoJournal(notJournal);
            QFAIL("no error");
        } catch (const EOrvane &e) {
            QCOMPARE(e.Message(), QStringLiteral("Файл \"%1\" не является журналом обработки").arg(notJournal));
        }
    }

    void fieldsWithTabsAndLineBreaks()
    {
        TJournalStep s;
        s.Kind = TStepKind::Place;
        s.Hash = QByteArray(64, 'f');
        s.Archive = QStringLiteral("/a\tb/книги.zip");
        s.EntryIndex = 7;
        s.StoredName = QStringLiteral("x\\y\n.fb2");
        s.From = QStringLiteral("/t/\r");
        s.To = QStringLiteral("/o/x\\ty.fb2");
        const QByteArray line = StepLine(s);
        QVERIFY(!line.contains('\n'));
        TJournalStep back;
        QVERIFY(ParseStepLine(line, back));
        QCOMPARE(back.Archive, s.Archive);
        QCOMPARE(back.StoredName, s.StoredName);
        QCOMPARE(back.From, s.From);
        QCOMPARE(back.To, s.To);
        QCOMPARE(back.EntryIndex, s.EntryIndex);
    }

    // The runs that can be undone: an undo takes its run off the list, undoing the undo puts it back.
    void runsThatCanBeUndone()
    {
        settings(false, false);
        QCOMPARE(LastUndoable(m_journals), QString());
        const QString first = run(sources(false));
        QTest::qWait(5);  // journal names begin with the time in milliseconds
        PutFile(m_src + QStringLiteral("z.fb2"),
                ValidBook(QStringLiteral("Пушкин"), QStringLiteral("Александр"), QStringLiteral("Пиковая дама")));
        TBookList one;
        one.Append(BookSourceRows(m_src + QStringLiteral("z.fb2")), Qt::Checked);
        const QString second = run(one);
        QCOMPARE(LastUndoable(m_journals), second);

        const TUndoResult undo = UndoJournal(second);
        QCOMPARE(LastUndoable(m_journals), first);
        const auto list = ListJournals(m_journals);
        QCOMPARE(list.size(), 3);
        QCOMPARE(list[0].Path, undo.UndoJournal);
        QVERIFY(list[0].IsUndo && !list[0].Undone);
        QVERIFY(list[1].Undone);
        QCOMPARE(list[2].End, QStringLiteral("done"));

        QTest::qWait(5);
        UndoJournal(undo.UndoJournal);
        QCOMPARE(LastUndoable(m_journals), second);
    }

    // The list's rows follow the run's books to their places, and after the undo back to where
    // they were, so that no row is left naming a file that is gone.
    void rowsFollowTheUndo_data()
    {
        QTest::addColumn<bool>("inArchive");
        QTest::addColumn<bool>("pack");
        for (bool inArchive : {false, true})
            for (bool pack : {false, true})
                QTest::addRow("%s%s", inArchive ? "archive entries" : "loose books", pack ? ", packed" : "")
                    << inArchive << pack;
    }
    void rowsFollowTheUndo()
    {
        QFETCH(bool, inArchive);
        QFETCH(bool, pack);
        settings(false, pack);
        TBookList rows = sources(inArchive);
        const auto sourcesOf = [&rows] {
            QStringList out;
            for (int i = 0; i < rows.Count(); ++i)
                out << RowSource(rows.At(i).Entry);
            return out;
        };
        const QStringList before = sourcesOf();
        TRunJournal journal(m_journals);
        TProcessingRun run(rows, {}, TRunOptions{false, &journal});
        run.Execute();
        rows.TakeRunReport(run.Report());
        if (!inArchive)
            QVERIFY(sourcesOf() != before);

        const TUndoResult undo = UndoJournal(journal.Path());
        QCOMPARE(undo.Problems, QStringList());
        rows.FollowUndo(undo.MovedBack);
        QCOMPARE(sourcesOf(), before);
        for (int i = 0; i < rows.Count(); ++i) {
            QVERIFY(QFileInfo::exists(inArchive ? rows.At(i).Entry.ArchivePath
                                                : rows.At(i).Entry.FileDir + rows.At(i).Entry.FileName));
            QCOMPARE(rows.At(i).Gone, false);
            QCOMPARE(rows.At(i).Entry.InArchive, inArchive);
        }
    }

    // The dry run plans what the run then does, name clashes between rows included.
    void dryRunPlansTheRun()
    {
        settings(false, true);
        TBookList rows = sources(true);
        PutFile(m_src + QStringLiteral("again.fb2"),
                ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир"),
                          QStringLiteral("other")));
        rows.Append(BookSourceRows(m_src + QStringLiteral("again.fb2")), Qt::Checked);
        QString dryJournal;
        const auto outcomes = [&](bool dry) -> QStringList {
            QStringList seen;
            TRunCallbacks cb;
            cb.RowDone = [&](const TRowReport &r) {
                seen << QStringLiteral("%1 %2 %3").arg(r.Entry.FileName).arg(int(r.Outcome)).arg(r.OutputPath);
            };
            TRunJournal journal(m_journals);
            TProcessingRun(rows, cb, TRunOptions{dry, &journal}).Execute();
            if (dry)
                dryJournal = journal.Path();
            return seen;
        };
        const QStringList planned = outcomes(true);
        QCOMPARE(dryJournal, QString());  // a dry run records nothing
        QCOMPARE(planned.size(), 5);
        QCOMPARE(planned.filter(QStringLiteral(" 2 ")).size(), 1);  // the second "Война и мир" is not placed
        QCOMPARE(outcomes(false), planned);
    }
};

QTEST_GUILESS_MAIN(TestUndo)
#include "test_undo.moc"
