#include "list/BookSources.h"

#include "config/Folders.h"
#include "list/FolderTree.h"
#include "zip/ZipArchive.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The extension from the last "." after the last "/", lower-cased.
QString Extension(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? path.mid(dot).toLower() : QString();
}

TListEntry LooseFileRow(const QString &fName)
{
    TListEntry row;
    const qsizetype slash = fName.lastIndexOf(QLatin1Char('/'));
    row.FileName = fName.mid(slash + 1);
    row.FileDir =
        QDir::isAbsolutePath(fName) ? fName.left(slash + 1) : QFileInfo(fName).absolutePath() + QLatin1Char('/');
    row.FileSize = QueryFileSize(fName);
    row.InArchive = false;
    return row;
}

void AppendArchiveRows(const QString &fName, TZipArchive &zip, QList<TListEntry> &rows)
{
    struct TCloser {
        TZipArchive &zip;
        ~TCloser() { zip.CloseArchive(); }
    } closer{zip};
    zip.FileName = fName;
    zip.OpenArchive(TZipArchive::omRead);
    TZipArchiveItem item;
    // Folder entries are left out: a folder named "x.fb2" is no book.
    const int attributes = kListSearchAttr & ~faDirectory;
    for (bool found = zip.FindFirst(QStringLiteral("*.fb2"), item, attributes); found; found = zip.FindNext(item)) {
        TListEntry row;
        row.FileName = item.FileName;
        row.FileSize = item.UncompressedSize;
        row.InArchive = true;
        row.ArchivePath = fName;
        row.StoredPath = item.StoredPath;
        row.EntryIndex = item.EntryIndex;
        rows.append(row);
    }
}

}  // namespace

QList<TListEntry> BookSourceRows(const QString &fName, TZipArchive &zip)
{
    QList<TListEntry> rows;
    const QString ext = Extension(fName);
    if (ext == QLatin1String(".fb2"))
        rows.append(LooseFileRow(fName));
    if (ext == QLatin1String(".zip"))
        AppendArchiveRows(fName, zip, rows);
    return rows;
}

bool IsBookSource(const QString &path)
{
    const QString ext = Extension(path);
    return ext == QLatin1String(".fb2") || ext == QLatin1String(".zip");
}

QList<TListEntry> BookSourceRows(const QString &fName)
{
    TZipArchive zip;
    return BookSourceRows(fName, zip);
}

QString ExtractListEntry(TZipArchive &zip, const TListEntry &entry)
{
    const QString stored = entry.StoredPath + entry.FileName;
    if (entry.EntryIndex >= 0) {
        const QString written = zip.ExtractEntry(entry.EntryIndex, stored);
        if (!written.isEmpty())
            return written;
    }
    // Listed before the archive changed (or made by hand): its name is all there is to go by.
    const QString base = WithTrailingSlash(zip.BaseDir);
    const QStringList written = zip.ExtractFiles(stored, kExtractSearchAttr);
    return written.contains(base + stored) ? base + stored : QString();
}

QStringList FolderBookFiles(const QString &folder)
{
    const QString base = WithTrailingSlash(folder);
    QDir dir(base);
    dir.setNameFilters({QStringLiteral("*.fb2")});
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);  // every attribute, but no folders
    dir.setSorting(QDir::Name);
    QStringList paths;
    for (const QString &name : dir.entryList())
        paths.append(base + name);
    return paths;
}

QStringList PathBookSources(const QString &path, bool tree)
{
    if (!QFileInfo(path).isDir())
        return {path};
    return tree ? FolderTreeBookSources(path) : FolderBookFiles(path);
}

qint64 QueryFileSize(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.size() : 0;
}
