#pragma once
// The settings dialog's files: config.ini, which it reads when it opens, writes on OK and
// deletes on reset, and the ".orv" templates it loads and saves. A file the user may have
// edited by hand or picked by mistake (a folder, a picture, a value out of range) never stops
// the dialog: what cannot be used gives its default, and the dialog is told what that was.

#include "AppSettings.h"

#include <QString>
#include <QStringList>

struct TSettingsFileRead {
    bool FileRead = true;  // false: the file as a whole could not be read (a folder, not INI text, ...)
    TAppSettings Settings;  // defaults for whatever could not be read
    int Page = 0;  // the dialog's page (config.ini only)
    QStringList Problems;  // one line for each thing that could not be read; empty when all was
};

// config.ini as the dialog opens it: the twenty keys and "PControlIndex". A missing file is no
// problem: the program has none until the first OK.
TSettingsFileRead ReadDialogSettings(const QString &configFile);

// A template: its nineteen keys over the defaults; `current.ChangeInfo` is kept, templates do
// not hold it. A missing file or a file without section "AUTO" is a problem here: the user
// picked it to load settings from it. When FileRead is false, the dialog keeps its values.
TSettingsFileRead ReadSettingsTemplate(const QString &fileName, const TAppSettings &current);

// The nineteen template keys into the file, section "AUTO" updated key by key (anything else
// in an existing file stays). Raises "Unable to write to <file>".
void WriteSettingsTemplate(const QString &fileName, const TAppSettings &settings);

// The reset: deletes config.ini with all its sections. A missing file is fine; a file that stays
// raises EOrvane naming it, so the user does not take the old file for gone.
void DeleteConfigFile(const QString &configFile);

// The text that tells the user what could not be read from the file, and what stands in for it:
// the defaults, or (`defaultsShown` false) the values the dialog had.
QString SettingsProblemsText(const QString &fileName, const QStringList &problems, bool defaultsShown = true);
