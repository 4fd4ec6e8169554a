#include "Folders.h"

#include "FolderLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString g_appDir, g_configDir, g_userDir, g_tempDir, g_workDir, g_utilsDir, g_helpDir;
}  // namespace

const QString &AppDir = g_appDir;
const QString &ConfigDir = g_configDir;
const QString &UserDir = g_userDir;
const QString &TempDir = g_tempDir;
const QString &WorkDir = g_workDir;
const QString &UtilsDir = g_utilsDir;
const QString &HelpDir = g_helpDir;

QString ConfigIniPath() { return ConfigDir + QStringLiteral("config.ini"); }

QString WithTrailingSlash(const QString &folder)
{
    if (folder.isEmpty())
        return folder;  // a folder that is not set is not the root
    QString result = folder;
    while (result.size() > 1 && result.endsWith(u'/'))
        result.chop(1);
    if (!result.endsWith(u'/'))
        result += u'/';
    return result;
}

void SetUpFolders(const TFolderLayout &layout, const QString &tempRoot)
{
    g_appDir = WithTrailingSlash(layout.appDir);
    g_configDir = WithTrailingSlash(layout.configDir);
    g_userDir = WithTrailingSlash(layout.userDir);
    g_tempDir = WithTrailingSlash(tempRoot) + QStringLiteral("orv/");
    g_workDir = WithTrailingSlash(layout.workDir);
    g_utilsDir = WithTrailingSlash(layout.dataDir) + QStringLiteral("utils/");
    g_helpDir = WithTrailingSlash(layout.dataDir) + QStringLiteral("help/");
}

void SetUpFolders(const QString &appDir, const QString &tempRoot) { SetUpFolders(PortableFolders(appDir), tempRoot); }

QString PrivateTempRoot(const QString &tempPath)
{
    // The temporary folder is shared by every user of the machine: a fixed name in it could be
    // taken, or be a link planted to lead our files elsewhere. The scratch folder lives in a
    // folder of the user's own, readable by nobody else.
    const QByteArray own = QFile::encodeName(WithTrailingSlash(tempPath)) + "orvane-" + QByteArray::number(::getuid());
    ::mkdir(own.constData(), 0700);
    struct stat st {};
    if (::lstat(own.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0)
        return QFile::decodeName(own);
    QByteArray fresh = QFile::encodeName(WithTrailingSlash(tempPath)) + "orvane-XXXXXX";
    if (::mkdtemp(fresh.data()))
        return QFile::decodeName(fresh);
    return tempPath;  // nothing better; the first write there reports the problem
}

void SetUpFolders()
{
    const TFolderLayout layout = PlanFolders(QCoreApplication::applicationDirPath(), TUserEnvironment::FromProcess());
    SetUpFolders(layout, PrivateTempRoot(QDir::tempPath()));
    if (!layout.portable) {
        // Settings are the user's own: the folders made here are closed to others. A failure
        // shows when config.ini is written.
        const QByteArray dir = QFile::encodeName(ConfigDir);
        for (qsizetype i = 1; i < dir.size(); ++i)
            if (dir[i] == '/')
                ::mkdir(dir.left(i).constData(), 0700);
    }
}
