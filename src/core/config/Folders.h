#pragma once
// The program's folders, set once at start and read everywhere; each ends with "/".
//   AppDir     folder of the executable
//   ConfigDir  holds config.ini: AppDir for a portable copy, else $XDG_CONFIG_HOME/orvane/
//   UserDir    the user's own files (the default log; where template and log-file dialogs
//              start): AppDir, or $XDG_DATA_HOME/orvane/
//   TempDir    scratch folder below the user's own part of the temporary folder, removed when the program closes
//   WorkDir    base of the default output folders: AppDir + "tmp/", or UserDir
//   UtilsDir   style sheets, schema, genre table: "utils/" beside the program or in ../share/orvane/
//   HelpDir    the help pages, "help/" beside UtilsDir
// FolderLayout.h has the rule that chooses between the portable and the per-user places.

#include <QString>

struct TFolderLayout;

extern const QString &AppDir;
extern const QString &ConfigDir;
extern const QString &UserDir;
extern const QString &TempDir;
extern const QString &WorkDir;
extern const QString &UtilsDir;
extern const QString &HelpDir;

// The one config.ini of the program: the window, its dialogs and orvane-cli read and write this.
QString ConfigIniPath();

// From the running executable, the user's environment and temporary folder (needs a
// QCoreApplication). Creates the per-user config folder, so that the first write of config.ini
// succeeds or names the file it could not write. The scratch folder goes below PrivateTempRoot.
void SetUpFolders();
// A folder below `tempPath` that only this user can enter: "orvane-" + the user id, made with
// mode 700; when that name is taken by anything else, a new folder of a random name.
QString PrivateTempRoot(const QString &tempPath);
// The portable layout of a program in `appDir`, with or without the trailing "/" (tests and tools).
void SetUpFolders(const QString &appDir, const QString &tempRoot);
void SetUpFolders(const TFolderLayout &layout, const QString &tempRoot);

// The folder with exactly one "/" at its end; empty (not set) stays empty.
QString WithTrailingSlash(const QString &folder);
