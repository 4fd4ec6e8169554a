#pragma once
// The processing settings: one field per key of section "AUTO" of config.ini, named after it.
// AppSettings is the process-wide copy; only UpdateSetting changes it.

#include "IniFile.h"

#include <QString>
#include <QStringList>
#include <initializer_list>

struct TAppSettings {
    bool Valid = false;
    bool Rename = false;
    bool Sort = false;
    bool Convert = false;
    bool Archive = false;
    QString EndDir;
    QString BadDir;
    bool SaveLog = false;
    QString LogFile;
    int ConvertType = 0;  // 0 txt, 1 html, 2 rtf, -1 none of them
    int ZipLevel = 0;  // 0 normal, 1 maximum, 2 fast, 3 stored, -1 none of them
    QString SortPattern;
    QString NamePattern;
    bool TranslitDir = false;
    bool TranslitName = false;
    bool GenreFull = false;
    bool LastName = false;
    bool FirstName = false;
    bool MiddleName = false;
    bool ChangeInfo = false;
};

extern const TAppSettings &AppSettings;

// The value of every key when it is absent; the folder defaults follow the current folders.
TAppSettings DefaultAppSettings();
// Creates the default output and bad-files folders (a run does not create the bad-files folder).
void CreateDefaultFolders();

// Which keys a file holds: config.ini has all twenty, a settings template all but "ChangeInfo".
enum class ESettingsKeys { Config, Template };

// Reads the keys of section "AUTO", each with its default when absent.
TAppSettings ReadAppSettings(const TIniFile &ini, ESettingsKeys keys = ESettingsKeys::Config);
// Writes them in their fixed order; stops with EOrvane at the first key that cannot be written.
void WriteAppSettings(const TIniFile &ini, const TAppSettings &settings, ESettingsKeys keys = ESettingsKeys::Config);

// Writes only the keys of these switches, in this order (the query dialog's five).
void WriteAppSettings(const TIniFile &ini, const TAppSettings &settings,
                      std::initializer_list<bool TAppSettings::*> switches);

// As the settings dialog reads a file the user may have edited or picked by mistake: like
// ReadAppSettings, but a number key whose value is no number, or not one the key can take
// ("ConvertType" 7), gets its default, and `problems` receives a line that names it.
TAppSettings ReadAppSettingsChecked(const TIniFile &ini, ESettingsKeys keys, QStringList &problems);

// The settings dialog's page "PControlIndex" (0 to 3; 0 when absent or out of range, said in
// `problems`). It is not a processing setting and not in templates.
int ReadSettingsPage(const TIniFile &ini, QStringList &problems);
// The settings dialog's OK: the template keys, "PControlIndex", then "ChangeInfo", in this order;
// stops with EOrvane at the first key that cannot be written.
void WriteDialogSettings(const TIniFile &ini, const TAppSettings &settings, int page);

// Reloads AppSettings from ConfigIniPath(), or from the given file; a missing key gives
// its default, never the value it had before.
void UpdateSetting();
void UpdateSetting(const QString &configFile);
// Changes with every UpdateSetting: work prepared under one generation of the settings is done
// again under another.
quint64 AppSettingsGeneration();
// Why the last UpdateSetting could not read its file and took the defaults; empty when it could.
QString SettingsReadProblem();

inline const QString kSectionAuto = QStringLiteral("AUTO");
