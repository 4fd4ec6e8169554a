#pragma once
// Packing one book into an archive of its own.

#include "zip/ZipArchive.h"

struct TDeflatedData;
struct TZipEntry;

// Packs the file oName into the new archive nName + ".zip", stored under its name relative to
// its own folder (its bare name), deflated at `level`. An archive of that name is replaced only
// once the new one is complete on disk; on any error it is left as it was. oName is not touched.
void BookArchive(TZipArchive &zip, const QString &nName, const QString &oName, int level = 1);

// The same, never replacing a file named nName + ".zip": returns 0, or the errno of taking that
// name (EEXIST when it is taken), with nothing left behind. Other errors raise.
int BookArchiveNoReplace(TZipArchive &zip, const QString &nName, const QString &oName, int level = 1);

// Packs `file` into the new archive `zipPath` as its one entry `entryName`, never replacing a
// file of that name: returns 0, or the errno of taking the name (EEXIST when it is taken), with
// nothing left behind. Other errors raise. `file` is not touched. `flush` false: the archive is
// not flushed to the disk; the caller must flush it (FlushFileSystems) before deleting `file`.
// `deflated`: the file's bytes deflated ahead (DeflateData) at `level`.
int PackBookAs(const QString &zipPath, const QString &file, const QString &entryName, int level = 1, bool flush = true,
               const TDeflatedData *deflated = nullptr);

// The one entry of `zip` when it holds exactly one, at its top, named `entryName`, extracted
// below `dir`: its path; empty otherwise. `size` not -1: the entry must have that size, or
// nothing is extracted. Raises the archive's errors.
QString ExtractOnlyEntry(const QString &zip, const QString &entryName, const QString &dir, qint64 size = -1);

// True when `zip` holds exactly the book `file` (one entry, at the top, named `entryName`, with
// the same bytes): proof that the file is a copy of what the archive keeps. The entry
// is extracted below `scratchDir` to compare it; nothing else is written. A damaged archive is no
// proof.
bool ArchiveHoldsExactly(const QString &zip, const QString &file, const QString &entryName, const QString &scratchDir);
// The same for a book in memory; the entry is read into memory to compare it.
bool ArchiveHoldsBytes(const QString &zip, const QByteArray &bytes, const QString &entryName);

// PackBookAs for a book in memory (an archive's entry, never written out): `entry` gives the
// time and the read-only state its file would have had.
int PackBookBytesAs(const QString &zipPath, const QByteArray &bytes, const TZipEntry &entry, const QString &entryName,
                    int level, bool flush, const TDeflatedData *deflated = nullptr);
