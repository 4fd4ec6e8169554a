#include "zip/ZipDirectory.h"

#include "zip/ZipErrors.h"
#include "zip/ZipExtract.h"
#include "zip/ZipFormat.h"
#include "zip/ZipInflate.h"
#include "zip/ZipNames.h"

#include <algorithm>
#include <optional>
#include <sys/stat.h>

namespace {

constexpr qint64 kMaxComment = 0xFFFF;
// Recovery inflates entries whose sizes only follow their data; it gives up on one this large.
constexpr qint64 kRecoveryScanLimit = qint64(1) << 30;

QString NormalisedPath(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

// Extended timestamp (0x5455): flags, then the modification time when bit 0 is set.
qint64 UnixModTime(QByteArrayView extra)
{
    QByteArrayView data;
    if (FindExtraField(extra, 0x5455, data) && data.size() >= 5 && (quint8(data[0]) & 1))
        return qint32(ReadLE32(data.data() + 1));
    return -1;
}

// ZIP64 extended information (0x0001): the 64-bit values of the fields that hold 0xFFFFFFFF,
// in this order.
void ApplyZip64(QByteArrayView extra, qint64 *uncompressed, qint64 *compressed, qint64 *offset)
{
    QByteArrayView data;
    if (!FindExtraField(extra, 0x0001, data))
        return;
    qsizetype pos = 0;
    for (qint64 *field : {uncompressed, compressed, offset}) {
        if (!field || *field != 0xFFFFFFFF)
            continue;
        if (pos + 8 > data.size())
            return;
        *field = qint64(ReadLE64(data.data() + pos));
        pos += 8;
    }
}

// The fields that the central and the local header share, laid out alike from the flags on,
// and those taken from the name and the extra field. The sizes are still the 32-bit ones.
// `host` is the system that wrote the name, kHostUnknown for a local header.
void ReadSharedFields(const char *flags, QByteArrayView name, QByteArrayView extra, int host, TZipEntry &e)
{
    e.flags = ReadLE16(flags);
    e.method = ReadLE16(flags + 2);
    e.dosDateTime = quint32(ReadLE16(flags + 6)) << 16 | ReadLE16(flags + 4);
    e.crc = ReadLE32(flags + 8);
    e.compressedSize = ReadLE32(flags + 12);
    e.uncompressedSize = ReadLE32(flags + 16);
    e.path = NormalisedPath(DecodeEntryName(name, e.flags, host, extra));
    e.unixModTime = UnixModTime(extra);
    e.headerHint = int(name.size() + extra.size());
}

// False when the directory is not whole, or an entry's data could not lie in a file of
// `fileSize` bytes (crafted ZIP64 values would make every sum with them overflow).
bool ParseCentralDirectory(QByteArrayView cd, qint64 shift, qint64 declaredCount, qint64 fileSize,
                           QList<TZipEntry> &entries)
{
    entries.reserve(qMin(declaredCount, cd.size() / kCentralHeaderSize));
    qsizetype pos = 0;
    while (pos < cd.size()) {
        if (pos + kCentralHeaderSize > cd.size() || ReadLE32(cd.data() + pos) != kSigCentral)
            return false;
        const char *h = cd.data() + pos;
        const int nameLen = ReadLE16(h + 28), extraLen = ReadLE16(h + 30), commentLen = ReadLE16(h + 32);
        if (pos + kCentralHeaderSize + nameLen + extraLen + commentLen > cd.size())
            return false;
        const QByteArrayView name = cd.sliced(pos + kCentralHeaderSize, nameLen);
        const QByteArrayView extra = cd.sliced(pos + kCentralHeaderSize + nameLen, extraLen);
        TZipEntry e;
        e.versionMadeBy = ReadLE16(h + 4);
        ReadSharedFields(h + 8, name, extra, e.Host(), e);
        e.externalAttributes = ReadLE32(h + 38);
        e.localOffset = ReadLE32(h + 42);
        ApplyZip64(extra, &e.uncompressedSize, &e.compressedSize, &e.localOffset);
        if (e.compressedSize < 0 || e.uncompressedSize < 0 || e.localOffset < 0 || e.compressedSize > fileSize
            || e.localOffset > fileSize - shift)
            return false;
        e.localOffset += shift;
        if (commentLen)
            e.comment = DecodeEntryName(cd.sliced(pos + kCentralHeaderSize + nameLen + extraLen, commentLen), e.flags,
                                        e.Host(), QByteArrayView());
        entries.append(std::move(e));
        pos += kCentralHeaderSize + nameLen + extraLen + commentLen;
    }
    return true;
}

// Each entry's data must end before the next local header or the directory begins; two entries
// sharing one header (the overlapping zip bomb) get no room at all.
void SetDataLimits(QList<TZipEntry> &entries, qint64 dataEnd)
{
    QList<qint64> offsets;
    offsets.reserve(entries.size());
    for (const TZipEntry &e : entries)
        offsets.append(e.localOffset);
    std::sort(offsets.begin(), offsets.end());
    for (TZipEntry &e : entries) {
        const auto it = std::upper_bound(offsets.cbegin(), offsets.cend(), e.localOffset);
        const bool shared = it - offsets.cbegin() >= 2 && *(it - 2) == e.localOffset;
        e.dataLimit = shared ? -1 : (it == offsets.cend() ? dataEnd : qMin(*it, dataEnd));
    }
}

struct TEndRecord {
    qint64 position = 0;  // of the record that ends the directory (ZIP64 record if any)
    qint64 cdSize = 0;
    qint64 cdOffset = 0;
    qint64 entryCount = 0;  // as declared; a count past 65535 may have wrapped
    QByteArray comment;
};

// The end record: the last one in the file whose directory fits in front of it, preferring one
// whose comment runs exactly to the end of the file (a comment may hold the signature too).
// Only one is ever tried: every candidate may point at megabytes of directory to parse.
std::optional<TEndRecord> FindEndRecord(const TZipFile &file)
{
    const qint64 size = file.Size();
    const qint64 tailLen = qMin(size, kEndRecordSize + kMaxComment);
    if (tailLen < kEndRecordSize)
        return std::nullopt;
    QByteArray tail(tailLen, Qt::Uninitialized);
    if (!file.ReadAt(size - tailLen, tail.data(), tailLen))
        throw ZipFileError(zeCannotRead, file.Path());
    std::optional<TEndRecord> last;
    for (qint64 i = tailLen - kEndRecordSize; i >= 0; --i) {
        const char *p = tail.constData() + i;
        if (ReadLE32(p) != kSigEnd)
            continue;
        TEndRecord r;
        r.position = size - tailLen + i;
        r.cdSize = ReadLE32(p + 12);
        r.cdOffset = ReadLE32(p + 16);
        r.entryCount = ReadLE16(p + 10);
        const qint64 declaredComment = ReadLE16(p + 20);
        const bool exact = i + kEndRecordSize + declaredComment == tailLen;
        r.comment = QByteArray(p + kEndRecordSize, qMin(declaredComment, tailLen - i - kEndRecordSize));
        // A ZIP64 locator right in front points to the ZIP64 end record with the 64-bit values.
        char loc[20];
        if (r.position >= 20 && file.ReadAt(r.position - 20, loc, 20) && ReadLE32(loc) == kSigEnd64Locator) {
            const qint64 rec64 = qint64(ReadLE64(loc + 8));
            char e64[56];
            if (rec64 >= 0 && rec64 <= r.position - 20 - 56 && file.ReadAt(rec64, e64, 56)
                && ReadLE32(e64) == kSigEnd64) {
                r.cdSize = qint64(ReadLE64(e64 + 40));
                r.cdOffset = qint64(ReadLE64(e64 + 48));
                r.entryCount = qint64(ReadLE64(e64 + 32));
                r.position = rec64;
            }
        }
        if (r.cdSize < 0 || r.cdSize > r.position || r.cdOffset < 0 || r.cdOffset > r.position - r.cdSize)
            continue;
        if (exact)
            return r;
        if (!last)
            last = r;
    }
    return last;
}

// Reads the local header at `pos` of a damaged archive and finds where its data ends.
// False when there is no complete entry there.
// `budget`: what inflating data in search of its end may still produce, for all entries together.
bool ReadLocalEntry(const TZipFile &file, qint64 pos, TZipUnpacker &unpacker, qint64 &budget, TZipEntry &e,
                    qint64 &next)
{
    char h[kLocalHeaderSize];
    if (!file.ReadAt(pos, h, kLocalHeaderSize) || ReadLE32(h) != kSigLocal)
        return false;
    const int nameLen = ReadLE16(h + 26), extraLen = ReadLE16(h + 28);
    QByteArray nameExtra(nameLen + extraLen, Qt::Uninitialized);
    if (!file.ReadAt(pos + kLocalHeaderSize, nameExtra.data(), nameExtra.size()))
        return false;
    const QByteArrayView name = QByteArrayView(nameExtra).first(nameLen);
    const QByteArrayView extra = QByteArrayView(nameExtra).sliced(nameLen);
    e = TZipEntry();
    e.versionMadeBy = ReadLE16(h + 4) & 0xFF;  // the local header has no host; take MS-DOS
    ReadSharedFields(h + 6, name, extra, kHostUnknown, e);
    ApplyZip64(extra, &e.uncompressedSize, &e.compressedSize, nullptr);
    e.localOffset = pos;
    const qint64 dataStart = pos + kLocalHeaderSize + nameLen + extraLen;

    if (!(e.flags & kZipFlagDescriptor)) {
        if (e.compressedSize < 0 || e.compressedSize > file.Size() - dataStart)
            return false;
        next = dataStart + e.compressedSize;
        return true;
    }
    // Sizes and CRC follow the data in a descriptor: find the data's end first.
    qint64 dataEnd = -1;
    if (e.method == kMethodDeflated) {
        const TZipDataSpan span{dataStart, file.Size() - dataStart, {}};
        const TUnpackResult r = unpacker.Unpack(file, span, kMethodDeflated, qMin(kRecoveryScanLimit, budget),
                                                [](const char *, qint64) { return true; });
        budget -= r.produced;
        if (r.status != TUnpackResult::Complete)
            return false;
        dataEnd = dataStart + r.consumed;
    } else if (e.method == kMethodStored) {
        // The descriptor's signature followed by a size equal to the distance marks the end.
        constexpr qint64 kWindow = 64 * 1024;
        QByteArray buf;
        for (qint64 at = dataStart; at < file.Size() && dataEnd < 0; at += kWindow) {
            buf.resize(qMin(kWindow + 16, file.Size() - at));
            if (!file.ReadAt(at, buf.data(), buf.size()))
                return false;
            for (qint64 i = 0; i + 16 <= buf.size() && i < kWindow; ++i) {
                const char *p = buf.constData() + i;
                if (ReadLE32(p) == kSigDescriptor && ReadLE32(p + 8) == quint32(at + i - dataStart)) {
                    dataEnd = at + i;
                    break;
                }
            }
        }
    }
    if (dataEnd < 0)
        return false;
    char desc[16];
    const qint64 descLen = qMin<qint64>(16, file.Size() - dataEnd);
    if (descLen < 12 || !file.ReadAt(dataEnd, desc, descLen))
        return false;
    const int skip = ReadLE32(desc) == kSigDescriptor && descLen == 16 ? 4 : 0;
    if (skip == 0 && descLen < 12)
        return false;
    e.crc = ReadLE32(desc + skip);
    e.compressedSize = dataEnd - dataStart;
    e.uncompressedSize = ReadLE32(desc + skip + 8);
    next = dataEnd + 12 + skip;
    return true;
}

TZipDirectory RecoverFromLocalHeaders(const TZipFile &file)
{
    TZipDirectory dir;
    dir.recovered = true;
    TZipUnpacker unpacker;
    qint64 pos = 0, next = 0;
    qint64 budget = ArchiveUnpackBudget(file.Size());
    TZipEntry e;
    while (ReadLocalEntry(file, pos, unpacker, budget, e, next)) {
        dir.entries.append(std::move(e));
        pos = next;
    }
    SetDataLimits(dir.entries, pos);
    return dir;
}

}  // namespace

bool TZipEntry::IsLink() const { return Host() == kHostUnix && ((externalAttributes >> 16) & S_IFMT) == S_IFLNK; }

TZipDirectory ReadZipDirectory(const TZipFile &file)
{
    if (const std::optional<TEndRecord> found = FindEndRecord(file)) {
        const TEndRecord &end = *found;
        // The directory where the end record says it is, or else right in front of the end
        // record: data in front of the archive (a self-extractor) moves every offset alike.
        QList<qint64> starts{end.cdOffset};
        if (end.position - end.cdSize != end.cdOffset)
            starts.append(end.position - end.cdSize);
        for (const qint64 cdStart : starts) {
            QByteArray cd(end.cdSize, Qt::Uninitialized);
            if (!file.ReadAt(cdStart, cd.data(), cd.size()))
                throw ZipFileError(zeCannotRead, file.Path());
            TZipDirectory dir;
            if (ParseCentralDirectory(cd, cdStart - end.cdOffset, end.entryCount, file.Size(), dir.entries)) {
                dir.comment = DecodeEntryName(end.comment, 0, kHostUnknown, QByteArrayView());
                SetDataLimits(dir.entries, cdStart);
                return dir;
            }
        }
    }
    TZipDirectory dir = RecoverFromLocalHeaders(file);
    if (dir.entries.isEmpty())
        throw ZipFileError(zeNotAnArchive, file.Path());
    return dir;
}
