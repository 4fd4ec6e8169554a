#pragma once
// Moving a file without ever replacing one, on one file system or across two.

#include <QString>

// Moves `from` to `to`. Never replaces an existing `to`. Across file systems the data is copied
// to a new file beside `to`, which takes the name `to` only when complete; the source is
// deleted after that. Returns 0, or the errno of the failure, with `from` left as it was and
// nothing left at `to`.
int MoveFileNoReplace(const QString &from, const QString &to);

// Copies the regular file `from` to `to` through its twin, complete and flushed, with its mode
// and date, never replacing a file of that name. Returns 0 or an errno, with nothing left behind.
int CopyFileNoReplace(const QString &from, const QString &to);

// Creates `folder` and every missing folder above it. Returns 0, or the errno of the first level
// that could not be made (a read-only disk, no access, a name too long, a file in the way), so
// that a run can say why instead of failing later with "not found".
int MakeFolders(const QString &folder);

// A short Russian reason for a failed file operation, for the log and the run's messages.
QString FileErrorText(int error);
