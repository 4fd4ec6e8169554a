#pragma once
// Opening and reading files that must be ordinary files: books, archives, config files,
// templates and style sheets. A FIFO, a device or a folder under such a name would hang a read or
// never end it; they are refused from the opened descriptor, before anything is read.

#include <QByteArray>
#include <QString>

// Opens for reading without blocking, then checks the descriptor: -1 with errno set when the file
// cannot be opened: EISDIR for a folder, EINVAL (and *notRegular true) for anything else that is
// not a regular file. The caller closes the descriptor.
int OpenRegularFile(const QString &path, bool *notRegular = nullptr);

// Opens a regular file of at most maxSize bytes for a caller that reads it itself: the
// descriptor (the caller closes it) and, in `size`, its size; or -1 with `why` set as
// ReadRegularFile sets it.
int OpenRegularFileUpTo(const QString &path, qint64 maxSize, QString &why, qint64 *size = nullptr);
// Reads the rest of the file opened so (`size` as it gave), as ReadRegularFile does; the
// descriptor stays open.
bool ReadOpenRegularFile(int fd, const QString &path, qint64 size, qint64 maxSize, QByteArray &data, QString &why);
// ReadRegularFile's `why` for a read that failed with errno `error`; EFBIG: the file grew past
// maxSize while it was read.
QString ReadFailedText(const QString &path, int error, qint64 maxSize);

// Reads a whole regular file of at most maxSize bytes. False with `why` set (the path and the
// reason, in English) when it is no regular file, is larger, or cannot be read.
bool ReadRegularFile(const QString &path, qint64 maxSize, QByteArray &data, QString &why);

// True when something (a file, a folder, a link, even a dangling one) has that name.
bool PathTaken(const QString &path);

// True when both are regular files with the same bytes: the proof a run asks before it removes a
// book as a copy of one that stays.
bool SameFileBytes(const QString &a, const QString &b);
// The same for a regular file and bytes in memory.
bool FileHoldsBytes(const QString &path, const QByteArray &bytes);
