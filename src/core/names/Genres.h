#pragma once
// Full genre names from UtilsDir + "genres.list" (section "GENRES", code=name). The file is
// data delivered with the program: it is read once per path and kept.

#include <QString>

// The name of the genre code, or empty when the code, its name or the file is missing.
QString FullGenreName(const QString &code);
// The same from another genre table.
QString FullGenreName(const QString &code, const QString &genresFile);
