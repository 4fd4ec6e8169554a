#pragma once
// An archive being read, by its descriptor: positioned reads without the buffering of QFile, so
// that the directory and each entry are read in as few calls as possible. New files are written
// through TScratchFile.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class TZipFile {
public:
    TZipFile() = default;
    ~TZipFile() { Close(); }
    TZipFile(const TZipFile &) = delete;
    TZipFile &operator=(const TZipFile &) = delete;

    // Opens for reading; false with errno set when it cannot.
    bool OpenRead(const QString &path);
    // False when closing reported an error (data may not have reached the disk).
    bool Close();
    bool IsOpen() const { return m_fd >= 0; }
    int Handle() const { return m_fd; }
    const QString &Path() const { return m_path; }
    qint64 Size() const { return m_size; }

    // Reads exactly `n` bytes at `offset`; false on a short read or an error.
    bool ReadAt(qint64 offset, char *buffer, qint64 n) const;
    // Reads up to `n` bytes at `offset` (fewer at the end of the file); -1 on an error.
    qint64 ReadSomeAt(qint64 offset, char *buffer, qint64 n) const;

private:
    int m_fd = -1;
    qint64 m_size = 0;
    QString m_path;
};
