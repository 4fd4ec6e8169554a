#pragma once
// Reading journals back, and the list of the runs that can still be undone.

#include "journal/JournalStep.h"

#include <QDateTime>
#include <QList>
#include <QString>

// UserDir + "journal/": the per-user data folder of the program (beside a portable copy).
QString JournalFolder();

struct TJournalFile {
    QString Path;
    bool IsUndo = false;
    QString Undoes;  // an undo: the file name of the journal it takes back
    QDateTime Started;
    QList<TJournalStep> Steps;  // in the order they were written
    QList<int> BadLines;  // line numbers (from 1) that are no step: edited by hand or damaged
    QString End;  // "done", "cancelled", "failed"; empty when the run was killed

    // The steps that undo takes back: all but the scratch extractions, which touched no book.
    int Operations() const;
};

// Reads a journal. Raises "Файл "%1" не является журналом обработки" for a file without the
// journal's first line, and the system's reason when it cannot be read. A last line without
// its LF is dropped: it was being written when the process died.
TJournalFile ReadJournal(const QString &path);

struct TJournalInfo {
    QString Path;
    bool IsUndo = false;
    QString Undoes;
    QDateTime Started;
    int Steps = 0;  // file operations, scratch extractions not counted
    QString End;
    bool Undone = false;  // taken back by a complete undo that was not itself taken back
};

// Every journal of `folder`, newest first. Unreadable files are left out.
QList<TJournalInfo> ListJournals(const QString &folder);
// The journal "Отменить последнюю обработку" takes back: the newest run that is not undone
// (an undo that stopped half-way leaves its run not undone, so it is finished first). Empty
// when there is none.
QString LastUndoable(const QString &folder);
