#pragma once
// The paths a run forms for one row. Folders end with "/"; parts are joined as they stand.

#include "list/ListEntry.h"

#include <QString>

// The sub-folder below the run's scratch folder that archive entries are extracted into, so that
// the information panel, which extracts into the scratch folder too, never replaces a book
// while the run works on it. One per process: the window and the command line may run at once.
QString RunExtractDir(const QString &tempDir);
// Removes the extraction folders of runs that were killed (their process is gone): what they
// hold are copies of entries of archives, which stay as they were.
void RemoveStaleRunExtractDirs(const QString &tempDir);

// A loose file: FileDir + FileName. An archive entry: where extraction puts it, the extraction
// folder + the entry's folders inside the archive + FileName.
QString WorkingPath(const TListEntry &entry, const QString &extractDir);

// The target folder for a sort result: `endDir` + the result with each "\" level turned into a
// "/" folder and a trailing "/" added. Empty levels (an empty author) are dropped, and so are
// "." and "..", so that no metadata can lead the book out of the output folder.
QString SortedFolder(const QString &endDir, const QString &sortResult);

// AppSettings.BadDir + FileName.
QString BadFilePath(const QString &badDir, const TListEntry &entry);
