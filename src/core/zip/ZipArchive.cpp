#include "zip/ZipArchive.h"

#include "config/Folders.h"
#include "zip/ZipDirectory.h"
#include "zip/ZipErrors.h"
#include "zip/ZipExtract.h"
#include "zip/ZipInflate.h"
#include "zip/ZipPaths.h"
#include "zip/ZipPattern.h"
#include "zip/ZipWriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <cerrno>

namespace {

constexpr int kSpecialAttributes = faHidden | faSysFile | faVolumeID | faDirectory;

bool Admitted(const TZipEntry &e, int searchAttr)
{
    int attributes = e.DosAttributes();
    if (e.IsFolder())
        attributes |= faDirectory;
    return (attributes & kSpecialAttributes & ~searchAttr) == 0;
}

bool Matches(const TZipEntry &e, const QString &fileMask, const QString &exclusionMask, int searchAttr)
{
    return Admitted(e, searchAttr) && ZipEntryMatches(fileMask, e.path)
        && (exclusionMask.isEmpty() || !ZipEntryMatches(exclusionMask, e.path));
}

void FillItem(const TZipEntry &e, TZipArchiveItem &f)
{
    f.FileName = StoredName(e.path).toString();
    f.StoredPath = StoredFolder(e.path).toString();
    f.CompressedSize = e.compressedSize;
    f.UncompressedSize = e.uncompressedSize;
    f.CompressionRate =
        e.uncompressedSize > 0 ? 100.0 * (1.0 - double(e.compressedSize) / double(e.uncompressedSize)) : 0.0;
    f.Encrypted = e.flags & 0x0001;
    f.LastModFileDate = quint16(e.dosDateTime >> 16);
    f.LastModFileTime = quint16(e.dosDateTime & 0xFFFF);
    f.CRC = e.crc;
    f.ExternalFileAttributes = e.externalAttributes;
    f.Comment = e.comment;
}

void EnsureFolder(const QString &folder, QSet<QString> &known)
{
    if (folder.isEmpty() || known.contains(folder))
        return;
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        throw ZipFileError(zeCannotCreateDir, folder);
    known.insert(folder);
}

bool HasWildcards(const QString &s) { return s.contains(QLatin1Char('*')) || s.contains(QLatin1Char('?')); }

// Letters a to z as capitals: how patterns compare, so a pattern without wildcards and the
// entries it matches share this key.
QString FoldedKey(QStringView s)
{
    QString key = s.toString();
    for (QChar &c : key)
        if (c.unicode() >= u'a' && c.unicode() <= u'z')
            c = QChar(char16_t(c.unicode() - 32));
    return key;
}

}  // namespace

struct TZipArchive::TImpl {
    enum { Closed, Reading, Creating } state = Closed;
    QString path;  // FileName when it was opened
    TZipFile file;
    TZipDirectory dir;
    std::unique_ptr<TZipWriter> writer;
    quint64 opening = 0;
    TZipUnpacker unpacker;
    qint64 unpacked = 0;  // by every extraction from this opening, against its budget
    // The entries under their folded path and name, in directory order, made on first need: a
    // mask without wildcards (a run extracts one book after another) looks its entries up here
    // instead of trying every entry of the archive.
    QHash<QString, QList<qsizetype>> byKey;
    bool indexed = false;

    const QList<qsizetype> &Candidates(const QString &mask)
    {
        if (!indexed) {
            for (qsizetype i = 0; i < dir.entries.size(); ++i) {
                const QStringView stored = QStringView(dir.entries[i].path);
                const QStringView whole = stored.endsWith(u'/') ? stored.chopped(1) : stored;
                byKey[FoldedKey(whole)].append(i);
                if (whole.contains(u'/'))
                    byKey[FoldedKey(StoredName(stored))].append(i);
            }
            indexed = true;
        }
        static const QList<qsizetype> none;
        const auto it = byKey.constFind(FoldedKey(mask));
        return it == byKey.constEnd() ? none : *it;
    }

    void Forget()
    {
        dir = TZipDirectory();
        unpacked = 0;
        byKey.clear();
        indexed = false;
    }

    void RequireReading(const QString &fileName) const
    {
        if (state != Reading)
            throw ZipFileError(zeNotOpen, state == Closed ? fileName : path);
    }
};

TZipArchive::TZipArchive() : d(new TImpl) {}
TZipArchive::~TZipArchive() = default;

bool TZipArchive::IsOpen() const { return d->state != TImpl::Closed; }

