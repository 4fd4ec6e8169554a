#include "zip/ZipWriter.h"

#include "zip/ZipErrors.h"
#include "zip/ZipFormat.h"
#include "zip/ZipNames.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <libdeflate.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

constexpr qint64 kFlushAt = 1024 * 1024;
constexpr qint64 kReadChunk = 256 * 1024;
// Files up to this size are deflated in one piece in memory.
constexpr qint64 kWholeLimit = 64 * 1024 * 1024;
constexpr qint64 kLimit32 = 0xFFFFFFFF;
constexpr quint16 kVersion20 = 20;  // made by and needed: MS-DOS host, version 2.0
constexpr qint64 kSizesAt = 14;  // CRC and both sizes in the local header

// Bits 1 and 2 of the flags tell which deflate option made the data.
quint16 DeflateOptionFlags(int level)
{
    if (level == 1)
        return 0x6;  // super fast
    if (level == 2)
        return 0x4;  // fast
    if (level >= 8)
        return 0x2;  // maximum
    return 0;
}

// The extended timestamp (0x5455) with the modification time in UTC, whole seconds. Besides
// the exact time it makes Info-ZIP's unzip honour bit 11: without any extra field it reads a
// UTF-8 name of an MS-DOS host as OEM text. Empty for a time the field cannot hold.
QByteArray ExtendedTimestamp(time_t mtime)
{
    QByteArray field;
    if (mtime < 0 || mtime > 0x7FFFFFFF)
        return field;
    AppendLE16(field, 0x5455);
    AppendLE16(field, 5);
    field.append(char(1));  // modification time only
    AppendLE32(field, quint32(mtime));
    return field;
}

// The file being packed: a regular file only, read in pieces that are counted and summed.
class TSourceFile {
public:
    explicit TSourceFile(const QString &path) : m_path(path)
    {
        // Non-blocking: a FIFO must not hang the program; only regular files are taken.
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (m_fd < 0)
            throw ZipFileError(errno == ENAMETOOLONG ? zeNameTooLong : zeCannotOpenFile, path);
        if (::fstat(m_fd, &m_stat) != 0 || !S_ISREG(m_stat.st_mode)) {
            ::close(m_fd);
            throw ZipFileError(zeCannotOpenFile, path);
        }
        if (m_stat.st_size >= kLimit32) {
            ::close(m_fd);
            throw ZipFileError(zeZip64Size, path);
        }
    }
    ~TSourceFile() { ::close(m_fd); }
    TSourceFile(const TSourceFile &) = delete;
    TSourceFile &operator=(const TSourceFile &) = delete;

    const struct stat &Stat() const { return m_stat; }
    quint32 Crc() const { return m_crc; }
    qint64 Total() const { return m_total; }

    bool ReadPiece(QByteArray &piece)
    {
        piece.resize(kReadChunk);
        ssize_t got;
        do
            got = ::read(m_fd, piece.data(), size_t(piece.size()));
        while (got < 0 && errno == EINTR);
        if (got < 0)
            throw ZipFileError(zeCannotRead, m_path);
        piece.resize(got);
        m_total += got;
        // The file may have grown since it was measured.
        if (m_total >= kLimit32)
            throw ZipFileError(zeZip64Size, m_path);
        m_crc = quint32(libdeflate_crc32(m_crc, piece.constData(), size_t(got)));
        return got > 0;
    }

private:
    QString m_path;
    int m_fd = -1;
    struct stat m_stat {};
    quint32 m_crc = 0;
    qint64 m_total = 0;
};

struct TCompressorFree {
    void operator()(libdeflate_compressor *c) const { libdeflate_free_compressor(c); }
};
using TCompressor = std::unique_ptr<libdeflate_compressor, TCompressorFree>;

