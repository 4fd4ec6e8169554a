#include "config/FolderLayout.h"

#include "config/Folders.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

const QString kOwnFolder = QStringLiteral("orvane/");

bool IsAbsolute(const QString &path) { return path.startsWith(u'/'); }

// An XDG base folder: the variable when it holds an absolute path (a relative one is to be
// ignored), else the default below the home folder.
QString XdgBase(const QString &variable, const QString &home, const QString &fallback)
{
    if (IsAbsolute(variable))
        return WithTrailingSlash(QDir::cleanPath(variable));
    return WithTrailingSlash(home) + fallback;
}

bool InGroup(gid_t gid)
{
    if (gid == ::getegid())
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    QList<gid_t> groups(count);
    const int got = ::getgroups(count, groups.data());
    return got > 0 && groups.first(got).contains(gid);
}

}  // namespace

TUserEnvironment TUserEnvironment::FromProcess()
{
    TUserEnvironment env;
    env.home = qEnvironmentVariable("HOME");
    if (!IsAbsolute(env.home)) {
        const struct passwd *pw = ::getpwuid(::getuid());
        env.home = pw && pw->pw_dir && pw->pw_dir[0] == '/' ? QFile::decodeName(pw->pw_dir) : QStringLiteral("/");
    }
    env.configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    env.dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    return env;
}

bool FolderIsWritable(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    struct statvfs vfs {};
    if (::statvfs(path.constData(), &vfs) == 0 && (vfs.f_flag & ST_RDONLY))
        return false;
    if (::access(path.constData(), W_OK | X_OK) != 0)
        return false;
    if (::geteuid() != 0)
        return true;
    // access() lets root write anywhere; the bits say what the folder's owner meant.
    if (st.st_uid == 0)
        return st.st_mode & S_IWUSR;
    if (InGroup(st.st_gid))
        return st.st_mode & S_IWGRP;
    return st.st_mode & S_IWOTH;
}

QString FindDataDir(const QString &appDir)
{
    const QString app = WithTrailingSlash(appDir);
    if (QFileInfo(app + QStringLiteral("utils")).isDir())
        return app;
    const QString shared = WithTrailingSlash(QDir::cleanPath(app + QStringLiteral("../share/orvane")));
    if (QFileInfo(shared + QStringLiteral("utils")).isDir())
        return shared;
    return app;
}

TFolderLayout PortableFolders(const QString &appDir)
{
    TFolderLayout l;
    l.appDir = WithTrailingSlash(appDir);
    l.dataDir = l.appDir;
    l.configDir = l.appDir;
    l.userDir = l.appDir;
    l.workDir = l.appDir + QStringLiteral("tmp/");
    l.portable = true;
    return l;
}

TFolderLayout PlanFolders(const QString &appDir, const TUserEnvironment &env)
{
    const QString app = WithTrailingSlash(appDir);
    const QString data = FindDataDir(app);
    if (data == app && FolderIsWritable(app))
        return PortableFolders(app);
    TFolderLayout l;
    l.appDir = app;
    l.dataDir = data;
    l.configDir = XdgBase(env.configHome, env.home, QStringLiteral(".config/")) + kOwnFolder;
    l.userDir = XdgBase(env.dataHome, env.home, QStringLiteral(".local/share/")) + kOwnFolder;
    l.workDir = l.userDir;
    l.portable = false;
    return l;
}
