// The rows a path gives the file list, and the books of a folder.

#include "ZipFixtures.h"
#include "globals/Errors.h"
#include "list/BookSources.h"
#include "zip/ZipArchive.h"

#include <QtTest>

using namespace ZipFixtures;

namespace {

// "name|dir|size|inArchive|archive|storedPath" of each row.
QStringList Describe(const QList<TListEntry> &rows)
{
    QStringList out;
    for (const TListEntry &r : rows)
        out << QStringList{r.FileName,    r.FileDir,   QString::number(r.FileSize), r.InArchive ? "1" : "0",
                           r.ArchivePath, r.StoredPath}
                   .join('|');
    return out;
}

}  // namespace

class TestBookSources : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString P(const QString &rel) const { return m_dir.path() + QLatin1Char('/') + rel; }

private slots:
    void initTestCase()
    {
        QVERIFY(WriteFile(P("b/Book.FB2"), "12345"));
        QVERIFY(WriteFile(P("b/notes.txt"), "notes"));
        QVERIFY(Craft(P("b/books.zip"), R"({"entries": [
            {"name": "second.fb2", "data": "22"}, {"name": "notes.txt", "data": "n"},
            {"name": "Серия/FIRST.FB2", "host": 3, "data": "1"}, {"name": "folder.fb2/", "external": 16},
            {"name": "huge.fb2", "data": "x", "size": 3000000000}]})"));
        QVERIFY(Craft(P("b/UPPER.ZIP"), R"({"entries": [{"name": "u.fb2", "data": "u"}]})"));
    }

    void rowsOfAPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("rows");
        const QString b = P("b/");
        QTest::newRow("fb2 file, any case of extension") << b + "Book.FB2" << QStringList{"Book.FB2|" + b + "|5|0||"};
        QTest::newRow("missing fb2 file") << b + "gone.fb2" << QStringList{"gone.fb2|" + b + "|0|0||"};
        QTest::newRow("archive: fb2 entries in order, in every folder, sizes over 2 GiB")
            << b + "books.zip"
            << QStringList{"second.fb2||2|1|" + b + "books.zip|", "FIRST.FB2||1|1|" + b + "books.zip|Серия/",
                           "huge.fb2||3000000000|1|" + b + "books.zip|"};
        QTest::newRow("archive with upper-case extension")
            << b + "UPPER.ZIP" << QStringList{"u.fb2||1|1|" + b + "UPPER.ZIP|"};
        QTest::newRow("other file") << b + "notes.txt" << QStringList();
        QTest::newRow("folder") << b << QStringList();
        QTest::newRow("no extension after the last slash") << P("b.fb2/file") << QStringList();
    }
    void rowsOfAPath()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, rows);
        QCOMPARE(Describe(BookSourceRows(path)), rows);
    }

    void relativePathGetsItsAbsoluteFolder()
    {
        const QString old = QDir::currentPath();
        QDir::setCurrent(P("b"));
        const QList<TListEntry> rows = BookSourceRows("Book.FB2");
        QDir::setCurrent(old);
        QCOMPARE(Describe(rows), QStringList{"Book.FB2|" + P("b/") + "|5|0||"});
    }

    void bigLooseFileKeepsItsSize()
    {
        QFile f(P("big/large.fb2"));
        QVERIFY(QDir().mkpath(P("big")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(qint64(5) << 30));  // sparse: takes no room
        f.close();
        QCOMPARE(BookSourceRows(P("big/large.fb2")).value(0).FileSize, qint64(5) << 30);
    }

    void unreadableArchiveRaisesAndIsClosed()
    {
        QVERIFY(WriteFile(P("bad/broken.zip"), "not an archive"));
        TZipArchive zip;
        try {
            BookSourceRows(P("bad/broken.zip"), zip);
            QFAIL("no error raised");
        } catch (const EOrvane &e) {
            QCOMPARE(e.Message(),
                     "Zip: File \"" + P("bad/broken.zip") + "\" is not a ZIP archive - Native error: 00014");
        }
        QVERIFY(!zip.IsOpen());
        BookSourceRows(P("b/books.zip"), zip);
        QVERIFY(!zip.IsOpen());
    }

    void folderGivesItsOwnFb2Files()
    {
        for (const char *f : {"dir/b.fb2", "dir/A.FB2", "dir/c.zip", "dir/d.txt", "dir/sub/e.fb2", "dir/.hidden.fb2"})
            QVERIFY(WriteFile(P(f), "x"));
        QVERIFY(QDir().mkpath(P("dir/folder.fb2")));
        const QString dir = P("dir");
        QCOMPARE(FolderBookFiles(dir), (QStringList{dir + "/.hidden.fb2", dir + "/A.FB2", dir + "/b.fb2"}));
        QCOMPARE(FolderBookFiles(dir + "/"), FolderBookFiles(dir));
    }
};

QTEST_GUILESS_MAIN(TestBookSources)
#include "test_book_sources.moc"
