#pragma once
// Writing a new archive. It is written under a scratch twin beside its final name and takes that
// name only when it is complete on disk, so an archive of the same name is never lost to a
// half-written one.

#include "globals/ScratchFile.h"

#include <QByteArray>
#include <QString>
#include <functional>

// A book deflated ahead of packing (by a worker of the run): byte for byte what TZipWriter would
// write for the same bytes at the same level.
struct TDeflatedData {
    QByteArray Data;  // raw deflate; empty: not deflated ahead (too large to deflate in one piece)
    quint32 Crc = 0;
    qint64 Size = 0;
    int Level = 0;
};
TDeflatedData DeflateData(const QByteArray &bytes, int level);

class TZipWriter {
public:
    // Creates the twin; raises "Cannot create file" naming `finalPath`.
    explicit TZipWriter(const QString &finalPath);
    ~TZipWriter();  // an unfinished archive is discarded
    TZipWriter(const TZipWriter &) = delete;
    TZipWriter &operator=(const TZipWriter &) = delete;

    // Deflates the file at `sourcePath` into a new entry named `storedPath` at zlib `level`.
    // On an error the archive is left as it was before the call. `deflated`: the file's bytes
    // deflated ahead at that level; the file gives only its time and read-only state then.
    void AddFile(const QString &sourcePath, const QString &storedPath, int level,
                 const TDeflatedData *deflated = nullptr);
    // The same for a book in memory; `modified` (seconds since the epoch) and `readOnly` are what
    // its file would have. `deflated`: `bytes` deflated ahead at that level.
    void AddBytes(const QByteArray &bytes, const QString &storedPath, int level, qint64 modified, bool readOnly,
                  const TDeflatedData *deflated = nullptr);
    int EntryCount() const { return m_entries; }
    const QString &TempPath() const { return m_file.Path(); }

    // Central directory and end record, data flushed to the disk, then the final name taken, with
    // or without replacing a file of that name. Returns 0, or the errno of taking the name (EEXIST:
    // NoReplace and the name is taken); the archive is discarded then. Other errors raise.
    // `flush` false: the caller flushes later (many archives at once) and deletes nothing the
    // archive holds before that.
    int Finish(TTakeName how, bool flush = true);
    // Removes the twin; the final name is not touched.
    void Discard();

private:
    struct TEntry;
    // Reads the next piece of the source into `piece`; false at its end.
    using TReadPiece = std::function<bool(QByteArray &piece)>;

    // Adds the entry whose data `writeData` puts in the buffer (setting its CRC and size), with
    // its headers; `what` names the source in errors.
    void AddEntry(const QString &what, const QString &storedPath, int level, qint64 modified, bool readOnly,
                  const std::function<void(TEntry &)> &writeData);
    bool UseDeflated(const TDeflatedData *deflated, qint64 size, int level, TEntry &e);
    void WriteLocalHeader(const TEntry &e);
    // Deflates the `size` bytes `read` gives: up to kWholeLimit in one piece, more as a stream,
    // so that a book gives the same entry from a file and from memory.
    void Deflate(const TReadPiece &read, qint64 size, int level);
    void DeflateWhole(const TReadPiece &read, qint64 size, int level);
    void DeflateStream(const TReadPiece &read, int level);
    void PatchSizes(const TEntry &e);
    void AppendCentralRecord(const TEntry &e);
    void Flush();
    void RollBack(qint64 headerOffset, qint64 cdSize);
    qint64 Position() const { return m_flushed + m_buffer.size(); }

    QString m_finalPath;
    TScratchFile m_file;
    QByteArray m_buffer;  // bytes not yet written, starting at file offset m_flushed
    qint64 m_flushed = 0;
    QByteArray m_central;  // central directory records of the entries so far
    int m_entries = 0;
};
