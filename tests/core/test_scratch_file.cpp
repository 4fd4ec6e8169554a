// Writing through a scratch twin: the final name shows only complete files, a taken name is kept
// when asked, and no twin is ever left behind.

#include "globals/ScratchFile.h"

#include "ZipFixtures.h"

#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using ZipFixtures::ReadFile;

namespace {

bool Put(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

mode_t ModeOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : mode_t(-1);
}

// A process id that belonged to a process which has ended.
qint64 EndedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

}  // namespace

class TestScratchFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString P(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        for (const QString &e : Entries(m_dir.path()))
            QVERIFY(QFileInfo(P(e)).isDir() ? QDir(P(e)).removeRecursively() : QFile::remove(P(e)));
    }

    void takesTheNameOnlyWhenComplete_data()
    {
        QTest::addColumn<bool>("earlier");
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("free name") << false << int(TTakeName::NoReplace) << 0 << QByteArray("new");
        QTest::newRow("free name, replacing") << false << int(TTakeName::Replace) << 0 << QByteArray("new");
        QTest::newRow("taken name replaced") << true << int(TTakeName::Replace) << 0 << QByteArray("new");
        QTest::newRow("taken name kept") << true << int(TTakeName::NoReplace) << EEXIST << QByteArray("earlier");
    }
    void takesTheNameOnlyWhenComplete()
    {
        QFETCH(bool, earlier);
        QFETCH(int, how);
        QFETCH(int, result);
        QFETCH(QByteArray, after);
        const QString final = P("book.fb2");
        if (earlier)
            QVERIFY(Put(final, "earlier"));
        TScratchFile f;
        QCOMPARE(f.Create(final), 0);
        // The twin is hidden beside its file and names it.
        QCOMPARE(QFileInfo(f.Path()).absolutePath(), QFileInfo(final).absolutePath());
        QVERIFY2(QFileInfo(f.Path()).fileName().startsWith(".book.fb2.") && f.Path().endsWith(".part"),
                 qPrintable(f.Path()));
        QCOMPARE(f.Append("ne", 2), 0);
        QCOMPARE(f.Append(QByteArray("w")), 0);
        QCOMPARE(ReadFile(final), earlier ? QByteArray("earlier") : QByteArray());  // nothing shows yet
        QCOMPARE(f.Commit(TTakeName(how)), result);
        QCOMPARE(ReadFile(final), after);
        QCOMPARE(Entries(m_dir.path()), QStringList{"book.fb2"});
        QVERIFY(!f.IsOpen() && f.Path().isEmpty());
    }

    // A killed writer's twin goes; a twin still being written stays, whether its writer's process
    // can be seen (this one) or only its lock (a writer in another process space); files that
    // are not twins stay whatever they are called.
    void staleTwinsGoLiveOnesStay()
    {
        const QString dead = QString::number(EndedProcess());
        const QString stale = ".book.fb2." + dead + "-0123456789abcdef.part";
        const QString staleShort = ".orv-" + dead + "-00000000000000ff.part";
        const QString lockedElsewhere = ".other.fb2." + dead + "-fedcba9876543210.part";
        const QStringList notTwins{"book.fb2", ".book.fb2.part", ".book.fb2.0123456789abcdef.part",
                                   ".book.fb2." + dead + "-0123456789ABCDEF.part",
                                   "x." + dead + "-0123456789abcdef.part"};
        for (const QString &name : QStringList{stale, staleShort, lockedElsewhere} + notTwins)
            QVERIFY(Put(P(name), "data"));
        // flock locks belong to an open file: a second opening here is as foreign as another process.
        const int foreign = ::open(QFile::encodeName(P(lockedElsewhere)).constData(), O_RDONLY);
        QVERIFY(foreign >= 0 && ::flock(foreign, LOCK_EX) == 0);
        TScratchFile live;
        QCOMPARE(live.Create(P("live.fb2")), 0);
        QVERIFY(live.Path().contains(QString::number(::getpid())));

        QCOMPARE(RemoveStaleScratchFiles(m_dir.path()), 2);
        QStringList left = Entries(m_dir.path());
        QVERIFY(!left.contains(stale) && !left.contains(staleShort));
        QVERIFY(left.contains(lockedElsewhere) && left.contains(QFileInfo(live.Path()).fileName()));
        for (const QString &name : notTwins)
            QVERIFY2(left.contains(name), qPrintable(name));

        // Renamed while still locked: the live twin is never seen free of its writer.
        QCOMPARE(live.Append(QByteArray("new")), 0);
        QCOMPARE(live.Commit(TTakeName::NoReplace), 0);
        QCOMPARE(ReadFile(P("live.fb2")), QByteArray("new"));
        ::close(foreign);
        QCOMPARE(RemoveStaleScratchFiles(m_dir.path()), 1);
    }

    void positionedWritesAndTruncation()
    {
        TScratchFile f;
        QCOMPARE(f.Create(P("a.zip")), 0);
        QCOMPARE(f.Append(QByteArray("header:????;data")), 0);
        QCOMPARE(f.WriteAt(7, "1234", 4), 0);
        QCOMPARE(f.Size(), 16);
        QCOMPARE(f.Truncate(11), 0);
        QCOMPARE(f.Append(QByteArray("!")), 0);
        QCOMPARE(f.Commit(TTakeName::NoReplace, false), 0);
        QCOMPARE(ReadFile(P("a.zip")), QByteArray("header:1234!"));
    }

    void abandonedTwinIsRemoved()
    {
        QVERIFY(Put(P("book.fb2"), "earlier"));
        {
            TScratchFile f;
            QCOMPARE(f.Create(P("book.fb2")), 0);
            QCOMPARE(f.Append(QByteArray("half")), 0);
        }
        TScratchFile g;
        QCOMPARE(g.Create(P("other.fb2")), 0);
        g.Discard();
        QCOMPARE(Entries(m_dir.path()), QStringList{"book.fb2"});
        QCOMPARE(ReadFile(P("book.fb2")), QByteArray("earlier"));
        QCOMPARE(g.Commit(TTakeName::Replace), EBADF);
    }

    // A rename that fails (a folder in the way) leaves no twin and nothing under the name.
    void failedTakeLeavesNothing()
    {
        QVERIFY(QDir().mkpath(P("book.fb2/inner")));
        TScratchFile f;
        QCOMPARE(f.Create(P("book.fb2")), 0);
        QVERIFY(f.Commit(TTakeName::Replace) != 0);
        QCOMPARE(Entries(m_dir.path()), QStringList{"book.fb2"});
        QVERIFY(QFileInfo(P("book.fb2")).isDir());
    }

    void namesThatCannotHaveATwin_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("twinStart");
        // Cyrillic letters take two bytes each: 120 of them leave no room for the long twin.
        QTest::newRow("long name, short twin") << QString(120, QChar(0x0416)) << 0 << ".orv-";
        QTest::newRow("name too long to be taken") << QString(128, QChar(0x0416)) << ENAMETOOLONG << "";
        QTest::newRow("missing folder") << "no/such/book.fb2" << ENOENT << "";
    }
    void namesThatCannotHaveATwin()
    {
        QFETCH(QString, name);
        QFETCH(int, result);
        QFETCH(QString, twinStart);
        TScratchFile f;
        QCOMPARE(f.Create(P(name)), result);
        if (result != 0) {
            QVERIFY(!f.IsOpen());
            QCOMPARE(Entries(m_dir.path()), QStringList());
            return;
        }
        QVERIFY2(QFileInfo(f.Path()).fileName().startsWith(twinStart), qPrintable(f.Path()));
        QCOMPARE(f.Commit(TTakeName::NoReplace), 0);
        QCOMPARE(Entries(m_dir.path()), QStringList{name});
    }

    // Settings and converted books: a replaced file keeps its permissions, and a link keeps
    // leading to the file, which is the one replaced.
    void replacingKeepsPermissionsAndLinks()
    {
        QVERIFY(Put(P("private.ini"), "old"));
        QVERIFY(::chmod(QFile::encodeName(P("private.ini")).constData(), 0600) == 0);
        QCOMPARE(WriteFileReplacing(P("private.ini"), "new"), 0);
        QCOMPARE(ReadFile(P("private.ini")), QByteArray("new"));
        QCOMPARE(ModeOf(P("private.ini")), mode_t(0600));

        QVERIFY(QDir().mkpath(P("elsewhere")));
        QVERIFY(Put(P("elsewhere/config.ini"), "old"));
        QVERIFY(QFile::link(P("elsewhere/config.ini"), P("config.ini")));
        QCOMPARE(WriteFileReplacing(P("config.ini"), "new"), 0);
        QVERIFY(QFileInfo(P("config.ini")).isSymLink());
        QCOMPARE(ReadFile(P("elsewhere/config.ini")), QByteArray("new"));
        QCOMPARE(Entries(P("elsewhere")), QStringList{"config.ini"});

        const mode_t mask = ::umask(022);
        QCOMPARE(WriteFileReplacing(P("fresh.txt"), "x"), 0);
        ::umask(mask);
        QCOMPARE(ModeOf(P("fresh.txt")), mode_t(0644));
        QCOMPARE(Entries(m_dir.path()), (QStringList{"config.ini", "elsewhere", "fresh.txt", "private.ini"}));
    }

    // The run's log in a folder where no new file may be made is still written, in place.
    void inPlaceWhenTheFolderIsClosed()
    {
        QVERIFY(QDir().mkpath(P("closed")));
        QVERIFY(Put(P("closed/log.txt"), "old log"));
        QVERIFY(::chmod(QFile::encodeName(P("closed/log.txt")).constData(), 0666) == 0);
        QVERIFY(::chmod(QFile::encodeName(P("closed")).constData(), 0555) == 0);
        // The superuser may make files in any folder: the writes are made as nobody.
        const bool root = ::geteuid() == 0;
        if (root)
            QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0 && ::seteuid(65534) == 0);
        const int refused = WriteFileReplacing(P("closed/log.txt"), "new");
        const int inPlace = WriteFileReplacing(P("closed/log.txt"), "new log", true);
        const int absent = WriteFileReplacing(P("closed/other.txt"), "x", true);
        if (root)
            QVERIFY(::seteuid(0) == 0);
        ::chmod(QFile::encodeName(P("closed")).constData(), 0755);
        QCOMPARE(refused, EACCES);
        QCOMPARE(inPlace, 0);
        QCOMPARE(absent, EACCES);
        QCOMPARE(ReadFile(P("closed/log.txt")), QByteArray("new log"));
        QCOMPARE(Entries(P("closed")), QStringList{"log.txt"});
    }
};

QTEST_GUILESS_MAIN(TestScratchFile)
#include "test_scratch_file.moc"
