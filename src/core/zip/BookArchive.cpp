#include "zip/BookArchive.h"

#include "config/Folders.h"
#include "globals/RegularFile.h"
#include "zip/ZipErrors.h"
#include "zip/ZipExtract.h"
#include "zip/ZipWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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

}  // namespace

void BookArchive(TZipArchive &zip, const QString &nName, const QString &oName, int level)
{
    if (Pack(zip, nName, oName, level, TTakeName::Replace) != 0)
        throw ZipFileError(zeCannotCreateFile, zip.FileName);
}

int BookArchiveNoReplace(TZipArchive &zip, const QString &nName, const QString &oName, int level)
{
    return Pack(zip, nName, oName, level, TTakeName::NoReplace);
}

namespace {

// The one entry of the open `archive` when it holds exactly one, at its top, named `entryName`
// (and, unless `size` is -1, of that size).
bool OnlyEntry(TZipArchive &archive, const QString &entryName, qint64 size, TZipArchiveItem &only)
{
    TZipArchiveItem item;
    if (!archive.FindFirst(QStringLiteral("*"), item, kListSearchAttr))
        return false;
    only = item;
    return !archive.FindNext(item) && only.StoredPath.isEmpty() && only.FileName == entryName
        && (size < 0 || only.UncompressedSize == size);
}

}  // namespace

QString ExtractOnlyEntry(const QString &zip, const QString &entryName, const QString &dir, qint64 size)
{
    TZipArchive archive;
    archive.FileName = zip;
    archive.BaseDir = WithTrailingSlash(dir);
    archive.OpenArchive(TZipArchive::omRead);
    TZipArchiveItem only;
    if (!OnlyEntry(archive, entryName, size, only))
        return QString();
    return archive.ExtractEntry(only.EntryIndex, only.StoredPath + only.FileName);
}

bool ArchiveHoldsBytes(const QString &zip, const QByteArray &bytes, const QString &entryName)
{
    try {
        TZipArchive archive;
        archive.FileName = zip;
        archive.OpenArchive(TZipArchive::omRead);
        TZipArchiveItem only;
        QByteArray held;
        return OnlyEntry(archive, entryName, bytes.size(), only)
            && archive.ReadEntry(only.EntryIndex, only.StoredPath + only.FileName, held) && held == bytes;
    } catch (const std::exception &) {
        return false;
    }
}

bool ArchiveHoldsExactly(const QString &zip, const QString &file, const QString &entryName, const QString &scratchDir)
{
    const QFileInfo book(file);
    if (!book.isFile() || book.isSymLink())
        return false;
    if (!QDir().mkpath(scratchDir))
        return false;
    QTemporaryDir scratch(QDir(scratchDir).filePath(QStringLiteral("check-XXXXXX")));
    if (!scratch.isValid())
        return false;
    try {
        const QString copy = ExtractOnlyEntry(zip, entryName, scratch.path(), book.size());
        return !copy.isEmpty() && SameFileBytes(copy, file);
    } catch (const std::exception &) {
        return false;
    }
}

int PackBookAs(const QString &zipPath, const QString &file, const QString &entryName, int level, bool flush,
               const TDeflatedData *deflated)
{
    TZipWriter writer(zipPath);
    writer.AddFile(file, entryName, level, deflated);
    return writer.Finish(TTakeName::NoReplace, flush);
}

int PackBookBytesAs(const QString &zipPath, const QByteArray &bytes, const TZipEntry &entry, const QString &entryName,
                    int level, bool flush, const TDeflatedData *deflated)
{
    TZipWriter writer(zipPath);
    const qint64 modified = EntryModifiedTime(entry);
    writer.AddBytes(bytes, entryName, level, modified >= 0 ? modified : QDateTime::currentSecsSinceEpoch(),
                    EntryReadOnly(entry), deflated);
    return writer.Finish(TTakeName::NoReplace, flush);
}
