#include "globals/ScratchFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Fresh names are drawn from 64 random bits; running out of them means something else is wrong.
constexpr int kAttempts = 100;
constexpr qsizetype kTwinExtra = 1 + 1 + 10 + 1 + 16 + 5;  // "." name "." pid "-" digits ".part"

// A twin's name: the stem, the writer's process id and random digits. The process id and the
// lock its writer holds tell a twin being written from one that a killed run left behind.
const QRegularExpression &twinPattern()
{
    static const QRegularExpression re(QStringLiteral("^\\.(?:.+\\.|orv-)([0-9]{1,10})-[0-9a-f]{16}\\.part$"));
    return re;
}

bool flagUnsupported(int e) { return e == EINVAL || e == ENOSYS || e == ENOTSUP || e == EOPNOTSUPP; }

int renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    int e = errno;
    if (!flagUnsupported(e))
        return e;
    // A file system without the flag: a hard link cannot replace either.
    if (::link(from.constData(), to.constData()) == 0) {
        if (::unlink(from.constData()) == 0)
            return 0;
        e = errno;
        ::unlink(to.constData());
        return e;
    }
    e = errno;
    if (e != EPERM && !flagUnsupported(e))
        return e;
    // Neither (FAT, some network file systems): look first, then rename.
    struct stat st {};
    if (::lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

// Where a write to `path` lands: a link is followed to the file it names, even one not there yet.
QString resolvedTarget(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

int writeInPlace(const QByteArray &path, const QByteArray &data)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return errno;
    int e = 0;
    for (qsizetype done = 0; done < data.size() && !e;) {
        const ssize_t w = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (w >= 0)
            done += w;
        else if (errno != EINTR)
            e = errno;
    }
    if (::close(fd) != 0 && !e)
        e = errno;
    return e;
}

}  // namespace

int TScratchFile::Create(const QString &finalPath, mode_t mode)
{
    Discard();
    const QByteArray final = QFile::encodeName(finalPath);
    const qsizetype slash = final.lastIndexOf('/');
    const QByteArray folder = final.left(slash + 1), name = final.mid(slash + 1);
    if (name.size() > NAME_MAX)
        return ENAMETOOLONG;
    // The twin names its file where there is room, so that one a crash left behind says whose it was.
    const QByteArray stem = folder + '.' + (name.size() + kTwinExtra <= NAME_MAX ? name + '.' : QByteArray("orv-"))
        + QByteArray::number(qint64(::getpid())) + '-';
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QByteArray twin =
            stem + QByteArray::number(QRandomGenerator::global()->generate64(), 16).rightJustified(16, '0') + ".part";
        const int fd = ::open(twin.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            // Held until the twin has its final name; a file system without locks only loses the
            // second of the two signs of a live writer.
            ::flock(fd, LOCK_EX | LOCK_NB);
            m_fd = fd;
            m_size = 0;
            m_path = QFile::decodeName(twin);
            m_finalPath = finalPath;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

int TScratchFile::WriteAt(qint64 offset, const char *data, qint64 n)
{
    while (n > 0) {
        const ssize_t w = ::pwrite(m_fd, data, size_t(n), off_t(offset));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += w;
        n -= w;
        offset += w;
    }
    return 0;
}

int TScratchFile::Append(const char *data, qint64 n)
{
    // Every write of a new file appends, so its size is where the next bytes go.
    if (const int e = WriteAt(m_size, data, n))
        return e;
    m_size += n;
    return 0;
}

int TScratchFile::Truncate(qint64 size)
{
    if (::ftruncate(m_fd, off_t(size)) != 0)
        return errno;
    m_size = size;
    return 0;
}

int TScratchFile::Commit(TTakeName how, bool flush)
{
    if (m_fd < 0)
        return EBADF;
    int e = flush && ::fsync(m_fd) != 0 ? errno : 0;
    // The twin is renamed while still open and locked, so that no run ever takes it for debris.
    if (!e) {
        const QByteArray from = QFile::encodeName(m_path), to = QFile::encodeName(m_finalPath);
        if (how == TTakeName::NoReplace)
            e = renameNoReplace(from, to);
        else if (::rename(from.constData(), to.constData()) != 0)
            e = errno;
    }
    if (e) {
        Discard();
        return e;
    }
    m_path.clear();
    // A close that fails may have lost data that was still on its way; flushed data is on disk.
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0 && !flush) {
        e = errno;
        ::unlink(QFile::encodeName(m_finalPath).constData());
        return e;
    }
    return 0;
}

void TScratchFile::Discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_path.isEmpty())
        ::unlink(QFile::encodeName(m_path).constData());
    m_path.clear();
    m_size = 0;
}

bool ProcessAlive(qint64 pid)
{
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

int RemoveStaleScratchFiles(const QString &folder)
{
    const QDir dir(folder);
    int removed = 0;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch m = twinPattern().match(name);
        if (!m.hasMatch() || ProcessAlive(m.captured(1).toLongLong()))
            continue;
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        // A writer in another process space shows no live process id here, but holds its lock.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
            && ::unlink(path.constData()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

int RenameNoReplace(const QString &from, const QString &to)
{
    return renameNoReplace(QFile::encodeName(from), QFile::encodeName(to));
}

int WriteFileReplacing(const QString &path, const QByteArray &data, bool inPlaceWhenFolderClosed, bool flushNew)
{
    const QString target = resolvedTarget(path);
    struct stat st {};
    const bool replacing = ::stat(QFile::encodeName(target).constData(), &st) == 0;
    const mode_t mode = replacing ? st.st_mode & 07777 : 0666;
    TScratchFile file;
    if (const int e = file.Create(target, mode)) {
        if (replacing && inPlaceWhenFolderClosed && (e == EACCES || e == EPERM))
            return writeInPlace(QFile::encodeName(target), data);
        return e;
    }
    // The umask does not narrow a replaced file's permissions.
    if (replacing)
        ::fchmod(file.Handle(), mode);
    if (const int e = file.Append(data))
        return e;
    return file.Commit(TTakeName::Replace, flushNew || replacing);
}

int FlushFileSystems(const QStringList &paths)
{
    std::set<dev_t> flushed;
    for (const QString &path : paths) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            return errno;
        struct stat st {};
        int e = ::fstat(fd, &st) == 0 ? 0 : errno;
        if (!e && flushed.insert(st.st_dev).second && ::syncfs(fd) != 0)
            e = errno;
        ::close(fd);
        if (e)
            return e;
    }
    return 0;
}
