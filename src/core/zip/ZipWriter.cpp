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

class TSourceFile {
public:
    explicit TSourceFile(const QString &path)
    {
        // Non-blocking: a FIFO must not hang the program; only regular files are taken.
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (m_fd < 0)
            throw ZipFileError(errno == ENAMETOOLONG ? zeNameTooLong : zeCannotOpenFile, path);
        if (::fstat(m_fd, &m_stat) != 0 || !S_ISREG(m_stat.st_mode)) {
            ::close(m_fd);
            throw ZipFileError(zeCannotOpenFile, path);
        }
    }
    ~TSourceFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int Handle() const { return m_fd; }
    const struct stat &Stat() const { return m_stat; }

private:
    int m_fd = -1;
    struct stat m_stat {};
};

} // namespace

TZipWriter::TZipWriter(const QString &finalPath) : m_finalPath(finalPath)
{
    const QFileInfo target(finalPath);
    if (target.isDir())
        throw ZipFileError(zeCannotCreateFile, finalPath);
    // The scratch name holds the final one, so a name too long shows here, before any work.
    if (m_file.CreateBeside(finalPath, target.fileName() + QLatin1Char('.'), m_tempPath))
        return;
    throw ZipFileError(errno == ENAMETOOLONG ? zeNameTooLong : zeCannotCreateFile, finalPath);
}

TZipWriter::~TZipWriter() { Discard(); }

void TZipWriter::Discard()
{
    if (m_tempPath.isEmpty())
        return;
    m_file.Close();
    ::unlink(QFile::encodeName(m_tempPath).constData());
    m_tempPath.clear();
}

void TZipWriter::Flush()
{
    if (!m_file.WriteAll(m_buffer.constData(), m_buffer.size()))
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
    if (!m_file.Truncate(headerOffset)) {
        Discard();  // the archive cannot be brought back; it will never take its final name
        return;
    }
    m_flushed = headerOffset;
}

