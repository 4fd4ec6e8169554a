#pragma once
// One row of the file list: a loose .fb2 file or an .fb2 entry of a .zip archive.

#include <QString>
#include <QtGlobal>

struct TListEntry {
    QString FileName;  // name without folder (loose file or archive entry)
    QString FileDir;  // loose file: its folder ending in "/"; archive entry: empty
    qint64 FileSize = 0;  // bytes; archive entry: uncompressed size
    bool InArchive = false;
    QString ArchivePath;  // archive entry: the archive's path as given; loose file: empty
    QString StoredPath;  // archive entry: its folder inside the archive ("a/b/"), empty at the top
    qsizetype EntryIndex = -1;  // archive entry: its place in the directory (names may repeat)
};