// Appends the raw deflate of `n` bytes at `data` to `out`, in one piece by libdeflate (about
// twice as fast as zlib's stream). Both ways of packing a book go through it, so a book
// deflated ahead is byte for byte the one deflated while packing. False when it failed.
bool DeflateAppend(const char *data, size_t n, int level, QByteArray &out)
{
    const TCompressor c(libdeflate_alloc_compressor(level));
    if (!c)
        return false;
    const size_t room = libdeflate_deflate_compress_bound(c.get(), n);
    const qsizetype before = out.size();
    out.resize(before + qsizetype(room));
    const size_t made = libdeflate_deflate_compress(c.get(), data, n, out.data() + before, room);
    out.resize(before + qsizetype(made));
    return made != 0;
}

// A raw deflate stream of zlib, ended on every path.
class TDeflateStream {
public:
    TDeflateStream(int level, const QString &archive)
    {
        if (deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw ZipFileError(zeCannotWrite, archive);
    }
    ~TDeflateStream() { deflateEnd(&z); }
    TDeflateStream(const TDeflateStream &) = delete;
    TDeflateStream &operator=(const TDeflateStream &) = delete;

    z_stream z{};
};

}  // namespace

// One entry while it is added: what both of its headers say.
struct TZipWriter::TEntry {
    QByteArray name;
    QByteArray extra;  // alike in both headers
    quint16 flags = 0;
    quint32 dosTime = 0;
    quint32 dosAttributes = 0x20;  // archive
    qint64 headerOffset = 0;
    qint64 headerSize = 0;
    quint32 crc = 0;
    qint64 compressed = 0;
    qint64 total = 0;
};

TZipWriter::TZipWriter(const QString &finalPath) : m_finalPath(finalPath)
{
    if (QFileInfo(finalPath).isDir())
        throw ZipFileError(zeCannotCreateFile, finalPath);
    // A final name too long to be taken shows here, before any work.
    if (const int e = m_file.Create(finalPath))
        throw ZipFileError(e == ENAMETOOLONG ? zeNameTooLong : zeCannotCreateFile, finalPath);
}

TZipWriter::~TZipWriter() { Discard(); }

void TZipWriter::Discard() { m_file.Discard(); }

void TZipWriter::Flush()
{
    if (m_file.Append(m_buffer) != 0)
        throw ZipFileError(zeCannotWrite, m_finalPath);
    m_flushed += m_buffer.size();
    m_buffer.clear();
}

void TZipWriter::RollBack(qint64 headerOffset, qint64 cdSize)
{
    m_central.truncate(cdSize);
    if (headerOffset >= m_flushed) {
        m_buffer.truncate(headerOffset - m_flushed);
        return;
    }
    m_buffer.clear();
    if (m_file.Truncate(headerOffset) != 0) {
        Discard();  // the archive cannot be brought back; it will never take its final name
        return;
    }
    m_flushed = headerOffset;
}

void TZipWriter::WriteLocalHeader(const TEntry &e)
{
    QByteArray header;
    AppendLE32(header, kSigLocal);
    AppendLE16(header, kVersion20);
    AppendLE16(header, e.flags);
    AppendLE16(header, kMethodDeflated);
    AppendLE32(header, e.dosTime);
    AppendLE32(header, 0);  // CRC and sizes: filled in once the data is written
    AppendLE32(header, 0);
    AppendLE32(header, 0);
    AppendLE16(header, quint16(e.name.size()));
    AppendLE16(header, quint16(e.extra.size()));
    header += e.name;
    header += e.extra;
    Q_ASSERT(header.size() == e.headerSize);
    m_buffer += header;
}

void TZipWriter::Deflate(const TReadPiece &read, qint64 size, int level)
{
    if (size <= kWholeLimit)
        DeflateWhole(read, size, level);
    else
        DeflateStream(read, level);
}

void TZipWriter::DeflateWhole(const TReadPiece &read, qint64 size, int level)
{
    // A book is read whole and deflated in one piece.
    QByteArray whole, piece;
    whole.reserve(size);
    while (read(piece))
        whole += piece;
    if (!DeflateAppend(whole.constData(), size_t(whole.size()), level, m_buffer))
        throw ZipFileError(zeCannotWrite, m_finalPath);
    if (m_buffer.size() >= kFlushAt)
        Flush();
}

