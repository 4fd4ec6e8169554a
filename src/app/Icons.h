#pragma once
// Pictures of the commands and of the two file types, from the desktop's icon theme,
// or from the widget style when the theme has none that can be drawn.

#include "run/RunRows.h"

#include <QIcon>

enum class TCommandIcon { Open, OpenDir, Run, Info, Clear, Setting, Cancel, Help, SelectAll, Remove, ClearText };

QIcon CommandIcon(TCommandIcon id);

// The mark of what a run did to a row, in the list and in the run's report.
QIcon OutcomeIcon(TRowOutcome outcome);

// The small icon of a file of this extension (".fb2", ".zip"), as the desktop shows such files.
QIcon FileTypeIcon(const QString &extension);
