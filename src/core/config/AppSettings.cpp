#include "AppSettings.h"

#include "Folders.h"

#include <QDir>
#include <climits>
#include <optional>
#include <variant>

namespace {
TAppSettings g_settings;

using TField = std::variant<bool TAppSettings::*, int TAppSettings::*, QString TAppSettings::*>;

struct TKey {
    const char *name;
    TField field;
    int low = INT_MIN, high = INT_MAX;  // the values a number key can take
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
    {"ConvertType", &TAppSettings::ConvertType, -1, 2},
    {"ZipLevel", &TAppSettings::ZipLevel, -1, 3},
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

// The settings dialog's page, written between the template keys and "ChangeInfo".
const QString kPageKey = QStringLiteral("PControlIndex");
constexpr int kPageCount = 4;

void WriteKey(const TIniFile &ini, const TAppSettings &settings, const TKey &key)
{
    const QString name = QLatin1String(key.name);
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
        key.field);
}

// The raw values of section "AUTO", the first of each name, read with one pass over the file.
class TAutoValues {
public:
    explicit TAutoValues(const TIniFile &ini)
    {
        for (auto &[name, value] : ini.ReadSection(kSectionAuto))
            if (!Find(name))
                m_values.append({name, value});
    }
    const QString *Find(const QString &name) const
    {
        for (const auto &[key, value] : m_values)
            if (key.compare(name, Qt::CaseInsensitive) == 0)
                return &value;
        return nullptr;
    }

private:
    QList<std::pair<QString, QString>> m_values;
};

// A number key's value when it is a number the key can take; otherwise says so in `problems`.
std::optional<int> CheckedNumber(const QString &name, const QString &value, int low, int high, QStringList &problems)
{
    constexpr int kNotANumber = INT_MIN;  // IniTextToInt gives it only for text that is no number
    const int n = IniTextToInt(value, kNotANumber);
    if (n == kNotANumber && IniTextToInt(value, 0) != kNotANumber) {
        problems << QStringLiteral("%1=%2: не число").arg(name, value);
        return std::nullopt;
    }
    if (n < low || n > high) {
        problems << QStringLiteral("%1=%2: нет такого значения").arg(name, value);
        return std::nullopt;
    }
    return n;
}
}  // namespace

const TAppSettings &AppSettings = g_settings;

namespace {
quint64 g_generation = 0;
}

quint64 AppSettingsGeneration() { return g_generation; }

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

TAppSettings ReadAppSettingsChecked(const TIniFile &ini, ESettingsKeys keys, QStringList &problems)
{
    TAppSettings s = DefaultAppSettings();
    const TAutoValues values(ini);
    for (qsizetype i = 0; i < KeyCount(keys); ++i) {
        const TKey &key = kKeys[i];
        const QString name = QLatin1String(key.name);
        const QString *value = values.Find(name);
        if (!value)
            continue;
        std::visit(
            [&](auto member) {
                auto &field = s.*member;
                using T = std::decay_t<decltype(field)>;
                if constexpr (std::is_same_v<T, QString>) {
                    field = *value;
                } else if (const std::optional<int> n = CheckedNumber(name, *value, key.low, key.high, problems)) {
                    if constexpr (std::is_same_v<T, bool>)
                        field = *n != 0;
                    else
                        field = *n;
                }
            },
            key.field);
    }
    return s;
}

void WriteAppSettings(const TIniFile &ini, const TAppSettings &settings, ESettingsKeys keys)
{
    for (qsizetype i = 0; i < KeyCount(keys); ++i)
        WriteKey(ini, settings, kKeys[i]);
}

int ReadSettingsPage(const TIniFile &ini, QStringList &problems)
{
    const TAutoValues values(ini);
    const QString *value = values.Find(kPageKey);
    if (!value)
        return 0;
    return CheckedNumber(kPageKey, *value, 0, kPageCount - 1, problems).value_or(0);
}

void WriteDialogSettings(const TIniFile &ini, const TAppSettings &settings, int page)
{
    const qsizetype templateKeys = KeyCount(ESettingsKeys::Template);
    for (qsizetype i = 0; i < templateKeys; ++i)
        WriteKey(ini, settings, kKeys[i]);
    ini.WriteInteger(kSectionAuto, kPageKey, page);
    for (qsizetype i = templateKeys; i < KeyCount(ESettingsKeys::Config); ++i)
        WriteKey(ini, settings, kKeys[i]);
}

namespace {
QString g_readProblem;
}

void UpdateSetting(const QString &configFile)
{
    const TIniFile ini(configFile);
    g_readProblem = ini.ReadProblem();
    g_settings = ReadAppSettings(ini);
    ++g_generation;
}

QString SettingsReadProblem() { return g_readProblem; }

void UpdateSetting() { UpdateSetting(ConfigIniPath()); }

void WriteAppSettings(const TIniFile &ini, const TAppSettings &settings,
                      std::initializer_list<bool TAppSettings::*> switches)
{
    for (bool TAppSettings::*field : switches)
        for (const TKey &key : kKeys)
            if (const auto *member = std::get_if<bool TAppSettings::*>(&key.field); member && *member == field)
                ini.WriteBool(kSectionAuto, QLatin1String(key.name), settings.*field);
}
