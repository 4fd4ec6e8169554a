#pragma once
// One entry of an archive as the search of TZipArchive reports it.

#include <QString>
#include <QtGlobal>

// File attributes as search masks use them.
enum : int {
    faReadOnly = 0x01,
    faHidden = 0x02,
    faSysFile = 0x04,
    faVolumeID = 0x08,
    faDirectory = 0x10,
    faArchive = 0x20,
    faAnyFile = 0x1FF,
};

// The masks the program searches with; both admit every entry and every ordinary file.
constexpr int kListSearchAttr = 511;
constexpr int kExtractSearchAttr = 10431;

// Where a search stands: the next entry to look at and what it looks for.
struct TZipSearchHandle {
    qsizetype next = 0;
    QString fileMask;
    QString exclusionMask;
    int searchAttr = 0;
    quint64 archive = 0;  // which opening of the archive the search belongs to
};

struct TZipArchiveItem {
    QString FileName;  // the entry's name without its folder
    QString StoredPath;  // the entry's folder inside the archive ("a/b/"), empty at the top
    qint64 CompressedSize = 0;
    qint64 UncompressedSize = 0;
    double CompressionRate = 0;  // per cent saved
    bool Encrypted = false;
    quint16 LastModFileDate = 0;
    quint16 LastModFileTime = 0;
    quint32 CRC = 0;
    quint32 ExternalFileAttributes = 0;
    QString Comment;
    qsizetype EntryIndex = -1;  // its place in the archive's directory
    TZipSearchHandle Handle;
};
