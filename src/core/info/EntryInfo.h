#pragma once
// The description of one row of the file list, as a selection or the command asks for it: an
// archive entry is extracted into the scratch folder first, then its file is described.

#include "globals/BookData.h"
#include "info/BookInfo.h"
#include "list/ListEntry.h"

#include <QString>

// The status pane after a selection: the loose file's full path, or the archive's path, "#" and
// the entry's name.
QString InfoStatusText(const TListEntry &entry);

struct TEntryInfo {
    QString Link;  // BookInfo's link: the page, or empty
    QString Extracted;  // the file an archive entry was extracted to
    TBookInfo Book;
};

// The file of a row: a loose file as it is; an archive entry extracted below tempDir (at its
// folders inside the archive). Throws the archive's errors, also when the entry is gone.
QString EntryFile(const TListEntry &entry, const QString &tempDir);

// The metadata record of a row's book, read as a run reads it for naming (an archive entry is
// extracted below tempDir first). Throws what extracting and loading throw.
TBookData EntryBookRecord(const TListEntry &entry, const QString &tempDir);

// Extracts an archive entry below tempDir (at its folders inside the archive, where the file list
// found it) and runs BookInfo on the file. Throws the archive's errors, also when the entry is no
// longer in the archive, and BookInfo's; `info` tells what was written up to the failure.
void DescribeEntry(const TListEntry &entry, TEntryInfo &info, const QString &tempDir, const QString &utilsDir);
