#include "globals/ScratchFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Fresh names are drawn from 64 random bits; running out of them means something else is wrong.
constexpr int kAttempts = 100;
constexpr qsizetype kTwinExtra = 1 + 1 + 16 + 5;  // "." name "." digits ".part"

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

} // namespace

int TScratchFile::Create(const QString &finalPath, mode_t mode)
{
    Discard();
    const QByteArray final = QFile::encodeName(finalPath);
    const qsizetype slash = final.lastIndexOf('/');
    const QByteArray folder = final.left(slash + 1), name = final.mid(slash + 1);
    if (name.size() > NAME_MAX)
        return ENAMETOOLONG;
    // The twin names its file where there is room, so that one a crash left behind says whose it was.
    const QByteArray stem = folder + '.' + (name.size() + kTwinExtra <= NAME_MAX ? name + '.' : QByteArray("orv-"));
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QByteArray twin = stem
                                + QByteArray::number(QRandomGenerator::global()->generate64(), 16).rightJustified(16, '0')
                                + ".part";
        const int fd = ::open(twin.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
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
    // A close that fails may have lost data that was still on its way.
    if (::close(m_fd) != 0 && !e)
        e = errno;
    m_fd = -1;
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

int RenameNoReplace(const QString &from, const QString &to)
{
    return renameNoReplace(QFile::encodeName(from), QFile::encodeName(to));
}

int WriteFileReplacing(const QString &path, const QByteArray &data, bool inPlaceWhenFolderClosed)
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
    return file.Commit(TTakeName::Replace);
}
