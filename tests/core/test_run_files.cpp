// The file handling under the run: moving without replacing, the log file, the paths of a row.

#include "globals/Errors.h"
#include "run/FileMove.h"
#include "run/Leftovers.h"
#include "run/RunLog.h"
#include "run/RunPaths.h"

#include "RunFixtures.h"
#include "ZipFixtures.h"

#include <QtTest>

#include <cerrno>
#include <sys/stat.h>

using RunFixtures::MakeZip;
using RunFixtures::PutFile;
using ZipFixtures::ReadFile;

namespace {
dev_t deviceOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_dev : dev_t(-1);
}

TListEntry loose(const QString &dir, const QString &name)
{
    TListEntry e;
    e.FileDir = dir;
    e.FileName = name;
    return e;
}
}  // namespace

class TestRunFiles : public QObject {
    Q_OBJECT
private slots:
    void moveNeverReplaces_data()
    {
        QTest::addColumn<bool>("otherFileSystem");
        QTest::newRow("same file system") << false;
        QTest::newRow("across file systems") << true;
    }
    void moveNeverReplaces()
    {
        QFETCH(bool, otherFileSystem);
        QTemporaryDir src;
        QScopedPointer<QTemporaryDir> dst(
            otherFileSystem ? new QTemporaryDir(QStringLiteral("/dev/shm/orv-test-XXXXXX")) : new QTemporaryDir);
        QVERIFY(src.isValid() && dst->isValid());
        if (otherFileSystem && deviceOf(src.path()) == deviceOf(dst->path()))
            QSKIP("no second file system here");
        const QString a = src.filePath(QStringLiteral("a.fb2")), b = dst->filePath(QStringLiteral("b.fb2"));

        // A plain move: the book is at the target, with its bytes and date, and gone from the source.
        PutFile(a, "first book");
        const QDateTime stamp = QDateTime::fromSecsSinceEpoch(1000000000);
        {
            QFile f(a);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(stamp, QFileDevice::FileModificationTime));
        }
        QCOMPARE(MoveFileNoReplace(a, b), 0);
        QVERIFY(!QFile::exists(a));
        QCOMPARE(ReadFile(b), QByteArray("first book"));
        QCOMPARE(QFileInfo(b).lastModified(), stamp);

        // A second book to the same name: refused, both books stay as they were.
        PutFile(a, "second book");
        QCOMPARE(MoveFileNoReplace(a, b), EEXIST);
        QCOMPARE(ReadFile(a), QByteArray("second book"));
        QCOMPARE(ReadFile(b), QByteArray("first book"));

        // A missing target folder: refused, the source stays.
        QCOMPARE(MoveFileNoReplace(a, dst->filePath(QStringLiteral("no/such/b.fb2"))), ENOENT);
        QCOMPARE(ReadFile(a), QByteArray("second book"));

        // A missing source.
        QCOMPARE(MoveFileNoReplace(src.filePath(QStringLiteral("gone.fb2")), dst->filePath(QStringLiteral("c.fb2"))),
                 ENOENT);
        QVERIFY(!QFile::exists(dst->filePath(QStringLiteral("c.fb2"))));

