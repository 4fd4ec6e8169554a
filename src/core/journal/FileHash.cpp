#include "journal/FileHash.h"

#include <QCryptographicHash>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray DataHash(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

QByteArray RegularFileHash(const QString &path)
{
    // O_NOFOLLOW and the check on the open descriptor: a link planted at the name is never
    // taken for the book.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray result;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        QCryptographicHash h(QCryptographicHash::Sha256);
        char buf[1 << 16];
        bool good = true;
        for (;;) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n == 0)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                good = false;
                break;
            }
            h.addData(QByteArrayView(buf, n));
        }
        if (good)
            result = h.result().toHex();
    }
    ::close(fd);
    return result;
}

bool PathTaken(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}
