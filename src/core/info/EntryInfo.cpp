#include "info/EntryInfo.h"

#include "book/ExtractBookInfo.h"
#include "list/BookSources.h"
#include "run/RunPaths.h"
#include "zip/ZipArchive.h"
#include "zip/ZipErrors.h"

QString InfoStatusText(const TListEntry &entry)
{
    return entry.InArchive ? entry.ArchivePath + QLatin1Char('#') + entry.FileName : entry.FileDir + entry.FileName;
}

QString EntryFile(const TListEntry &entry, const QString &tempDir)
{
    if (!entry.InArchive)
        return WorkingPath(entry, tempDir);
    TZipArchive zip;
    zip.FileName = entry.ArchivePath;
    zip.OpenArchive(TZipArchive::omRead);
    zip.BaseDir = tempDir;
    const QString extracted = ExtractListEntry(zip, entry);
    zip.CloseArchive();
    // A copy left by an earlier extraction of the same name must not pass for this entry.
    if (extracted.isEmpty())
        throw ZipEntryError(zeFileNotFound, entry.StoredPath + entry.FileName, entry.ArchivePath);
    return extracted;
}

void DescribeEntry(const TListEntry &entry, TEntryInfo &info, const QString &tempDir, const QString &utilsDir)
{
    info = TEntryInfo();
    const QString path = EntryFile(entry, tempDir);
    if (entry.InArchive)
        info.Extracted = path;
    BookInfo(path, info.Link, info.Book, tempDir, utilsDir);
}

TBookData EntryBookRecord(const TListEntry &entry, const QString &tempDir)
{
    TBookData record;
    record.Clear();
    ExtractBookInfo(OpenBookDescription(EntryFile(entry, tempDir)), record);
    return record;
}