        // Nothing but the book reached the target folder (no scratch copies).
        QCOMPARE(QDir(dst->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("b.fb2")});
    }

    void moveOutOfReadOnlyFolderKeepsOneCopy()
    {
        if (::geteuid() == 0)
            QSKIP("permissions do not bind root");
        QTemporaryDir src;
        QTemporaryDir dst(QStringLiteral("/dev/shm/orv-test-XXXXXX"));
        QVERIFY(src.isValid() && dst.isValid());
        const QString a = src.filePath(QStringLiteral("a.fb2")), b = dst.filePath(QStringLiteral("a.fb2"));
        PutFile(a, "book");
        QFile::setPermissions(src.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const int e = MoveFileNoReplace(a, b);
        QFile::setPermissions(src.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(e, EACCES);
        QCOMPARE(ReadFile(a), QByteArray("book"));
        QVERIFY(!QFile::exists(b));
    }

    // A run killed between packing a book and removing its unpacked copy leaves both; the next
    // run that packs into that folder removes the copy only when the archive holds exactly it.
    void packedAndUnpackedBookIsFinished_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<bool>("packing");
        QTest::addColumn<bool>("copyRemoved");
        QTest::newRow("archive holds exactly the book") << "same" << true << true;
        QTest::newRow("the run does not pack") << "same" << false << false;
        QTest::newRow("other bytes under the name") << "other bytes" << true << false;
        QTest::newRow("a second entry beside it") << "two entries" << true << false;
        QTest::newRow("the book in a folder of the archive") << "in a folder" << true << false;
        QTest::newRow("another name") << "other name" << true << false;
        QTest::newRow("a damaged archive") << "damaged" << true << false;
    }
    void packedAndUnpackedBookIsFinished()
    {
        QFETCH(QString, archive);
        QFETCH(bool, packing);
        QFETCH(bool, copyRemoved);
        QTemporaryDir root;
        const QString out = root.filePath("out/"), scratch = root.filePath("tmp/");
        const QByteArray book = "<FictionBook>the book</FictionBook>";
        PutFile(out + "Книга.fb2", book);
        const QString zip = out + "Книга.fb2.zip";
        if (archive == "same")
            MakeZip(zip, {{"Книга.fb2", book}});
        else if (archive == "other bytes")
            MakeZip(zip, {{"Книга.fb2", "<FictionBook>another</FictionBook>"}});
        else if (archive == "two entries")
            MakeZip(zip, {{"Книга.fb2", book}, {"more.fb2", book}});
        else if (archive == "in a folder")
            MakeZip(zip, {{"a/Книга.fb2", book}});
        else if (archive == "other name")
            MakeZip(zip, {{"Другая.fb2", book}});
        else
            PutFile(zip, "PK\x03\x04 not an archive");
        const QByteArray zipBytes = ReadFile(zip);

        TRunLeftovers leftovers;
        QCOMPARE(leftovers.Clear(out, packing, scratch), copyRemoved ? 1 : 0);
        QCOMPARE(QFile::exists(out + "Книга.fb2"), !copyRemoved);
        QCOMPARE(ReadFile(zip), zipBytes);  // the archive is never touched
        // Nothing of the comparison is left in the scratch folder.
        QVERIFY(QDir(scratch).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    }

    void errorTextsAreRussian()
    {
        QCOMPARE(FileErrorText(EEXIST), QStringLiteral("файл с таким именем уже существует"));
        QCOMPARE(FileErrorText(ENOENT), QStringLiteral("папка или файл не найдены"));
        QCOMPARE(FileErrorText(0), QString());
    }

    void logFileFormat_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no entries: the byte-order mark alone") << QStringList() << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("validator text") << QStringList{RunLogEntry(
            QStringLiteral("Книга.fb2"), QStringLiteral("Код ошибки -1\r\nСтрока 3\r\nСимвол 7\r\nплохо\r\n"))}
                                        << QByteArray("\xEF\xBB\xBF")
                + QStringLiteral("Книга.fb2 => Код ошибки -1\r\nСтрока 3\r\nСимвол 7\r\nплохо\r\n\r\n").toUtf8();
        QTest::newRow("two entries in order")
            << QStringList{RunLogEntry(QStringLiteral("a.fb2"), QStringLiteral("x\r\n")),
                           RunLogEntry(QStringLiteral("b.fb2"), QStringLiteral("y\r\n"))}
            << QByteArray("\xEF\xBB\xBF"
                          "a.fb2 => x\r\n\r\nb.fb2 => y\r\n\r\n");
    }
    void logFileFormat()
    {
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        PutFile(path, QByteArray(5000, 'x'));  // an earlier, longer log is replaced as a whole
        WriteRunLog(path, entries);
        QCOMPARE(ReadFile(path), bytes);
    }

    void logFileThatCannotBeWritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("no/such/log.txt"));
        try {
            WriteRunLog(path, {});
            QFAIL("no error");
        } catch (const EOrvane &e) {
            QVERIFY2(e.Message().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path)),
                     qPrintable(e.Message()));
        }
    }

    void sortedFolder_data()
    {
        QTest::addColumn<QString>("sortResult");
        QTest::addColumn<QString>("folder");
        QTest::newRow("levels become folders")
            << QStringLiteral("Т\\Толстой Лев") << QStringLiteral("/out/Т/Толстой Лев/");
        QTest::newRow("trailing level kept") << QStringLiteral("Т\\") << QStringLiteral("/out/Т/");
        QTest::newRow("empty author") << QStringLiteral("\\") << QStringLiteral("/out/");
        QTest::newRow("slash in a value") << QStringLiteral("Да/Нет") << QStringLiteral("/out/Да/Нет/");
        QTest::newRow("cannot climb out") << QStringLiteral("..\\..\\etc") << QStringLiteral("/out/etc/");
        QTest::newRow("dots inside a name stay")
            << QStringLiteral("Т\\Т. Толстой...") << QStringLiteral("/out/Т/Т. Толстой.../");
    }
    void sortedFolder()
    {
        QFETCH(QString, sortResult);
        QFETCH(QString, folder);
        QCOMPARE(SortedFolder(QStringLiteral("/out/"), sortResult), folder);
    }

    void workingAndBadPaths()
    {
        TListEntry e = loose(QStringLiteral("/books/"), QStringLiteral("a.fb2"));
        QCOMPARE(WorkingPath(e, QStringLiteral("/tmp/orv/run/")), QStringLiteral("/books/a.fb2"));
        QCOMPARE(BadFilePath(QStringLiteral("/bad/"), e), QStringLiteral("/bad/a.fb2"));
        e.FileDir.clear();
        e.InArchive = true;
        e.ArchivePath = QStringLiteral("/books/a.zip");
        QCOMPARE(WorkingPath(e, QStringLiteral("/tmp/orv/run/")), QStringLiteral("/tmp/orv/run/a.fb2"));
        e.StoredPath = QStringLiteral("inner/");
        QCOMPARE(WorkingPath(e, QStringLiteral("/tmp/orv/run/")), QStringLiteral("/tmp/orv/run/inner/a.fb2"));
    }
};

QTEST_GUILESS_MAIN(TestRunFiles)
#include "test_run_files.moc"
