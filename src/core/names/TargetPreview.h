#pragma once
// Where a run would put one book, without a run: the settings dialog shows it while the user
// edits the patterns. The same functions as the run's name the book.

#include "config/AppSettings.h"
#include "globals/BookData.h"

#include <QString>

struct TTargetPreview {
    QString Folder;  // below the output folder, levels joined by "/" and ending in "/"; empty: the output folder itself
    QString FileName;  // the file the run leaves there (converted, packed)
};

// `fileName` is the book's own name, which it keeps when renaming is off. Raises what naming
// raises ("Invalid characters in path" for a name a conversion cannot write).
TTargetPreview PreviewTarget(const TBookData &book, const QString &fileName, const TAppSettings &settings);
