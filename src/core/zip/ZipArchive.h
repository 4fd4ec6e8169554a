#pragma once
// The archive component: one current archive, opened for reading (list, extract) or created
// anew (add files). Every user sets FileName and BaseDir before each use.

#include "globals/ScratchFile.h"
#include "zip/ZipArchiveItem.h"
#include "zip/ZipDirectory.h"

#include <QString>
#include <QStringList>
#include <memory>

class TZipArchive {
public:
    enum TOpenMode : int { omRead = 0, omCreate = 0xFF00 };

    QString FileName;  // the archive file
    QString BaseDir;  // extraction writes below it; added files are stored relative to it
    int CompressionLevel = 1;  // zlib level of added files: the fastest

    TZipArchive();
    ~TZipArchive();  // an archive being created and not closed is discarded
    TZipArchive(const TZipArchive &) = delete;
    TZipArchive &operator=(const TZipArchive &) = delete;

    // Closes the current archive, then opens FileName. omRead reads its directory; omCreate
    // starts a new, empty archive that replaces any file of that name when it is closed.
    void OpenArchive(int mode);
    bool IsOpen() const;

    // The entries matching fileMask and not exclusionMask, in the order of the directory.
    bool FindFirst(const QString &fileMask, TZipArchiveItem &f, int searchAttr = faAnyFile,
                   const QString &exclusionMask = QString());
    bool FindNext(TZipArchiveItem &f);

    // Extracts every matching entry to BaseDir + its stored path and returns the files written.
    // Every matching entry is checked first (its path stays below BaseDir, it is not a link, it
    // is no zip bomb), so a hostile archive is refused before anything is written.
    QStringList ExtractFiles(const QString &fileMask, int searchAttr = faAnyFile,
                             const QString &exclusionMask = QString());
    // Extracts the one entry at `index` of the directory (TZipArchiveItem::EntryIndex), with the
    // same checks, and returns the file written; empty when the entry there is not a file stored
    // as storedPath (the archive changed since it was listed). Two entries of one name are two
    // books: a mask would extract both to one file.
    QString ExtractEntry(qsizetype index, const QString &storedPath);

    // Reads the entry at `index` (or, when the archive changed since it was listed, the file
    // entry stored as storedPath) into memory, with the checks and the budget of extraction:
    // a book read to be written once at its final place. False when there is no such entry.
    bool ReadEntry(qsizetype index, const QString &storedPath, QByteArray &data);
    // The record of the entry ReadEntry read last (its time and mode go with the book).
    const TZipEntry &LastReadEntry() const { return m_lastRead; }

    // Adds the files on disk that match fileMask (a path; relative ones start at BaseDir; "*"
    // and "?" in its name part search every folder below), each stored under its path relative
    // to BaseDir. The archive file itself is never added. Returns how many were added.
    int AddFiles(const QString &fileMask, int searchAttr = faAnyFile, const QString &exclusionMask = QString());

    // Completes an archive being created (it takes its name only now, replacing a file of that
    // name) and releases the file. Does nothing when no archive is open.
    void CloseArchive();
    // The same, taking the name with or without replacing: returns 0, or the errno of taking the
    // name (EEXIST: NoReplace and the name is taken), and the new archive is gone.
    int CloseArchive(TTakeName how);
    // Abandons an archive being created: nothing is written under FileName.
    void DiscardArchive();

private:
    QStringList Extract(const QList<const TZipEntry *> &chosen);
    // The checks of every extraction, the budget counted: the output path of each entry.
    QList<QString> CheckAndCount(const QList<const TZipEntry *> &chosen);
    struct TPlannedOutput {
        const TZipEntry *entry;
        QString output;
    };

    struct TImpl;
    std::unique_ptr<TImpl> d;
    TZipEntry m_lastRead;
};