void TZipWriter::AddFile(const QString &sourcePath, const QString &storedPath, int level)
{
    if (m_tempPath.isEmpty())
        throw ZipFileError(zeNotOpen, m_finalPath);
    TSourceFile source(sourcePath);
    const struct stat &st = source.Stat();
    if (st.st_size >= kLimit32)
        throw ZipFileError(zeZip64Size, sourcePath);
    const qint64 headerOffset = Position();
    if (headerOffset >= kLimit32 || m_entries >= 0xFFFF)
        throw ZipFileError(zeZip64Offset, sourcePath);

    quint16 flags = DeflateOptionFlags(level);
    QByteArray nameExtra;
    const QByteArray name = EncodeEntryName(storedPath, flags, nameExtra);
    const QByteArray extra = ExtendedTimestamp(st.st_mtime) + nameExtra;  // alike in both headers
    const quint32 dosTime = LocalToDosDateTime(QDateTime::fromSecsSinceEpoch(st.st_mtime));
    quint32 dosAttributes = 0x20;  // archive
    if (!(st.st_mode & S_IWUSR))
        dosAttributes |= 0x01;     // read-only

    const qint64 cdSize = m_central.size();
    QByteArray header;
    AppendLE32(header, kSigLocal);
    AppendLE16(header, kVersion20);
    AppendLE16(header, flags);
    AppendLE16(header, kMethodDeflated);
    AppendLE32(header, dosTime);
    AppendLE32(header, 0);  // CRC and sizes: filled in once the data is written
    AppendLE32(header, 0);
    AppendLE32(header, 0);
    AppendLE16(header, quint16(name.size()));
    AppendLE16(header, quint16(extra.size()));
    header += name;
    header += extra;
    m_buffer += header;

    quint32 crc = 0;
    qint64 total = 0;
    z_stream zs{};
    bool zsReady = false;
    try {
        QByteArray in;
        // Reads the next piece of the source into `in`; false at its end.
        const auto readPiece = [&]() -> bool {
            in.resize(kReadChunk);
            ssize_t got;
            do
                got = ::read(source.Handle(), in.data(), size_t(in.size()));
            while (got < 0 && errno == EINTR);
            if (got < 0)
                throw ZipFileError(zeCannotRead, sourcePath);
            in.resize(got);
            total += got;
            if (total >= kLimit32)
                throw ZipFileError(zeZip64Size, sourcePath);
            crc = quint32(libdeflate_crc32(crc, in.constData(), size_t(got)));
            return got > 0;
        };
        if (st.st_size <= kWholeLimit) {
            // A book is read whole and deflated in one piece by libdeflate, about twice as fast
            // as zlib's stream.
            QByteArray whole;
            whole.reserve(st.st_size);
            while (readPiece())
                whole += in;
            libdeflate_compressor *c = libdeflate_alloc_compressor(level);
            if (!c)
                throw ZipFileError(zeCannotWrite, m_finalPath);
            const size_t room = libdeflate_deflate_compress_bound(c, size_t(whole.size()));
            const qsizetype before = m_buffer.size();
            m_buffer.resize(before + qsizetype(room));
            const size_t made = libdeflate_deflate_compress(c, whole.constData(), size_t(whole.size()),
                                                            m_buffer.data() + before, room);
            libdeflate_free_compressor(c);
            if (made == 0)
                throw ZipFileError(zeCannotWrite, m_finalPath);
            m_buffer.resize(before + qsizetype(made));
            if (m_buffer.size() >= kFlushAt)
                Flush();
        } else {
            if (deflateInit2(&zs, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
                throw ZipFileError(zeCannotWrite, m_finalPath);
            zsReady = true;
            int flush = Z_NO_FLUSH;
            do {
                flush = readPiece() ? Z_NO_FLUSH : Z_FINISH;
                zs.next_in = reinterpret_cast<Bytef *>(in.data());
                zs.avail_in = uInt(in.size());
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
            deflateEnd(&zs);
            zsReady = false;
        }
        const qint64 compressed = Position() - headerOffset - header.size();
        if (compressed >= kLimit32)
            throw ZipFileError(zeZip64Size, sourcePath);

        char sizes[12];
        WriteLE32(sizes, crc);
        WriteLE32(sizes + 4, quint32(compressed));
        WriteLE32(sizes + 8, quint32(total));
        if (headerOffset >= m_flushed)
            memcpy(m_buffer.data() + (headerOffset - m_flushed) + 14, sizes, sizeof sizes);
        else if (!m_file.WriteAt(headerOffset + 14, sizes, sizeof sizes))
            throw ZipFileError(zeCannotWrite, m_finalPath);

        AppendLE32(m_central, kSigCentral);
        AppendLE16(m_central, kVersion20);  // made by: MS-DOS, 2.0
        AppendLE16(m_central, kVersion20);
        AppendLE16(m_central, flags);
        AppendLE16(m_central, kMethodDeflated);
        AppendLE32(m_central, dosTime);
        AppendLE32(m_central, crc);
        AppendLE32(m_central, quint32(compressed));
        AppendLE32(m_central, quint32(total));
        AppendLE16(m_central, quint16(name.size()));
        AppendLE16(m_central, quint16(extra.size()));
        AppendLE16(m_central, 0);  // comment
        AppendLE16(m_central, 0);  // disk
        AppendLE16(m_central, 0);  // internal attributes
        AppendLE32(m_central, dosAttributes);
        AppendLE32(m_central, quint32(headerOffset));
        m_central += name;
        m_central += extra;
        ++m_entries;
    } catch (...) {
        if (zsReady)
            deflateEnd(&zs);
        RollBack(headerOffset, cdSize);
        throw;
    }
}

void TZipWriter::Finish()
{
    if (m_tempPath.isEmpty())
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
    if (::fsync(m_file.Handle()) != 0 || !m_file.Close())
        throw ZipFileError(zeCannotWrite, m_finalPath);
    if (::rename(QFile::encodeName(m_tempPath).constData(), QFile::encodeName(m_finalPath).constData()) != 0)
        throw ZipFileError(zeCannotCreateFile, m_finalPath);
    m_tempPath.clear();
}
