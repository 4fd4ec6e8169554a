#pragma once
// The tooltip of a file list row: where the book is (for an archive entry, the archive and the
// entry's folder inside it, so it is told from a loose file of the same name), how big it is in
// units a person reads, and what the last run did to it.

#include "list/BookList.h"

#include <QString>

QString ListRowTip(const TListRow &row);

// What the row keeps of a run's report: a placed book's file, or the reason in a few short lines.
QString RowOutcomeText(TRowOutcome outcome, const QString &outputPath, const QString &message);

// "1 байт", "512 байт", "1,5 КБ", "12 МБ", "2,0 ГБ": binary units, one decimal below ten.
QString ReadableSize(qint64 bytes);