void TZipArchive::OpenArchive(int mode)
{
    CloseArchive();
    if (FileName.isEmpty())
        throw ZipFileError(zeBlankFileName, FileName);
    ++d->opening;
    if (mode == omCreate) {
        d->writer = std::make_unique<TZipWriter>(FileName);
        d->path = FileName;
        d->state = TImpl::Creating;
        return;
    }
    if (!d->file.OpenRead(FileName)) {
        const int e = errno;
        if (e == ENOENT || e == ENOTDIR)
            throw ZipFileError(zeFileNotFound, FileName);
        if (e == EISDIR || e == EINVAL)
            throw ZipFileError(zeNotAnArchive, FileName);
        throw ZipFileError(zeCannotOpenArchive, FileName);
    }
    try {
        d->Forget();
        d->dir = ReadZipDirectory(d->file);
    } catch (...) {
        d->file.Close();
        throw;
    }
    d->path = FileName;
    d->state = TImpl::Reading;
}

bool TZipArchive::FindFirst(const QString &fileMask, TZipArchiveItem &f, int searchAttr, const QString &exclusionMask)
{
    d->RequireReading(FileName);
    f.Handle = TZipSearchHandle{0, fileMask, exclusionMask, searchAttr, d->opening};
    return FindNext(f);
}

bool TZipArchive::FindNext(TZipArchiveItem &f)
{
    TZipSearchHandle &h = f.Handle;
    if (d->state != TImpl::Reading || h.archive != d->opening)
        return false;
    const QList<TZipEntry> &entries = d->dir.entries;
    while (h.next < entries.size()) {
        const TZipEntry &e = entries[h.next++];
        if (Matches(e, h.fileMask, h.exclusionMask, h.searchAttr)) {
            FillItem(e, f);
            f.EntryIndex = h.next - 1;
            return true;
        }
    }
    return false;
}

QStringList TZipArchive::ExtractFiles(const QString &fileMask, int searchAttr, const QString &exclusionMask)
{
    d->RequireReading(FileName);
    const QList<TZipEntry> &entries = d->dir.entries;
    QList<const TZipEntry *> matching;
    if (HasWildcards(fileMask)) {
        for (const TZipEntry &e : entries)
            matching.append(&e);
    } else {
        for (qsizetype i : d->Candidates(fileMask))
            matching.append(&entries[i]);
    }
    QList<const TZipEntry *> chosen;
    for (const TZipEntry *e : matching)
        if (Matches(*e, fileMask, exclusionMask, searchAttr))
            chosen.append(e);
    return Extract(chosen);
}

QString TZipArchive::ExtractEntry(qsizetype index, const QString &storedPath)
{
    d->RequireReading(FileName);
    const QList<TZipEntry> &entries = d->dir.entries;
    if (index < 0 || index >= entries.size() || entries[index].path != storedPath || entries[index].IsFolder())
        return QString();
    const QStringList written = Extract({&entries[index]});
    return written.isEmpty() ? QString() : written.first();
}

QStringList TZipArchive::Extract(const QList<const TZipEntry *> &chosen)
{
    const QList<QString> outputs = CheckAndCount(chosen);
    QList<TPlannedOutput> plan;
    for (qsizetype i = 0; i < chosen.size(); ++i)
        plan.append({chosen[i], outputs[i]});
    const QString base = WithTrailingSlash(BaseDir);
    QStringList written;
    QSet<QString> folders;
    EnsureFolder(base, folders);
    for (const TPlannedOutput &p : plan) {
        if (p.entry->IsFolder()) {
            EnsureFolder(p.output, folders);
            continue;
        }
        EnsureFolder(p.output.left(p.output.lastIndexOf(QLatin1Char('/')) + 1), folders);
        ExtractEntryToFile(d->file, *p.entry, p.output, d->unpacker);
        written.append(p.output);
    }
    return written;
}

