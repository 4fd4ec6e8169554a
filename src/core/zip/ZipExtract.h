#pragma once
// Extraction of one entry into one file.

#include "zip/ZipDirectory.h"
#include "zip/ZipInflate.h"

#include <QString>

// No book comes near this; an entry declaring more is refused before a byte is written.
constexpr qint64 kMaxEntrySize = qint64(1) << 30;

// All the entries of one archive together may unpack to this much: 64 MiB plus a hundred times
// the archive's own size. Books compress far less than 100:1, zip bombs far more.
inline qint64 ArchiveUnpackBudget(qint64 archiveSize)
{
    return (qint64(64) << 20) + 100 * qMin(archiveSize, qint64(1) << 50);
}

// Checks that do not need the data: encryption, method, declared size. Raises the entry's error.
void CheckEntryExtractable(const TZipEntry &entry, const QString &archivePath);

// Writes the entry's data to `outputPath`, checking its size and CRC. A file already there is
// replaced only when the new one is complete; on any failure nothing is left behind. The file
// gets the entry's modification time and read-only state.
void ExtractEntryToFile(const TZipFile &archive, const TZipEntry &entry, const QString &outputPath,
                        TZipUnpacker &unpacker);

// The entry's data in memory, with the same checks as ExtractEntryToFile.
QByteArray ReadEntryData(const TZipFile &archive, const TZipEntry &entry, TZipUnpacker &unpacker);

// Gives the open file `fd` the entry's modification time and read-only state, as extraction does.
void SetEntryTimeAndMode(int fd, const TZipEntry &entry);
// The modification time extraction gives the entry's file, in seconds since the epoch; -1: none
// (the file keeps the time it is written at).
qint64 EntryModifiedTime(const TZipEntry &entry);
// True when extraction makes the entry's file read-only.
bool EntryReadOnly(const TZipEntry &entry);
