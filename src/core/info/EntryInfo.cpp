#include "info/EntryInfo.h"

#include "list/BookSources.h"
#include "run/RunPaths.h"
#include "zip/ZipArchive.h"
#include "zip/ZipErrors.h"

QString InfoStatusText(const TListEntry &entry)
{
    return entry.InArchive ? entry.ArchivePath + QLatin1Char('#') + entry.FileName
                           : entry.FileDir + entry.FileName;
}

void DescribeEntry(const TListEntry &entry, TEntryInfo &info, const QString &tempDir,
                   const QString &utilsDir)
{
    info = TEntryInfo();
    const QString path = WorkingPath(entry, tempDir);
    if (entry.InArchive) {
        TZipArchive zip;
        zip.FileName = entry.ArchivePath;
        zip.OpenArchive(TZipArchive::omRead);
        zip.BaseDir = tempDir;
        info.Extracted = ExtractListEntry(zip, entry);
        zip.CloseArchive();
        // A copy left by an earlier extraction of the same name must not pass for this entry.
        if (info.Extracted.isEmpty())
            throw ZipEntryError(zeFileNotFound, entry.StoredPath + entry.FileName, entry.ArchivePath);
    }
    BookInfo(path, info.Link, info.Book, tempDir, utilsDir);
}
