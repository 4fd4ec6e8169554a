#pragma once
// Pictures of the commands and of the two file types, from the desktop's icon theme,
// or from the widget style when the theme has none that can be drawn.

#include <QIcon>

enum class TCommandIcon { Open, OpenDir, Run, Info, Clear, Setting, Cancel, Help, SelectAll,
                          Remove, ClearText };

QIcon CommandIcon(TCommandIcon id);

// The small icon of a file of this extension (".fb2", ".zip"), as the desktop shows such files.
QIcon FileTypeIcon(const QString &extension);
