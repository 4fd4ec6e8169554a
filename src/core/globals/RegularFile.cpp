#include "globals/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int OpenRegularFile(const QString &path, bool *notRegular)
{
    if (notRegular)
        *notRegular = false;
    // Non-blocking: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        errno = e;
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        const bool folder = S_ISDIR(st.st_mode);
        if (notRegular)
            *notRegular = !folder;
        errno = folder ? EISDIR : EINVAL;
        return -1;
    }
    // Reads of a regular file never block; clear the flag so nothing downstream sees EAGAIN.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

QString ReadFailedText(const QString &path, int error, qint64 maxSize)
{
    if (error == EFBIG)
        return QStringLiteral("Cannot read \"%1\": it is larger than %2 bytes").arg(path).arg(maxSize);
    return QStringLiteral("Cannot read \"%1\": %2").arg(path, QString::fromLocal8Bit(std::strerror(error)));
}

int OpenRegularFileUpTo(const QString &path, qint64 maxSize, QString &why, qint64 *size)
{
    bool notRegular = false;
    const int fd = OpenRegularFile(path, &notRegular);
    if (fd < 0) {
        why = notRegular
            ? QStringLiteral("Cannot open \"%1\": it is not a regular file").arg(path)
            : QStringLiteral("Cannot open \"%1\": %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return -1;
    }
    struct stat st;
    ::fstat(fd, &st);
    if (st.st_size > maxSize) {
        ::close(fd);
        why = ReadFailedText(path, EFBIG, maxSize);
        return -1;
    }
    if (size)
        *size = st.st_size;
    return fd;
}

bool ReadOpenRegularFile(int fd, const QString &path, qint64 size, qint64 maxSize, QByteArray &data, QString &why)
{
    data.clear();
    // The size may change while we read: never read past the limit. One byte more than the size,
    // so that the read that finds the end needs no room of its own: growing the buffer then
    // would copy the whole book once more.
    data.resize(qsizetype(qMin<qint64>(maxSize + 1, size + 1)));
    qint64 done = 0;
    for (;;) {
        if (done == data.size()) {
            if (done > maxSize)
                break;
            data.resize(qsizetype(qMin<qint64>(maxSize + 1, done + 64 * 1024)));
        }
        const ssize_t n = ::read(fd, data.data() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            data.clear();
            why = ReadFailedText(path, errno, maxSize);
            return false;
        }
        if (n == 0)
            break;
        done += n;
    }
    if (done > maxSize) {
        data.clear();
        why = ReadFailedText(path, EFBIG, maxSize);
        return false;
    }
    data.resize(qsizetype(done));
    return true;
}

bool ReadRegularFile(const QString &path, qint64 maxSize, QByteArray &data, QString &why)
{
    data.clear();
    qint64 size = 0;
    const int fd = OpenRegularFileUpTo(path, maxSize, why, &size);
    if (fd < 0)
        return false;
    const bool read = ReadOpenRegularFile(fd, path, size, maxSize, data, why);
    ::close(fd);
    return read;
}

bool FileHoldsBytes(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink() || info.size() != bytes.size())
        return false;
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.readAll() == bytes && f.atEnd();
}

bool SameFileBytes(const QString &a, const QString &b)
{
    const QFileInfo ia(a), ib(b);
    if (!ia.isFile() || !ib.isFile() || ia.isSymLink() || ib.isSymLink() || ia.size() != ib.size())
        return false;
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 kChunk = 1 << 16;
    for (;;) {
        const QByteArray x = fa.read(kChunk), y = fb.read(kChunk);
        if (x != y)
            return false;
        if (x.isEmpty())
            return fa.atEnd() && fb.atEnd();
    }
}

bool PathTaken(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}
