#pragma once
// Errors of the archive component. Every message reads
//   "Zip: " + text + " - Native error: " + the number as five digits
// so that a message box or a log line names both the file and the cause.

#include "globals/Errors.h"

#include <QString>

enum TZipErrorCode {
    zeBlankFileName = 10,  // File name is blank. Specify appropriate file name
    zeFileNotFound = 12,  // File "%s" not found
    zeCannotOpenArchive = 13,  // Cannot open file "%s" (exists, but is not readable)
    zeNotAnArchive = 14,  // File "%s" is not a ZIP archive
    zeCannotRead = 15,  // Cannot read file "%s"
    zeCannotCreateFile = 19,  // Cannot create file "%s"
    zeCannotCreateDir = 20,  // Cannot create directory "%s"
    zeCannotWrite = 21,  // Cannot write file "%s"
    zeEntryDamaged = 24,
    zeEntryCrc = 25,
    zeEntrySize = 26,
    zeEntryTooLarge = 27,
    zeEntryMethod = 28,
    zeEntryEncrypted = 29,
    zeEntryOutside = 30,
    zeEntryLink = 31,
    zeNotOpen = 32,
    zeCannotOpenFile = 33,  // Cannot open file "%s" (a file to be added)
    zeZip64Size = 41,
    zeZip64Offset = 43,
    zeNameTooLong = 61,
};

// The component's exception: "Zip: <text> - Native error: 000NN".
EOrvane ZipError(TZipErrorCode code, const QString &text);

// The texts that name one file.
EOrvane ZipFileError(TZipErrorCode code, const QString &fileName);

// The texts that name an entry of an archive.
EOrvane ZipEntryError(TZipErrorCode code, const QString &entry, const QString &archive,
                      const QString &detail = QString());
