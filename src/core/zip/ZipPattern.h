#pragma once
// Name patterns of the archive component: "*" any run of characters, "?" any one character,
// letters A to Z without regard to case, every other character exactly.

#include <QString>
#include <QStringView>

bool MatchZipPattern(QStringView pattern, QStringView text);

// An entry matches when the pattern matches its stored path (a trailing "/" removed) or,
// failing that, its name alone.
bool ZipEntryMatches(QStringView pattern, QStringView storedPath);

// The parts of a stored path: its folder ("a/b/", empty at the top) and its name.
QStringView StoredFolder(QStringView storedPath);
QStringView StoredName(QStringView storedPath);
