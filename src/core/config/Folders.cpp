#include "Folders.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString g_appDir, g_tempDir, g_workDir, g_utilsDir;
} // namespace

const QString &AppDir = g_appDir;
const QString &TempDir = g_tempDir;
const QString &WorkDir = g_workDir;
const QString &UtilsDir = g_utilsDir;

QString WithTrailingSlash(const QString &folder)
{
    QString result = folder;
    while (result.size() > 1 && result.endsWith(u'/'))
        result.chop(1);
    if (!result.endsWith(u'/'))
        result += u'/';
    return result;
}

void SetUpFolders(const QString &appDir, const QString &tempRoot)
{
    g_appDir = WithTrailingSlash(appDir);
    g_tempDir = WithTrailingSlash(tempRoot) + QStringLiteral("orv/");
    g_workDir = g_appDir + QStringLiteral("tmp/");
    g_utilsDir = g_appDir + QStringLiteral("utils/");
}

void SetUpFolders()
{
    SetUpFolders(QCoreApplication::applicationDirPath(), QDir::tempPath());
}