void TZipWriter::DeflateStream(const TReadPiece &read, int level)
{
    TDeflateStream stream(level, m_finalPath);
    z_stream &zs = stream.z;
    QByteArray piece;
    int flush = Z_NO_FLUSH;
    do {
        flush = read(piece) ? Z_NO_FLUSH : Z_FINISH;
        zs.next_in = reinterpret_cast<Bytef *>(piece.data());
        zs.avail_in = uInt(piece.size());
        do {
            const qsizetype before = m_buffer.size();
            const uLong room = deflateBound(&zs, zs.avail_in) + 64;
            m_buffer.resize(before + qsizetype(room));
            zs.next_out = reinterpret_cast<Bytef *>(m_buffer.data() + before);
            zs.avail_out = uInt(room);
            deflate(&zs, flush);
            m_buffer.resize(before + qsizetype(room - zs.avail_out));
            if (m_buffer.size() >= kFlushAt)
                Flush();
        } while (zs.avail_out == 0 || zs.avail_in > 0);
    } while (flush != Z_FINISH);
}

void TZipWriter::PatchSizes(const TEntry &e)
{
    char sizes[12];
    WriteLE32(sizes, e.crc);
    WriteLE32(sizes + 4, quint32(e.compressed));
    WriteLE32(sizes + 8, quint32(e.total));
    if (e.headerOffset >= m_flushed)
        memcpy(m_buffer.data() + (e.headerOffset - m_flushed) + kSizesAt, sizes, sizeof sizes);
    else if (m_file.WriteAt(e.headerOffset + kSizesAt, sizes, sizeof sizes) != 0)
        throw ZipFileError(zeCannotWrite, m_finalPath);
}

void TZipWriter::AppendCentralRecord(const TEntry &e)
{
    AppendLE32(m_central, kSigCentral);
    AppendLE16(m_central, kVersion20);  // made by: MS-DOS, 2.0
    AppendLE16(m_central, kVersion20);
    AppendLE16(m_central, e.flags);
    AppendLE16(m_central, kMethodDeflated);
    AppendLE32(m_central, e.dosTime);
    AppendLE32(m_central, e.crc);
    AppendLE32(m_central, quint32(e.compressed));
    AppendLE32(m_central, quint32(e.total));
    AppendLE16(m_central, quint16(e.name.size()));
    AppendLE16(m_central, quint16(e.extra.size()));
    AppendLE16(m_central, 0);  // comment
    AppendLE16(m_central, 0);  // disk
    AppendLE16(m_central, 0);  // internal attributes
    AppendLE32(m_central, e.dosAttributes);
    AppendLE32(m_central, quint32(e.headerOffset));
    m_central += e.name;
    m_central += e.extra;
}

TDeflatedData DeflateData(const QByteArray &bytes, int level)
{
    TDeflatedData d;
    if (bytes.size() > kWholeLimit)
        return d;  // AddFile deflates these as a stream
    if (!DeflateAppend(bytes.constData(), size_t(bytes.size()), level, d.Data)) {
        d.Data.clear();
        return d;
    }
    d.Crc = quint32(libdeflate_crc32(0, bytes.constData(), size_t(bytes.size())));
    d.Size = bytes.size();
    d.Level = level;
    return d;
}

void TZipWriter::AddEntry(const QString &what, const QString &storedPath, int level, qint64 modified, bool readOnly,
                          const std::function<void(TEntry &)> &writeData)
{
    TEntry e;
    e.headerOffset = Position();
    if (e.headerOffset >= kLimit32 || m_entries >= 0xFFFF)
        throw ZipFileError(zeZip64Offset, what);
    e.flags = DeflateOptionFlags(level);
    QByteArray nameExtra;
    e.name = EncodeEntryName(storedPath, e.flags, nameExtra);
    e.extra = ExtendedTimestamp(modified) + nameExtra;
    e.headerSize = kLocalHeaderSize + e.name.size() + e.extra.size();
    e.dosTime = LocalToDosDateTime(QDateTime::fromSecsSinceEpoch(modified));
    if (readOnly)
        e.dosAttributes |= 0x01;

    const qint64 cdSize = m_central.size();
    try {
        WriteLocalHeader(e);
        writeData(e);
        e.compressed = Position() - e.headerOffset - e.headerSize;
        if (e.compressed >= kLimit32)
            throw ZipFileError(zeZip64Size, what);
        PatchSizes(e);
        AppendCentralRecord(e);
        ++m_entries;
    } catch (...) {
        RollBack(e.headerOffset, cdSize);
        throw;
    }
}

