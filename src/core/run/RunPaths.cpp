#include "run/RunPaths.h"

#include "globals/DeleteFolderTree.h"
#include "globals/ScratchFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QStringList>

QString RunExtractDir(const QString &tempDir)
{
    return tempDir + QStringLiteral("run-%1/").arg(QCoreApplication::applicationPid());
}

void RemoveStaleRunExtractDirs(const QString &tempDir)
{
    static const QRegularExpression name(QStringLiteral("^run-([0-9]{1,10})$"));
    const QDir dir(tempDir);
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        const QRegularExpressionMatch m = name.match(sub);
        if (m.hasMatch() && !ProcessAlive(m.captured(1).toLongLong()))
            DeleteFolderTree(dir.filePath(sub));
    }
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
