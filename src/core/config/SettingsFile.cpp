#include "SettingsFile.h"

#include "IniFile.h"
#include "globals/Errors.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Why nothing can be read from the file, or nothing when it holds INI text.
std::optional<QString> FileProblem(const TIniFile &ini, bool missingIsProblem)
{
    const QFileInfo info(ini.FileName());
    if (!info.exists() && !info.isSymLink())
        return missingIsProblem ? std::optional<QString>(QStringLiteral("файл не найден")) : std::nullopt;
    if (const QString why = ini.ReadProblem(); !why.isEmpty())
        return why;
    if (!ini.HoldsIniText())
        return QStringLiteral("это не файл настроек");
    return std::nullopt;
}

}  // namespace

TSettingsFileRead ReadDialogSettings(const QString &configFile)
{
    TSettingsFileRead read;
    const TIniFile ini(configFile);
    if (const std::optional<QString> problem = FileProblem(ini, false)) {
        read.FileRead = false;
        read.Settings = DefaultAppSettings();
        read.Problems << *problem;
        return read;
    }
    read.Page = ReadSettingsPage(ini, read.Problems);
    read.Settings = ReadAppSettingsChecked(ini, ESettingsKeys::Config, read.Problems);
    return read;
}

TSettingsFileRead ReadSettingsTemplate(const QString &fileName, const TAppSettings &current)
{
    TSettingsFileRead read;
    const TIniFile ini(fileName);
    if (const std::optional<QString> problem = FileProblem(ini, true)) {
        read.FileRead = false;
        read.Settings = current;
        read.Problems << *problem;
        return read;
    }
    if (ini.ReadSection(kSectionAuto).isEmpty())
        read.Problems << QStringLiteral("в файле нет настроек (раздела [%1])").arg(kSectionAuto);
    read.Settings = ReadAppSettingsChecked(ini, ESettingsKeys::Template, read.Problems);
    read.Settings.ChangeInfo = current.ChangeInfo;
    return read;
}

void WriteSettingsTemplate(const QString &fileName, const TAppSettings &settings)
{
    WriteAppSettings(TIniFile(fileName), settings, ESettingsKeys::Template);
}

void DeleteConfigFile(const QString &configFile)
{
    const QFileInfo info(configFile);
    if (!info.exists() && !info.isSymLink())
        return;
    QFile file(configFile);
    if (info.isDir() || !file.remove())
        throw EOrvane(QStringLiteral("Не удалось удалить файл настроек %1").arg(configFile));
}

QString SettingsProblemsText(const QString &fileName, const QStringList &problems, bool defaultsShown)
{
    if (!defaultsShown)
        return QStringLiteral("Не удалось загрузить настройки из файла %1:\n%2\nНастройки не изменены.")
            .arg(fileName, problems.join(u'\n'));
    return QStringLiteral("Не всё удалось прочитать из файла %1:\n%2\nВместо этого показаны значения по умолчанию.")
        .arg(fileName, problems.join(u'\n'));
}
