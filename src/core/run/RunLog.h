#pragma once
// The log of a run: one entry per book that failed validation or could not be placed.

#include <QString>
#include <QStringList>

// The entry of one row: the row's file name, " => ", then the text (which ends with CR LF).
QString RunLogEntry(const QString &fileName, const QString &text);

// Writes the entries to `path` anew: UTF-8 with byte-order mark, each entry followed by CR LF;
// only the byte-order mark when there are none. The old log is replaced only by a complete new
// one. Raises "Cannot create file "%s". %s" when the file cannot be written.
void WriteRunLog(const QString &path, const QStringList &entries);
