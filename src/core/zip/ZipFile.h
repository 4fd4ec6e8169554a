#pragma once
// A file of the archive layer by its descriptor: positioned reads and writes without the
// buffering of QFile, so that the directory and each entry are read in as few calls as possible.

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
    // Creates a new file that must not exist yet (O_EXCL); false with errno set.
    bool CreateNew(const QString &path);
    // Creates a new file beside `finalPath` under a scratch name, "." + prefix + random digits +
    // ".part", so that it can take the final name when complete; false with errno set.
    bool CreateBeside(const QString &finalPath, const QString &prefix, QString &tempPath);
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
    // Appends at the end of what was written so far.
    bool WriteAll(const char *data, qint64 n);
    bool WriteAt(qint64 offset, const char *data, qint64 n);
    // Cuts the file to `size`; the next WriteAll goes there.
    bool Truncate(qint64 size);

private:
    int m_fd = -1;
    qint64 m_size = 0;
    QString m_path;
};
