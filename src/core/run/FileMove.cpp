#include "run/FileMove.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor on every path.
struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool flagUnsupported(int e) { return e == EINVAL || e == ENOSYS || e == ENOTSUP || e == EOPNOTSUPP; }

int copyData(int in, int out)
{
    // copy_file_range lets the kernel (or the file system) do the copy; plain read/write where
    // it cannot.
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
        if (n == 0)
            return 0;
        if (n > 0)
            continue;
        if (errno == EINTR)
            continue;
        if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EBADF)
            break;
        return errno;
    }
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n == 0)
            return 0;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buf + done, size_t(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += w;
        }
    }
}

// Copies `from` into a new file beside `to`, complete and flushed, and returns its path, or an
// empty path with `error` set (nothing is left behind then).
QByteArray copyBeside(const QByteArray &from, const QByteArray &to, int &error)
{
    Fd in;
    in.fd = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in.fd < 0) {
        error = errno;
        return {};
    }
    struct stat st {};
    if (::fstat(in.fd, &st) != 0) {
        error = errno;
        return {};
    }
    if (!S_ISREG(st.st_mode)) {
        error = EINVAL;
        return {};
    }
    const QByteArray dir = QFile::encodeName(QFileInfo(QFile::decodeName(to)).path()) + '/';
    QByteArray temp;
    Fd out;
    for (int attempt = 0; attempt < 100 && out.fd < 0; ++attempt) {
        temp = dir + ".orv-move-" + QByteArray::number(QRandomGenerator::global()->generate(), 16) + ".part";
        out.fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 07777);
        if (out.fd < 0 && errno != EEXIST) {
            error = errno;
            return {};
        }
    }
    if (out.fd < 0) {
        error = EEXIST;
        return {};
    }
    error = copyData(in.fd, out.fd);
    if (!error && ::fsync(out.fd) != 0)
        error = errno;
    if (!error) {
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out.fd, times);  // the book keeps its date; a failure here costs nothing
    }
    if (!error && ::close(out.fd) != 0)
        error = errno;
    out.fd = -1;
    if (error) {
        ::unlink(temp.constData());
        return {};
    }
    return temp;
}

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

} // namespace

int RenameNoReplace(const QString &from, const QString &to)
{
    return renameNoReplace(QFile::encodeName(from), QFile::encodeName(to));
}

int MoveFileNoReplace(const QString &from, const QString &to)
{
    const QByteArray f = QFile::encodeName(from), t = QFile::encodeName(to);
    int e = renameNoReplace(f, t);
    if (e != EXDEV)
        return e;

    // Another file system: the book appears at `to` only when its copy is complete.
    struct stat st {};
    if (::lstat(t.constData(), &st) == 0)
        return EEXIST;
    const QByteArray temp = copyBeside(f, t, e);
    if (temp.isEmpty())
        return e;
    e = renameNoReplace(temp, t);
    if (e) {
        ::unlink(temp.constData());
        return e;
    }
    if (::unlink(f.constData()) != 0) {
        // The source cannot go (a read-only folder): take the copy back, so the book stays in
        // one place only.
        e = errno;
        ::unlink(t.constData());
        return e;
    }
    return 0;
}

QString FileErrorText(int error)
{
    switch (error) {
    case 0:
        return QString();
    case EEXIST:
    case ENOTEMPTY:
        return QStringLiteral("файл с таким именем уже существует");
    case ENOENT:
        return QStringLiteral("папка или файл не найдены");
    case ENOTDIR:
        return QStringLiteral("часть пути не является папкой");
    case EISDIR:
        return QStringLiteral("на этом месте находится папка");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет доступа");
    case EROFS:
        return QStringLiteral("носитель доступен только для чтения");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("недостаточно места на диске");
    case ENAMETOOLONG:
        return QStringLiteral("слишком длинное имя");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("файл занят");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}
