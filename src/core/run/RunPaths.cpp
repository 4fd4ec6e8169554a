#include "run/RunPaths.h"

#include <QCoreApplication>
#include <QStringList>

QString RunExtractDir(const QString &tempDir)
{
    return tempDir + QStringLiteral("run-%1/").arg(QCoreApplication::applicationPid());
}

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
    QString folder = endDir;
    for (const QString &level : rel.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        if (level != QLatin1String(".") && level != QLatin1String(".."))
            folder += level + QLatin1Char('/');
    return folder;
}

QString BadFilePath(const QString &badDir, const TListEntry &entry) { return badDir + entry.FileName; }
