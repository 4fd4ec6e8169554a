#pragma once
// Stateless text functions that make metadata usable in file and folder names.
// They work one UTF-16 code unit at a time, exactly, without locale.

#include <QString>

// Drops the nine characters that file names may not hold: \ / : * ? " < > |
QString RemoveFileNameChars(const QString &s);
