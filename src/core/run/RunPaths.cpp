#include "run/RunPaths.h"

#include <QStringList>

QString RunExtractDir(const QString &tempDir) { return tempDir + QStringLiteral("run/"); }

QString WorkingPath(const TListEntry &entry, const QString &extractDir)
{
    if (entry.ArchivePath.isEmpty())
        return entry.FileDir + entry.FileName;
    return extractDir + entry.StoredPath + entry.FileName;
}

QString SortedFolder(const QString &endDir, const QString &sortResult)
{
    QString rel = sortResult;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList levels = rel.split(QLatin1Char('/'));
    for (QString &level : levels)
        if (level == QLatin1String(".") || level == QLatin1String(".."))
            level.clear();
    rel = levels.join(QLatin1Char('/'));
    if (!rel.endsWith(QLatin1Char('/')))
        rel += QLatin1Char('/');
    return endDir + rel;
}

QString BadFilePath(const QString &badDir, const TListEntry &entry) { return badDir + entry.FileName; }
