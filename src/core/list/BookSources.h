#pragma once
// Where the rows of the file list come from: a path as AddBook gets it, or a folder as
// OpenDirectory opens it. The GUI and the command line both fill their lists from here.

#include "list/ListEntry.h"

#include <QList>
#include <QString>
#include <QStringList>

class TZipArchive;

// The rows of one path: a ".fb2" file gives one row by its name and size (the file is not read;
// a missing one gets size 0); a ".zip" archive gives one row per ".fb2" entry in the order of its
// directory (letters A to Z in any case, entries in every folder, each row with its folder in
// the archive; folder entries are no books);
// any other path gives none. The extension test ignores case. The archive is read through `zip`,
// which is closed again on every path; an archive that cannot be read raises its error.
QList<TListEntry> BookSourceRows(const QString &fName, TZipArchive &zip);

// True when the path's extension makes it a ".fb2" file or a ".zip" archive for BookSourceRows.
bool IsBookSource(const QString &path);

// The same with an archive component of its own.
QList<TListEntry> BookSourceRows(const QString &fName);

// Extracts the archive entry of `entry` through `zip` (open for reading, BaseDir set) and returns
// the file written: the very entry the row was listed from, even when another entry has its name.
// Empty when the entry is no longer there.
QString ExtractListEntry(TZipArchive &zip, const TListEntry &entry);

// The ".fb2" files of a folder, not of its subfolders, as full paths sorted by name.
QStringList FolderBookFiles(const QString &folder);

// The paths a path named on the command line stands for: a folder its ".fb2" files, as
// "Открыть папку" takes them, or with `tree` its ".fb2" files and ".zip" archives and those of
// its subfolders, as "Открыть папку с подпапками" does; anything else itself (BookSourceRows
// decides what it gives).
QStringList PathBookSources(const QString &path, bool tree = false);

// Size of a file in bytes; 0 when there is none.
qint64 QueryFileSize(const QString &path);
