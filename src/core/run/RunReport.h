#pragma once
// What a run did, row by row: one record per checked row it met, kept by the run itself, so the
// window's report, the outcome the list shows on each row and the command line's report all read
// the same records. A run that is cancelled or ended by an error still accounts for every
// checked row: the row it stopped at and those after it are "not reached".

#include "list/ListEntry.h"
#include "run/RunRows.h"

#include <QList>
#include <QString>

// What happened to one checked row.
struct TRowReport {
    TRunRows::RowId Row = TRunRows::NoRow;  // the row of the list it belongs to, to note the outcome there
    TListEntry Entry;
    QString WorkingPath;  // the file the run worked on (an archive entry: the archive, "/", its stored path)
    TRowOutcome Outcome = TRowOutcome::Placed;
    QString OutputPath;  // Placed: target file or its archive; Invalid: the bad file; NotPlaced: where the book is now
    QString Message;  // Invalid: the validator's (or loader's) text; NotPlaced: the reason, as logged;
                      // Error: the error's text; NotReached: why the run did not get to it
};

struct TRunReport {
    QList<TRowReport> Rows;  // in the order the run met them
    QString OutputDir;  // the output and bad-files folders of the settings the run ended with
    QString BadDir;
    bool Cancelled = false;
    QString ErrorMessage;  // the error that ended the run; empty when none did

    int Count(TRowOutcome outcome) const;
};

// The reasons a row was not reached.
QString NotReachedCancelled();
QString NotReachedAfterError();

// The row as the user named it: the loose file, or the archive, the entry's folder in it and
// its name.
QString RowSource(const TListEntry &entry);

// The words of the command line for each outcome: placed, invalid, not-placed, error, not-reached.
QString OutcomeWord(TRowOutcome outcome);

// The window's word for each outcome: "Размещена", "Не прошла проверку", "Не размещена",
// "Ошибка", "Не обработана".
QString OutcomeName(TRowOutcome outcome);

// The same, of a row a preview plans: "Будет размещена", "Не пройдёт проверку", "Не будет
// размещена", "Ошибка", "Не проверена".
QString PlanOutcomeName(TRowOutcome outcome);

// What a preview says of a row on one line: where the book would go; for an invalid book the
// validator's reason, then the bad file it would become ("reason → file", so that a line cut
// short in the middle still shows both); otherwise the reason.
QString PlanRowDetail(const TRowReport &row);

// What the report says of a row on one line: a placed book's file; otherwise the reason (for an
// invalid book the validator's reason with its line and column, for an error its first line).
QString RowReportDetail(const TRowReport &row);

// The report as a text file: one line per row, "source TAB outcome word TAB detail", UTF-8,
// lines ended by LF. A tab, a line break or a backslash inside a field is written as \t, \n,
// \r or \\ so that every row stays one line of three fields.
QByteArray RunReportData(const TRunReport &report);
// Writes RunReportData to `path`; an earlier file is replaced only by a complete one.
// Raises "Cannot create file "%s". %s".
void WriteRunReport(const QString &path, const TRunReport &report);
