#include "zip/ZipFile.h"

#include "globals/RegularFile.h"

#include <QFile>
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
