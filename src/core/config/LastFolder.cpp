#include "config/LastFolder.h"

#include "config/Folders.h"
#include "config/IniFile.h"
#include "globals/Errors.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("USER");
const QString kKey = QStringLiteral("LastDir");

}  // namespace

QString LastOpenFolder()
{
    QString folder;
    try {
        folder = TIniFile(ConfigIniPath()).ReadString(kSection, kKey, QString());
    } catch (const EOrvane &) {
        folder.clear();
    }
    if (!folder.isEmpty() && QDir::isAbsolutePath(folder)) {
        QDir dir(QDir::cleanPath(folder));
        while (!QFileInfo(dir.path()).isDir() && !dir.isRoot())
            dir.setPath(QFileInfo(dir.path()).path());
        if (QFileInfo(dir.path()).isDir())
            return WithTrailingSlash(dir.path());
    }
    return WithTrailingSlash(QDir::homePath());
}

void RememberOpenFolder(const QString &folder)
{
    if (folder.isEmpty())
        return;
    try {
        TIniFile(ConfigIniPath()).WriteString(kSection, kKey, WithTrailingSlash(folder));
    } catch (const EOrvane &) {
    }
}
