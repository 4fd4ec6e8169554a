#include "AppSettings.h"

#include "Folders.h"

#include <QDir>
#include <variant>

namespace {
TAppSettings g_settings;

using TField = std::variant<bool TAppSettings::*, int TAppSettings::*, QString TAppSettings::*>;

struct TKey {
    const char *name;
    TField field;
};

// In the order in which templates write them; "ChangeInfo" is last and not in templates.
const TKey kKeys[] = {
    {"Valid", &TAppSettings::Valid},
    {"Rename", &TAppSettings::Rename},
    {"Sort", &TAppSettings::Sort},
    {"Convert", &TAppSettings::Convert},
    {"Archive", &TAppSettings::Archive},
    {"EndDir", &TAppSettings::EndDir},
    {"BadDir", &TAppSettings::BadDir},
    {"SaveLog", &TAppSettings::SaveLog},
    {"LogFile", &TAppSettings::LogFile},
    {"ConvertType", &TAppSettings::ConvertType},
    {"ZipLevel", &TAppSettings::ZipLevel},
    {"SortPattern", &TAppSettings::SortPattern},
    {"NamePattern", &TAppSettings::NamePattern},
    {"TranslitDir", &TAppSettings::TranslitDir},
    {"TranslitName", &TAppSettings::TranslitName},
    {"GenreFull", &TAppSettings::GenreFull},
    {"LastName", &TAppSettings::LastName},
    {"FirstName", &TAppSettings::FirstName},
    {"MiddleName", &TAppSettings::MiddleName},
    {"ChangeInfo", &TAppSettings::ChangeInfo},
};

qsizetype KeyCount(ESettingsKeys keys)
{
    const qsizetype all = std::size(kKeys);
    return keys == ESettingsKeys::Template ? all - 1 : all;
}
} // namespace

const TAppSettings &AppSettings = g_settings;

void CreateDefaultFolders()
{
    const TAppSettings defaults = DefaultAppSettings();
    QDir().mkpath(defaults.EndDir);
    QDir().mkpath(defaults.BadDir);
}

TAppSettings DefaultAppSettings()
{
    TAppSettings s;
    s.Valid = true;
    s.Rename = true;
    s.Sort = true;
    s.Convert = false;
    s.Archive = false;
    s.EndDir = WorkDir + QStringLiteral("end/");
    s.BadDir = WorkDir + QStringLiteral("bad/");
    s.SaveLog = false;
    s.LogFile = UserDir + QStringLiteral("log.txt");
    s.ConvertType = 0;
    s.ZipLevel = 0;
    s.SortPattern = QStringLiteral("Алфавит\\Автор");
    s.NamePattern = QStringLiteral("Фамилия Имя - Название");
    s.TranslitDir = false;
    s.TranslitName = false;
    s.GenreFull = true;
    s.LastName = true;
    s.FirstName = true;
    s.MiddleName = false;
    s.ChangeInfo = true;
    return s;
}

TAppSettings ReadAppSettings(const TIniFile &ini, ESettingsKeys keys)
{
    TAppSettings s = DefaultAppSettings();
    for (qsizetype i = 0; i < KeyCount(keys); ++i) {
        const QString name = QLatin1String(kKeys[i].name);
        std::visit(
            [&](auto member) {
                auto &field = s.*member;
                using T = std::decay_t<decltype(field)>;
                if constexpr (std::is_same_v<T, bool>)
                    field = ini.ReadBool(kSectionAuto, name, field);
                else if constexpr (std::is_same_v<T, int>)
                    field = ini.ReadInteger(kSectionAuto, name, field);
                else
                    field = ini.ReadString(kSectionAuto, name, field);
            },
            kKeys[i].field);
    }
    return s;
}

void WriteAppSettings(const TIniFile &ini, const TAppSettings &settings, ESettingsKeys keys)
{
    for (qsizetype i = 0; i < KeyCount(keys); ++i) {
        const QString name = QLatin1String(kKeys[i].name);
        std::visit(
            [&](auto member) {
                const auto &field = settings.*member;
                using T = std::decay_t<decltype(field)>;
                if constexpr (std::is_same_v<T, bool>)
                    ini.WriteBool(kSectionAuto, name, field);
                else if constexpr (std::is_same_v<T, int>)
                    ini.WriteInteger(kSectionAuto, name, field);
                else
                    ini.WriteString(kSectionAuto, name, field);
            },
            kKeys[i].field);
    }
}

namespace {
QString g_readProblem;
}

void UpdateSetting(const QString &configFile)
{
    const TIniFile ini(configFile);
    g_readProblem = ini.ReadProblem();
    g_settings = ReadAppSettings(ini);
}

QString SettingsReadProblem() { return g_readProblem; }

void UpdateSetting()
{
    UpdateSetting(ConfigIniPath());
}

void WriteAppSettings(const TIniFile &ini, const TAppSettings &settings,
                      std::initializer_list<bool TAppSettings::*> switches)
{
    for (bool TAppSettings::*field : switches)
        for (const TKey &key : kKeys)
            if (const auto *member = std::get_if<bool TAppSettings::*>(&key.field); member && *member == field)
                ini.WriteBool(kSectionAuto, QLatin1String(key.name), settings.*field);
}
