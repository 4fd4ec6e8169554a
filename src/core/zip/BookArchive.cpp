#include "zip/BookArchive.h"

#include "zip/ZipErrors.h"

#include <QFileInfo>

namespace {

int Pack(TZipArchive &zip, const QString &nName, const QString &oName, int level, TTakeName how)
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
        return zip.CloseArchive(how);
    } catch (...) {
        zip.DiscardArchive();
        throw;
    }
}

} // namespace

void BookArchive(TZipArchive &zip, const QString &nName, const QString &oName, int level)
{
    if (Pack(zip, nName, oName, level, TTakeName::Replace) != 0)
        throw ZipFileError(zeCannotCreateFile, zip.FileName);
}

int BookArchiveNoReplace(TZipArchive &zip, const QString &nName, const QString &oName, int level)
{
    return Pack(zip, nName, oName, level, TTakeName::NoReplace);
}
