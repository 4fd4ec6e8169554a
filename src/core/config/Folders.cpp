#include "Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

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

QString PrivateTempRoot(const QString &tempPath)
{
    // The temporary folder is shared by every user of the machine: a fixed name in it could be
    // taken, or be a link planted to lead our files elsewhere. The scratch folder lives in a
    // folder of the user's own, readable by nobody else.
    const QByteArray own = QFile::encodeName(WithTrailingSlash(tempPath)) + "orvane-" + QByteArray::number(::getuid());
    ::mkdir(own.constData(), 0700);
    struct stat st {};
    if (::lstat(own.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
        && (st.st_mode & 077) == 0)
        return QFile::decodeName(own);
    QByteArray fresh = QFile::encodeName(WithTrailingSlash(tempPath)) + "orvane-XXXXXX";
    if (::mkdtemp(fresh.data()))
        return QFile::decodeName(fresh);
    return tempPath;  // nothing better; the first write there reports the problem
}

void SetUpFolders()
{
    SetUpFolders(QCoreApplication::applicationDirPath(), PrivateTempRoot(QDir::tempPath()));
}
