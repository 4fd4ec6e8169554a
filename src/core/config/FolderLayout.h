#pragma once
// Where a program in a given folder keeps the user's files and finds its own data.
//
// A copy whose data files (utils/) lie beside it in a folder the user can write is portable:
// config.ini, the default output folders and the log stay beside the program, as on a stick or
// in a build tree. Any other copy (an installed one above all, whose data lies in
// ../share/orvane/) keeps config.ini in $XDG_CONFIG_HOME/orvane/ and the output folders and the
// log in $XDG_DATA_HOME/orvane/. The data there is hidden, but an installed program creates its
// default folders at every start, and it must not fill every user's home with visible folders
// that most of them replace in the settings at once.

#include <QString>

// The variables of the user's environment that the layout depends on.
struct TUserEnvironment {
    QString home;  // $HOME, or the home of the password database when unset or relative
    QString configHome;  // $XDG_CONFIG_HOME as set (may be empty or relative)
    QString dataHome;  // $XDG_DATA_HOME as set

    static TUserEnvironment FromProcess();
};

struct TFolderLayout {
    QString appDir;  // folder of the executable
    QString dataDir;  // holds utils/ and help/: appDir, or appDir/../share/orvane/
    QString configDir;  // holds config.ini
    QString userDir;  // the user's own files: the default log
    QString workDir;  // base of the default output folders "end/" and "bad/"
    bool portable = false;
};

// Every folder ends with "/". Looks at the file system (what exists, what can be written) but
// creates nothing.
TFolderLayout PlanFolders(const QString &appDir, const TUserEnvironment &env);
// The portable layout of a program in `appDir`, whatever the file system says.
TFolderLayout PortableFolders(const QString &appDir);

// Where the read-only data of a program in `appDir` lies: beside it when utils/ is there, else
// ../share/orvane/ when utils/ is there, else beside it (so errors name that place).
QString FindDataDir(const QString &appDir);

// Whether this user may write into the folder. For root, whom nothing stops, the mode bits
// decide, so that a folder made read-only (an installed prefix, a test) counts as read-only.
bool FolderIsWritable(const QString &folder);
