#pragma once
// The program's folders, set once at start and read everywhere; each ends with "/".
//   AppDir    folder of the executable: config.ini, log file
//   TempDir   scratch folder below the user's own part of the temporary folder, removed when the program closes
//   WorkDir   AppDir + "tmp/": base of the default output folders
//   UtilsDir  AppDir + "utils/": style sheets, schema, genre table

#include <QString>

extern const QString &AppDir;
extern const QString &TempDir;
extern const QString &WorkDir;
extern const QString &UtilsDir;

// From the running executable and the user's temporary folder (needs a QCoreApplication). The
// scratch folder goes below PrivateTempRoot.
void SetUpFolders();
// A folder below `tempPath` that only this user can enter: "orvane-" + the user id, made with
// mode 700; when that name is taken by anything else, a new folder of a random name.
QString PrivateTempRoot(const QString &tempPath);
// From given folders, with or without the trailing "/" (tests and tools).
void SetUpFolders(const QString &appDir, const QString &tempRoot);

// The folder with exactly one "/" at its end.
QString WithTrailingSlash(const QString &folder);
