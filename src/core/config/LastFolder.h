#pragma once
// The folder the file list's open dialogs start in: the one the user last took books from,
// kept in config.ini (section "USER", key "LastDir", outside the settings of "AUTO") so that
// the next run of the program starts there too.

#include <QString>

// The remembered folder ending in "/"; when it is gone, its nearest parent that is still there;
// the user's home folder when nothing was remembered.
QString LastOpenFolder();

// Remembers the folder books were opened from. A write that fails is not worth an error box:
// the dialogs then start where they did before.
void RememberOpenFolder(const QString &folder);
