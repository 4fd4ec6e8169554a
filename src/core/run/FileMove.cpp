#include "run/FileMove.h"

#include "globals/ScratchFile.h"

#include <QFile>

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

}  // namespace

int CopyFileNoReplace(const QString &fromPath, const QString &to)
{
    const QByteArray from = QFile::encodeName(fromPath);
    Fd in;
    in.fd = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in.fd < 0)
        return errno;
    struct stat st {};
    if (::fstat(in.fd, &st) != 0)
        return errno;
    if (!S_ISREG(st.st_mode))
        return EINVAL;
    TScratchFile out;
    if (const int e = out.Create(to, st.st_mode & 07777))
        return e;
    if (const int e = copyData(in.fd, out.Handle()))
        return e;
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out.Handle(), times);  // the book keeps its date; a failure here costs nothing
    return out.Commit(TTakeName::NoReplace);
}

int MoveFileNoReplace(const QString &from, const QString &to)
{
    const QByteArray f = QFile::encodeName(from);
    int e = RenameNoReplace(from, to);
    if (e != EXDEV)
        return e;

    // Another file system: the book appears at `to` only when its copy is complete.
    struct stat st {};
    if (::lstat(QFile::encodeName(to).constData(), &st) == 0)
        return EEXIST;
    if ((e = CopyFileNoReplace(from, to)))
        return e;
    if (::unlink(f.constData()) != 0) {
        // The source cannot go (a read-only folder): take the copy back, so the book stays in
        // one place only.
        e = errno;
        ::unlink(QFile::encodeName(to).constData());
        return e;
    }
    return 0;
}

int MakeFolders(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    struct stat st;
    if (::stat(path.constData(), &st) == 0)
        return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    // Each level from the top; levels that are there already are passed.
    for (qsizetype end = path.indexOf('/', 1);; end = path.indexOf('/', end + 1)) {
        const QByteArray level = end < 0 ? path : path.left(end);
        if (!level.isEmpty() && ::mkdir(level.constData(), 0777) != 0 && errno != EEXIST) {
            const int e = errno;
            if (::stat(level.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
                return e;
        } else if (!level.isEmpty() && (::stat(level.constData(), &st) != 0 || !S_ISDIR(st.st_mode))) {
            return ENOTDIR;
        }
        if (end < 0 || end == path.size() - 1)
            return 0;
    }
}

QString FileErrorText(int error)
{
    switch (error) {
    case 0: return QString();
    case EEXIST:
    case ENOTEMPTY: return QStringLiteral("файл с таким именем уже существует");
    case ENOENT: return QStringLiteral("папка или файл не найдены");
    case ENOTDIR: return QStringLiteral("часть пути не является папкой");
    case EISDIR: return QStringLiteral("на этом месте находится папка");
    case EACCES:
    case EPERM: return QStringLiteral("нет доступа");
    case EROFS: return QStringLiteral("носитель доступен только для чтения");
    case ENOSPC:
    case EDQUOT: return QStringLiteral("недостаточно места на диске");
    case ENAMETOOLONG: return QStringLiteral("слишком длинное имя");
    case EIO: return QStringLiteral("ошибка ввода-вывода");
    case EBUSY:
    case ETXTBSY: return QStringLiteral("файл занят");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}
