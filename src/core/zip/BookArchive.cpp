#include "zip/BookArchive.h"

#include "zip/ZipErrors.h"

#include <QFileInfo>

void BookArchive(TZipArchive &zip, const QString &nName, const QString &oName, int level)
{
    zip.FileName = nName + QStringLiteral(".zip");
    zip.BaseDir = QFileInfo(oName).path();
    zip.CompressionLevel = level;
    zip.OpenArchive(TZipArchive::omCreate);
    try {
        // A plain path finds exactly one file; anything else must not become an empty archive
        // that the caller would take for the packed book.
        if (zip.AddFiles(oName, kExtractSearchAttr) != 1)
            throw ZipFileError(zeCannotOpenFile, oName);
        zip.CloseArchive();
    } catch (...) {
        zip.DiscardArchive();
        throw;
    }
}
