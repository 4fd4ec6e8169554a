#pragma once
// Stateless text functions that make metadata usable in file and folder names.
// They work one UTF-16 code unit at a time, exactly, without locale.

#include <QString>

// Drops the 40 punctuation and sign characters that must not reach a folder name built from
// the author text (the nine file-name characters among them).
QString RemovePunctuation(const QString &s);

// Drops the nine characters that file names may not hold: \ / : * ? " < > |
QString RemoveFileNameChars(const QString &s);

// Writes the 33 Russian letters of either case in Latin letters; everything else stays.
QString Transliterate(const QString &s);
