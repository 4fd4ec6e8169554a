#include "zip/ZipFile.h"

#include "globals/RegularFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool TZipFile::OpenRead(const QString &path)
{
    Close();
    // A FIFO or a device given as an archive could hang the program: only a regular file opens.
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        errno = e;
        return false;
    }
    m_fd = fd;
    m_size = st.st_size;
    m_path = path;
    return true;
}

bool TZipFile::CreateNew(const QString &path)
{
    Close();
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    m_fd = fd;
    m_size = 0;
    m_path = path;
    return true;
}

bool TZipFile::CreateBeside(const QString &finalPath, const QString &prefix, QString &tempPath)
{
    const qsizetype slash = finalPath.lastIndexOf(QLatin1Char('/'));
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = finalPath.left(slash + 1) + QLatin1Char('.') + prefix
                   + QStringLiteral("%1.part").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
        if (CreateNew(tempPath))
            return true;
        if (errno != EEXIST)
            break;
    }
    const int e = errno;
    tempPath.clear();
    errno = e;
    return false;
}

bool TZipFile::Close()
{
    const bool ok = m_fd < 0 || ::close(m_fd) == 0;
    m_fd = -1;
    m_size = 0;
    m_path.clear();
    return ok;
}

qint64 TZipFile::ReadSomeAt(qint64 offset, char *buffer, qint64 n) const
{
    qint64 done = 0;
    while (done < n) {
        const ssize_t r = ::pread(m_fd, buffer + done, size_t(n - done), off_t(offset + done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (r == 0)
            break;
        done += r;
    }
    return done;
}

bool TZipFile::ReadAt(qint64 offset, char *buffer, qint64 n) const
{
    return offset >= 0 && n >= 0 && ReadSomeAt(offset, buffer, n) == n;
}

bool TZipFile::WriteAll(const char *data, qint64 n)
{
    // Every write of a new file appends, so its size is where the next bytes go.
    if (!WriteAt(m_size, data, n))
        return false;
    m_size += n;
    return true;
}

bool TZipFile::Truncate(qint64 size)
{
    if (::ftruncate(m_fd, off_t(size)) != 0)
        return false;
    m_size = size;
    return true;
}

bool TZipFile::WriteAt(qint64 offset, const char *data, qint64 n)
{
    while (n > 0) {
        const ssize_t w = ::pwrite(m_fd, data, size_t(n), off_t(offset));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += w;
        n -= w;
        offset += w;
    }
    return true;
}
