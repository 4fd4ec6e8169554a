#include "journal/RunJournal.h"

#include "globals/Errors.h"
#include "globals/RegularFile.h"
#include "journal/FileHash.h"
#include "run/FileMove.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray nowText() { return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toUtf8(); }

dev_t deviceOf(const QByteArray &path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 ? st.st_dev : dev_t(-1);
}

QString parentOf(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    const qsizetype slash = p.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : p.left(slash);
}

}  // namespace

QString TRunJournal::CannotWrite(const QString &path, int error)
{
    return QStringLiteral("Не удалось записать журнал \"%1\": %2").arg(path, FileErrorText(error));
}

TRunJournal::TRunJournal(QString folder, TJournalKind kind, QString undoes)
    : m_folder(std::move(folder)), m_undoes(std::move(undoes)), m_kind(kind)
{
    if (!m_folder.endsWith(u'/'))
        m_folder += u'/';
}

TRunJournal::~TRunJournal()
{
    if (!m_finished) {
        try {
            Finish(TJournalEnd::Failed);
        } catch (...) {
        }
    }
}

void TRunJournal::Open()
{
    // The user's own record of their files: closed to others, like the settings.
    const QByteArray dir = QFile::encodeName(m_folder);
    for (qsizetype i = 1; i < dir.size(); ++i)
        if (dir[i] == '/')
            ::mkdir(dir.left(i).constData(), 0700);
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    const QString pid = QString::number(QCoreApplication::applicationPid());
    int error = 0;
    for (int n = 0; n < 100; ++n) {
        const QString path =
            m_folder + stamp + u'-' + pid + (n ? u'-' + QString::number(n) : QString()) + QStringLiteral(".journal");
        const int fd =
            ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
        if (fd >= 0) {
            m_fd = fd;
            m_path = path;
            break;
        }
        error = errno;
        if (error != EEXIST)
            throw EOrvane(CannotWrite(path, error));
    }
    if (m_fd < 0)
        throw EOrvane(CannotWrite(m_folder, error));
    QByteArray head = "orvane-journal\t1\t";
    head += m_kind == TJournalKind::Run ? "run" : "undo";
    head += '\t' + nowText();
    if (!m_undoes.isEmpty())
        head += '\t' + EscapeField(m_undoes);
    // The header goes through the same path as the steps.
    Append(head + '\n');
}

void TRunJournal::Append(const QByteArray &line)
{
    // One write of the whole line (O_APPEND); a short write is finished, and a line cut by a
    // kill is ignored when the journal is read.
    for (qsizetype done = 0; done < line.size();) {
        const ssize_t w = ::write(m_fd, line.constData() + done, size_t(line.size() - done));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            throw EOrvane(CannotWrite(m_path, errno));
        }
        done += w;
    }
}

void TRunJournal::Write(const TJournalStep &given)
{
    if (m_fd < 0)
        Open();
    // Undo may be run from any folder: the journal names every file by its full path.
    TJournalStep step = given;
    for (QString *p : {&step.From, &step.To, &step.Archive})
        if (!p->isEmpty() && QDir::isRelativePath(*p))
            *p = QDir::current().absoluteFilePath(*p) + (p->endsWith(u'/') ? QStringLiteral("/") : QString());
    Append(StepLine(step) + '\n');
    ++m_steps;
}

void TRunJournal::Finish(TJournalEnd how)
{
    m_finished = true;
    if (m_fd < 0)
        return;
    QByteArray line = "end\t" + nowText() + '\t';
    line += how == TJournalEnd::Done ? "done" : how == TJournalEnd::Cancelled ? "cancelled" : "failed";
    line += '\n';
    const ssize_t w = ::write(m_fd, line.constData(), size_t(line.size()));
    const int e = w == line.size() ? 0 : errno;
    ::fdatasync(m_fd);
    ::close(m_fd);
    m_fd = -1;
    if (w != line.size())
        throw EOrvane(CannotWrite(m_path, e ? e : EIO));
}

void TRunJournal::Moving(const QString &from, const QString &to, const QByteArray &hash)
{
    if (PathTaken(to))
        return;  // the move never replaces: it will be refused and move nothing
    TJournalStep s;
    s.Hash = hash.isEmpty() ? RegularFileHash(from) : hash;
    if (s.Hash.isEmpty())
        return;  // no book there: the move will fail and move nothing
    s.Kind = deviceOf(QFile::encodeName(from)) == deviceOf(QFile::encodeName(parentOf(to))) ? TStepKind::Move
                                                                                            : TStepKind::CopyDelete;
    s.From = from;
    s.To = to;
    Write(s);
}

void TRunJournal::Placing(const TListEntry &entry, const QString &from, const QString &to, const QByteArray &hash)
{
    const QByteArray h = hash.isEmpty() ? RegularFileHash(from) : hash;
    if (!h.isEmpty())
        WritePlace(entry, h, from, to);
}

void TRunJournal::Placing(const TListEntry &entry, const QByteArray &bytes, const QString &from, const QString &to,
                          const QByteArray &hash)
{
    WritePlace(entry, hash.isEmpty() ? DataHash(bytes) : hash, from, to);
}

void TRunJournal::WritePlace(const TListEntry &entry, const QByteArray &hash, const QString &from, const QString &to)
{
    if (PathTaken(to))
        return;  // the move never replaces: it will be refused and move nothing
    TJournalStep s;
    s.Kind = TStepKind::Place;
    s.Hash = hash;
    s.Archive = entry.ArchivePath;
    s.EntryIndex = entry.EntryIndex;
    s.StoredName = entry.StoredPath + entry.FileName;
    s.From = from;
    s.To = to;
    Write(s);
}

void TRunJournal::Converting(const QString &from, const QString &to, const QByteArray &converted)
{
    TJournalStep s;
    s.Kind = TStepKind::Convert;
    s.Hash = DataHash(converted);
    s.From = from;
    s.To = to;
    Write(s);
}

void TRunJournal::Packing(const QString &file, const QString &zip) { Packing(file, zip, file); }

void TRunJournal::Packing(const QString &file, const QString &zip, const QString &bytesAt, const QByteArray &hash)
{
    TJournalStep s;
    s.Kind = TStepKind::Pack;
    s.Hash = hash.isEmpty() ? RegularFileHash(bytesAt) : hash;
    if (s.Hash.isEmpty())
        return;
    s.From = file;
    s.To = zip;
    Write(s);
}

void TRunJournal::MakingFolders(const QString &folder)
{
    QStringList missing;
    for (QString level = folder; level.size() > 1 && !PathTaken(level); level = parentOf(level))
        missing.prepend(level.endsWith(u'/') ? level : level + u'/');
    for (const QString &level : missing) {
        TJournalStep s;
        s.Kind = TStepKind::MakeDir;
        s.To = level;
        Write(s);
    }
}

QString TRunJournal::KeepFolder()
{
    if (m_fd < 0)
        Open();
    return m_path + QStringLiteral(".files/");
}

QString TRunJournal::KeepCopy(const QString &path)
{
    const QString folder = KeepFolder();
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    const QString kept = folder + QString::number(++m_kept) + u'-' + QFileInfo(path).fileName();
    TJournalStep s;
    s.Kind = TStepKind::Copy;
    s.Hash = RegularFileHash(path);
    if (s.Hash.isEmpty())
        throw EOrvane(CannotWrite(kept, EINVAL));
    s.From = path;
    s.To = kept;
    if (const int e = CopyFileNoReplace(path, kept))
        throw EOrvane(CannotWrite(kept, e));
    Write(s);
    return kept;
}