QList<QString> TZipArchive::CheckAndCount(const QList<const TZipEntry *> &chosen)
{
    const QString archive = d->path;
    QList<QString> outputs;
    qint64 unpacked = 0;
    const QString base = WithTrailingSlash(BaseDir);
    for (const TZipEntry *entry : chosen) {
        const TZipEntry &e = *entry;
        TStoredPathProblem problem;
        const QString relative = SafeRelativePath(e.path, problem);
        // A file needs a name below BaseDir; "" or "./" would be BaseDir itself.
        if (problem != TStoredPathProblem::None || (relative.isEmpty() && !e.IsFolder()))
            throw ZipEntryError(zeEntryOutside, e.path, archive);
        if (e.IsLink())
            throw ZipEntryError(zeEntryLink, e.path, archive);
        if (!e.IsFolder()) {
            CheckEntryExtractable(e, archive);
            unpacked += e.uncompressedSize;  // each at most kMaxEntrySize: no overflow
        }
        outputs.append(base + relative);
    }
    // Counted over the whole archive, before anything is written: a bomb of many entries that
    // each stay below the limit is refused as well.
    if (unpacked > ArchiveUnpackBudget(d->file.Size()) - d->unpacked)
        throw ZipError(zeEntryTooLarge,
                       QStringLiteral("Archive \"%1\" would unpack to %2 bytes from %3; it is not a book archive")
                           .arg(archive, QString::number(d->unpacked + unpacked), QString::number(d->file.Size())));
    d->unpacked += unpacked;
    return outputs;
}

bool TZipArchive::ReadEntry(qsizetype index, const QString &storedPath, QByteArray &data)
{
    d->RequireReading(FileName);
    const QList<TZipEntry> &entries = d->dir.entries;
    if (index < 0 || index >= entries.size() || entries[index].path != storedPath || entries[index].IsFolder()) {
        // Listed before the archive changed: its name is all there is to go by, and of two
        // entries of that name extraction leaves the later one.
        index = -1;
        for (qsizetype i = 0; i < entries.size(); ++i)
            if (entries[i].path == storedPath && !entries[i].IsFolder())
                index = i;
        if (index < 0)
            return false;
    }
    CheckAndCount({&entries[index]});
    data = ReadEntryData(d->file, entries[index], d->unpacker);
    m_lastRead = entries[index];
    return true;
}

int TZipArchive::AddFiles(const QString &fileMask, int searchAttr, const QString &exclusionMask)
{
    if (d->state != TImpl::Creating)
        throw ZipFileError(zeNotOpen, d->state == TImpl::Closed ? FileName : d->path);
    const QString maskPath = QDir::isRelativePath(fileMask) ? WithTrailingSlash(BaseDir) + fileMask : fileMask;
    const qsizetype slash = maskPath.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash >= 0 ? maskPath.left(slash + 1) : QString();
    const QString namePattern = maskPath.mid(slash + 1);

    QStringList files;
    if (!HasWildcards(namePattern) || QFileInfo(maskPath).isFile()) {
        files.append(maskPath);  // a file of that very name is taken as it is
    } else {
        QDir::Filters filters = QDir::Files | QDir::NoDotAndDotDot;
        if (searchAttr & faHidden)
            filters |= QDir::Hidden;
        if (searchAttr & faSysFile)
            filters |= QDir::System;
        QDirIterator it(folder.isEmpty() ? QStringLiteral(".") : folder, filters, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString name = it.fileName();
            if (MatchZipPattern(namePattern, name)
                && (exclusionMask.isEmpty() || !MatchZipPattern(exclusionMask, name)))
                files.append(file);
        }
        files.sort();
    }

    const QString self = QFileInfo(d->path).absoluteFilePath();
    const QString temp = QFileInfo(d->writer->TempPath()).absoluteFilePath();
    const QDir baseDir(BaseDir.isEmpty() ? QStringLiteral(".") : BaseDir);
    int added = 0;
    for (const QString &file : files) {
        const QString absolute = QFileInfo(file).absoluteFilePath();
        if (absolute == self || absolute == temp)
            continue;
        QString stored = baseDir.relativeFilePath(file);
        if (stored.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(stored))
            stored = QFileInfo(file).fileName();
        d->writer->AddFile(file, stored, CompressionLevel);
        ++added;
    }
    return added;
}

void TZipArchive::CloseArchive()
{
    const QString path = d->path;
    if (CloseArchive(TTakeName::Replace) != 0)
        throw ZipFileError(zeCannotCreateFile, path);
}

int TZipArchive::CloseArchive(TTakeName how)
{
    int taken = 0;
    if (d->state == TImpl::Creating) {
        std::unique_ptr<TZipWriter> writer = std::move(d->writer);
        d->state = TImpl::Closed;
        taken = writer->Finish(how);  // on an error the writer discards its twin
    }
    d->file.Close();
    d->Forget();
    d->state = TImpl::Closed;
    return taken;
}

void TZipArchive::DiscardArchive()
{
    d->writer.reset();
    d->file.Close();
    d->Forget();
    d->state = TImpl::Closed;
}
