#include "globals/DeleteFolderTree.h"

#include <QDir>
#include <QFileInfo>

bool DeleteFolderTree(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    if (path.isEmpty() || clean == QStringLiteral("/") || clean == QStringLiteral("."))
        return false;
    const QFileInfo info(clean);
    if (info.isSymLink())  // a link put in the folder's place is removed, its target kept
        return QFile::remove(clean);
    if (!info.isDir())
        return false;
    QDir(clean).removeRecursively();
    return !QFileInfo::exists(clean);
}
