#include "zip/ZipExtract.h"

#include "globals/ScratchFile.h"
#include "zip/ZipErrors.h"
#include "zip/ZipFormat.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kLocalSlack = 256;  // local extra fields may be longer than the central ones

// The output file, written through its twin: an earlier file of its name is replaced only by a
// complete one, and nothing is left when the entry fails.
class TOutputFile {
public:
    explicit TOutputFile(const QString &path) : m_path(path)
    {
        if (m_file.Create(path) != 0)
            throw ZipFileError(zeCannotCreateFile, path);
    }
    TScratchFile &File() { return m_file; }
    void Commit()
    {
        // A scratch copy for the run: the archive still holds the book, so it is not flushed.
        const int e = m_file.Commit(TTakeName::Replace, false);
        if (e == EIO || e == ENOSPC || e == EDQUOT)
            throw ZipFileError(zeCannotWrite, m_path);
        if (e)
            throw ZipFileError(zeCannotCreateFile, m_path);
    }

private:
    QString m_path;
    TScratchFile m_file;
};

// The Unix permissions the entry was stored with, or 0 when it names none.
mode_t EntryUnixMode(const TZipEntry &e)
{
    return e.Host() == kHostUnix ? mode_t((e.externalAttributes >> 16) & 0777) : 0;
}

void SetTimeAndMode(int fd, const TZipEntry &e)
{
    const qint64 secs = EntryModifiedTime(e);
    if (secs >= 0) {
        const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(secs), 0}};
        ::futimens(fd, times);
    }
    if (const mode_t unixMode = EntryUnixMode(e))
        ::fchmod(fd, unixMode | S_IRUSR);  // the program must still read what it extracted
    else if (EntryReadOnly(e)) {
        struct stat st;
        if (::fstat(fd, &st) == 0)
            ::fchmod(fd, st.st_mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH) & 07777);
    }
}

}  // namespace

void CheckEntryExtractable(const TZipEntry &e, const QString &archivePath)
{
    if (e.flags & kZipFlagEncrypted)
        throw ZipEntryError(zeEntryEncrypted, e.path, archivePath);
    if (e.method != kMethodStored && e.method != kMethodDeflated)
        throw ZipEntryError(zeEntryMethod, e.path, archivePath, QString::number(e.method));
    if (e.uncompressedSize > kMaxEntrySize)
        throw ZipEntryError(zeEntryTooLarge, e.path, archivePath, QString::number(e.uncompressedSize));
    if (e.method == kMethodStored && e.compressedSize != e.uncompressedSize)
        throw ZipEntryError(zeEntrySize, e.path, archivePath);
}

namespace {

// Where the entry's data lies, with the local header (and, for a small entry, all its data)
// read in one call; `head` keeps the prefetched bytes alive.
TZipDataSpan LocateEntryData(const TZipFile &archive, const TZipEntry &e, QByteArray &head)
{
    CheckEntryExtractable(e, archive.Path());
    const qint64 headRead = qMin<qint64>(kLocalHeaderSize + e.headerHint + kLocalSlack + e.compressedSize,
                                         qMin<qint64>(256 * 1024, archive.Size() - e.localOffset));
    head = QByteArray(qMax<qint64>(headRead, 0), Qt::Uninitialized);
    if (headRead < kLocalHeaderSize || !archive.ReadAt(e.localOffset, head.data(), headRead)
        || ReadLE32(head.constData()) != kSigLocal)
        throw ZipEntryError(zeEntryDamaged, e.path, archive.Path());
    const qint64 dataOffset = kLocalHeaderSize + ReadLE16(head.constData() + 26) + ReadLE16(head.constData() + 28);
    const qint64 dataStart = e.localOffset + dataOffset;
    const qint64 limit = qMin(e.dataLimit, archive.Size());
    if (e.dataLimit < 0 || dataStart + e.compressedSize > limit)
        throw ZipEntryError(zeEntryDamaged, e.path, archive.Path());

    TZipDataSpan span;
    span.start = dataStart;
    span.length = e.compressedSize;
    if (dataOffset < headRead)
        span.prefetched = QByteArrayView(head).sliced(dataOffset);
    return span;
}

void CheckUnpacked(const TUnpackResult &r, const TZipEntry &e, const QString &archivePath, const QString &outputPath)
{
    switch (r.status) {
    case TUnpackResult::Complete: break;
    case TUnpackResult::OverLimit: throw ZipEntryError(zeEntrySize, e.path, archivePath);
    case TUnpackResult::SinkFailed: throw ZipFileError(zeCannotWrite, outputPath);
    case TUnpackResult::ReadFailed: throw ZipFileError(zeCannotRead, archivePath);
    case TUnpackResult::Damaged: throw ZipEntryError(zeEntryDamaged, e.path, archivePath);
    }
    if (r.produced != e.uncompressedSize)
        throw ZipEntryError(zeEntrySize, e.path, archivePath);
    if (r.crc != e.crc)
        throw ZipEntryError(zeEntryCrc, e.path, archivePath);
}

}  // namespace

void ExtractEntryToFile(const TZipFile &archive, const TZipEntry &e, const QString &outputPath, TZipUnpacker &unpacker)
{
    QByteArray head;
    const TZipDataSpan span = LocateEntryData(archive, e, head);
    TOutputFile out(outputPath);
    TScratchFile &file = out.File();
    const TUnpackResult r = unpacker.Unpack(
        archive, span, e.method, e.uncompressedSize,
        [&file](const char *data, qint64 size) { return file.Append(data, size) == 0; }, true);
    CheckUnpacked(r, e, archive.Path(), outputPath);
    SetTimeAndMode(file.Handle(), e);
    out.Commit();
}

QByteArray ReadEntryData(const TZipFile &archive, const TZipEntry &e, TZipUnpacker &unpacker)
{
    QByteArray head;
    const TZipDataSpan span = LocateEntryData(archive, e, head);
    QByteArray data;
    data.reserve(e.uncompressedSize);
    const TUnpackResult r = unpacker.Unpack(
        archive, span, e.method, e.uncompressedSize,
        [&data](const char *bytes, qint64 size) {
            data.append(bytes, size);
            return true;
        },
        true);
    CheckUnpacked(r, e, archive.Path(), archive.Path());
    return data;
}

void SetEntryTimeAndMode(int fd, const TZipEntry &e) { SetTimeAndMode(fd, e); }

qint64 EntryModifiedTime(const TZipEntry &e)
{
    if (e.unixModTime >= 0)
        return e.unixModTime;
    const QDateTime t = DosDateTimeToLocal(e.dosDateTime);
    return t.isValid() ? t.toSecsSinceEpoch() : -1;
}

bool EntryReadOnly(const TZipEntry &e)
{
    if (const mode_t unixMode = EntryUnixMode(e))
        return !(unixMode & S_IWUSR);
    return e.DosAttributes() & 0x01;
}
