#include "zip/BookArchive.h"

#include "zip/ZipErrors.h"

#include <QFileInfo>

void BookArchive(TZipArchive &zip, const QString &nName, const QString &oName, int level)
{
    // Stored under its bare name: the folder and the name as full paths, so that a relative
    // oName is not taken relative to its own folder a second time.
    const QFileInfo source(oName);
    zip.FileName = nName + QStringLiteral(".zip");
    zip.BaseDir = source.absolutePath();
    zip.CompressionLevel = level;
    zip.OpenArchive(TZipArchive::omCreate);
    try {
        // A plain path finds exactly one file; anything else must not become an empty archive
        // that the caller would take for the packed book.
        if (zip.AddFiles(source.absoluteFilePath(), kExtractSearchAttr) != 1)
            throw ZipFileError(zeCannotOpenFile, oName);
        zip.CloseArchive();
    } catch (...) {
        zip.DiscardArchive();
        throw;
    }
}
