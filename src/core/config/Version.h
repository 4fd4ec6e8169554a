#pragma once
// The program's version as its executable file states it.

#include <QString>

// The version text stored in the executable file at that path, or empty when the file holds none.
QString GetFileVersionString(const QString &fileName);

// The running program's version, set by LoadAppVersion (at start, once).
extern const QString &AppVersion;
void LoadAppVersion();
