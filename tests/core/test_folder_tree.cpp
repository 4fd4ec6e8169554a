// "Открыть папку с подпапками": the books of a folder tree, in order, without following links
// out of the tree or round in a loop, stoppable, and not stopped by one damaged archive.

#include "ZipFixtures.h"
#include "list/FolderTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes a tree below `root` from lines: "a/b.fb2" a file, "a/" a folder, "a/l -> target" a
// link (to a path below `root`, or to "./x" or ".." beside the link), "a/p|" a named pipe.
void MakeTree(const QString &root, const QStringList &lines)
{
    for (const QString &line : lines) {
        if (line.contains(" -> ")) {
            const QString path = root + line.section(" -> ", 0, 0);
            const QString target = line.section(" -> ", 1);
            const QString to = target.startsWith('.') ? target : root + target;
            QDir().mkpath(QFileInfo(path).path());
            QVERIFY2(symlink(QFile::encodeName(to).constData(), QFile::encodeName(path).constData()) == 0,
                     qPrintable(line));
        } else if (line.endsWith('/')) {
            QVERIFY(QDir().mkpath(root + line));
        } else if (line.endsWith('|')) {
            const QString path = root + line.chopped(1);
            QDir().mkpath(QFileInfo(path).path());
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            QVERIFY(ZipFixtures::WriteFile(root + line, "<FictionBook/>"));
        }
    }
}

QStringList Relative(const QString &root, const QStringList &paths)
{
    QStringList out;
    for (const QString &p : paths)
        out << (p.startsWith(root) ? p.mid(root.size()) : "OUTSIDE:" + p);
    return out;
}

}  // namespace

class TestFolderTree : public QObject {
    Q_OBJECT
private slots:
    void sourcesOfATree_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("chosen");  // relative to the temporary folder
        QTest::addColumn<QStringList>("found");
        QTest::newRow("nested, each folder's files first, then its subfolders by name")
            << QStringList{"t/b.fb2",   "t/A.FB2",        "t/notes.txt",   "t/z/c.fb2",
                           "t/a/d.Zip", "t/a/deep/e.fb2", "t/a/f.fb2.txt", "t/empty/"}
            << "t" << QStringList{"A.FB2", "b.fb2", "a/d.Zip", "a/deep/e.fb2", "z/c.fb2"};
        QTest::newRow("links out of the tree are not followed") << QStringList{"out/x.fb2",
                                                                               "out/sub/y.fb2",
                                                                               "t/own.fb2",
                                                                               "t/to-folder -> out",
                                                                               "t/to-file.fb2 -> out/x.fb2",
                                                                               "t/dangling.fb2 -> out/none.fb2"}
                                                                << "t" << QStringList{"own.fb2"};
        QTest::newRow("links back into the tree make no loop and no second row")
            << QStringList{"t/a.fb2",       "t/s/b.fb2",   "t/s/up -> ..",
                           "t/s/self -> .", "t/root -> t", "t/s/twin.fb2 -> ./b.fb2"}
            << "t" << QStringList{"a.fb2", "s/b.fb2"};
        QTest::newRow("the chosen folder may be a link") << QStringList{"real/a.fb2", "real/s/b.zip", "chosen -> real"}
                                                         << "chosen" << QStringList{"a.fb2", "s/b.zip"};
        QTest::newRow("only regular files; a folder named like a book is a folder")
            << QStringList{"t/pipe.fb2|", "t/x.fb2/inner.fb2", "t/y.zip/"} << "t" << QStringList{"x.fb2/inner.fb2"};
        QTest::newRow("hidden files and folders count")
            << QStringList{"t/.a.fb2", "t/.h/b.fb2"} << "t" << QStringList{".a.fb2", ".h/b.fb2"};
        QTest::newRow("no such folder") << QStringList{"t/a.fb2"} << "none" << QStringList{};
    }
    void sourcesOfATree()
    {
        QFETCH(QStringList, tree);
        QFETCH(QString, chosen);
        QFETCH(QStringList, found);
        QTemporaryDir dir;
        const QString base = dir.path() + '/';
        MakeTree(base, tree);
        bool stopped = true;
        // With and without the trailing slash.
        for (const QString &folder : {base + chosen, base + chosen + '/'}) {
            const QStringList got = FolderTreeBookSources(folder, {}, &stopped);
            QCOMPARE(Relative(base + chosen + '/', got), found);
            QVERIFY(!stopped);
        }
    }

    // Asked to stop, the walk stops at once and gives nothing; the progress it told grows.
    void stopsWhenAsked()
    {
        QTemporaryDir dir;
        const QString base = dir.path() + '/';
        MakeTree(base, {"a/1.fb2", "a/b/2.fb2", "a/c/3.fb2", "a/d/4.fb2"});
        QList<TFolderTreeProgress> told;
        bool stopped = false;
        const QStringList got = FolderTreeBookSources(
            base + "a",
            [&](const TFolderTreeProgress &p) {
                told << p;
                return told.size() < 2;
            },
            &stopped);
        QVERIFY(stopped);
        QVERIFY(got.isEmpty());
        QCOMPARE(told.size(), 2);
        QCOMPARE(told[0].Folders, 1);
        QCOMPARE(told[0].Found, 1);
        QCOMPARE(told[0].Current, base + "a/");
        QCOMPARE(told[1].Folders, 2);
        QCOMPARE(told[1].Current, base + "a/b/");

        const TFolderTreeRows rows = ReadFolderTree(base + "a", [](const TFolderTreeProgress &p) { return p.Listing; });
        QVERIFY(rows.Stopped);
        QVERIFY(rows.Rows.isEmpty());
    }

    // A damaged archive is named among the failures; the books around it are all there.
    void rowsOfATreeAroundADamagedArchive()
    {
        QTemporaryDir dir;
        const QString base = dir.path() + '/';
        MakeTree(base, {"t/in/one.fb2", "t/in/two.fb2", "t/a.fb2", "t/s/z.fb2"});
        QVERIFY(ZipFixtures::WriteFile(base + "t/m/bad.zip", "this is no archive"));
        QCOMPARE(ZipFixtures::Run("zip", {"-q", "-X", base + "t/m/good.zip", "two.fb2", "one.fb2"}, base + "t/in"), 0);
        QVERIFY(QDir(base + "t/in").removeRecursively());
        int lastRead = -1;
        const TFolderTreeRows rows = ReadFolderTree(base + "t", [&](const TFolderTreeProgress &p) {
            if (!p.Listing)
                lastRead = p.Read;
            return true;
        });
        QVERIFY(!rows.Stopped);
        QStringList got;
        for (const TListEntry &e : rows.Rows)
            got << (e.InArchive ? QFileInfo(e.ArchivePath).fileName() + ':' + e.FileName
                                : e.FileDir.mid(base.size()) + e.FileName);
        QCOMPARE(got, (QStringList{"t/a.fb2", "good.zip:two.fb2", "good.zip:one.fb2", "t/s/z.fb2"}));
        QCOMPARE(rows.Failures.size(), 1);
        QVERIFY2(rows.Failures[0].contains(base + "t/m/bad.zip"), qPrintable(rows.Failures[0]));
        QCOMPARE(lastRead, 3);  // told before each of the four sources
    }
};

QTEST_GUILESS_MAIN(TestFolderTree)
#include "test_folder_tree.moc"
