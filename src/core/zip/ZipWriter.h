#pragma once
// Writing a new archive. It is written under a temporary name beside its final one and takes
// that name only when it is complete on disk, so an archive of the same name is never lost to a
// half-written one.

#include "zip/ZipFile.h"

#include <QByteArray>
#include <QString>

class TZipWriter {
public:
    // Creates the temporary file; raises "Cannot create file" naming `finalPath`.
    explicit TZipWriter(const QString &finalPath);
    ~TZipWriter();  // an unfinished archive is discarded
    TZipWriter(const TZipWriter &) = delete;
    TZipWriter &operator=(const TZipWriter &) = delete;

    // Deflates the file at `sourcePath` into a new entry named `storedPath` at zlib `level`.
    // On an error the archive is left as it was before the call.
    void AddFile(const QString &sourcePath, const QString &storedPath, int level);
    int EntryCount() const { return m_entries; }
    const QString &TempPath() const { return m_tempPath; }

    // Central directory and end record, data flushed to the disk, then renamed into place.
    void Finish();
    // Removes the temporary file; the final name is not touched.
    void Discard();

private:
    void Flush();
    void RollBack(qint64 headerOffset, qint64 cdSize);
    qint64 Position() const { return m_flushed + m_buffer.size(); }

    QString m_finalPath;
    QString m_tempPath;
    TZipFile m_file;
    QByteArray m_buffer;      // bytes not yet written, starting at file offset m_flushed
    qint64 m_flushed = 0;
    QByteArray m_central;     // central directory records of the entries so far
    int m_entries = 0;
};