// Takes the data deflated ahead when it is of these bytes at this level.
bool TZipWriter::UseDeflated(const TDeflatedData *deflated, qint64 size, int level, TEntry &e)
{
    if (!deflated || deflated->Data.isEmpty() || deflated->Level != level || deflated->Size != size)
        return false;
    m_buffer += deflated->Data;
    e.crc = deflated->Crc;
    e.total = deflated->Size;
    if (m_buffer.size() >= kFlushAt)
        Flush();
    return true;
}

void TZipWriter::AddFile(const QString &sourcePath, const QString &storedPath, int level, const TDeflatedData *deflated)
{
    if (!m_file.IsOpen())
        throw ZipFileError(zeNotOpen, m_finalPath);
    TSourceFile source(sourcePath);
    const struct stat &st = source.Stat();
    AddEntry(sourcePath, storedPath, level, st.st_mtime, !(st.st_mode & S_IWUSR), [&](TEntry &e) {
        if (UseDeflated(deflated, st.st_size, level, e))
            return;
        Deflate([&source](QByteArray &piece) { return source.ReadPiece(piece); }, st.st_size, level);
        e.crc = source.Crc();
        e.total = source.Total();
    });
}

void TZipWriter::AddBytes(const QByteArray &bytes, const QString &storedPath, int level, qint64 modified, bool readOnly,
                          const TDeflatedData *deflated)
{
    if (!m_file.IsOpen())
        throw ZipFileError(zeNotOpen, m_finalPath);
    if (bytes.size() >= kLimit32)
        throw ZipFileError(zeZip64Size, storedPath);
    AddEntry(storedPath, storedPath, level, modified, readOnly, [&](TEntry &e) {
        if (UseDeflated(deflated, bytes.size(), level, e))
            return;
        // In the pieces a file would be read in.
        qsizetype at = 0;
        const TReadPiece read = [&](QByteArray &piece) {
            piece = bytes.mid(at, kReadChunk);
            at += piece.size();
            return !piece.isEmpty();
        };
        Deflate(read, bytes.size(), level);
        e.crc = quint32(libdeflate_crc32(0, bytes.constData(), size_t(bytes.size())));
        e.total = bytes.size();
    });
}

int TZipWriter::Finish(TTakeName how, bool flush)
{
    if (!m_file.IsOpen())
        throw ZipFileError(zeNotOpen, m_finalPath);
    const qint64 cdOffset = Position();
    if (cdOffset >= kLimit32 || cdOffset + m_central.size() >= kLimit32)
        throw ZipFileError(zeZip64Offset, m_finalPath);
    m_buffer += m_central;
    AppendLE32(m_buffer, kSigEnd);
    AppendLE16(m_buffer, 0);
    AppendLE16(m_buffer, 0);
    AppendLE16(m_buffer, quint16(m_entries));
    AppendLE16(m_buffer, quint16(m_entries));
    AppendLE32(m_buffer, quint32(m_central.size()));
    AppendLE32(m_buffer, quint32(cdOffset));
    AppendLE16(m_buffer, 0);
    Flush();
    // The data is on disk before the archive takes its name, so a crash never leaves a name on
    // an empty or partial archive, and a caller may delete what it packed once this returns.
    // The folder is not flushed as well: journalling file systems keep renames and deletions in
    // order, and flushing it doubled the cost of packing a book.
    if (flush && ::fsync(m_file.Handle()) != 0)
        throw ZipFileError(zeCannotWrite, m_finalPath);
    return m_file.Commit(how, false);
}
