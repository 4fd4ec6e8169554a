#pragma once
// The directory of an archive: one record per entry, read from the central directory, or from
// the local headers when the archive has no usable central directory (a damaged archive).

#include "zip/ZipFile.h"

#include <QList>
#include <QString>

struct TZipEntry {
    QString path;  // stored path, "/" between folders, a folder ends with "/"
    quint16 versionMadeBy = 0;
    quint16 flags = 0;
    quint16 method = 0;
    quint32 dosDateTime = 0;  // date in the high word, time in the low word
    quint32 crc = 0;
    quint32 externalAttributes = 0;
    qint64 compressedSize = 0;
    qint64 uncompressedSize = 0;
    qint64 localOffset = 0;  // of the local header in the file
    qint64 dataLimit = 0;  // the entry's data must end here; -1 when it shares its header
    qint64 unixModTime = -1;  // extended-timestamp field, seconds since 1970 UTC
    int headerHint = 0;  // name and extra length: the local header is about this long
    QString comment;

    int Host() const { return versionMadeBy >> 8; }
    bool IsFolder() const { return path.endsWith(QLatin1Char('/')) || (externalAttributes & 0x10); }
    bool IsLink() const;
    quint8 DosAttributes() const { return quint8(externalAttributes & 0xFF); }
};

// Only Qt containers and plain values: safe to move in memory when the list grows.
Q_DECLARE_TYPEINFO(TZipEntry, Q_RELOCATABLE_TYPE);

struct TZipDirectory {
    QList<TZipEntry> entries;
    QString comment;
    bool recovered = false;  // read from the local headers
};

// Reads the directory of the open archive `file`; raises the component's error naming the file
// when it cannot be read or is no ZIP archive.
TZipDirectory ReadZipDirectory(const TZipFile &file);
