#pragma once
// One step of a run journal, and the text form it takes in the journal file.
//
// A journal is a UTF-8 text file, one record per line, fields separated by a tab; "\" , tab, CR
// and LF inside a field are written as "\\", "\t", "\r" and "\n". The first line names the file:
//
//     orvane-journal <TAB> 1 <TAB> run|undo <TAB> started (ISO UTC) [<TAB> journal file undone]
//
// then one line per file operation, written and handed to the kernel *before* the operation, so
// that a run killed at any point has a journal of everything it may have done (a step that did
// not happen is found so on undo: its output is not there). Each step line is
//
//     kind <TAB> sha256 of the book (hex, "-" for folders) <TAB> fields...
//
//     extract  H  archive  entry-index  stored-name  scratch-copy   entry copied out (scratch only)
//     move     H  from  to          renamed on one file system
//     copy-delete H from to         moved across file systems: copied, then the source deleted
//     place    H  archive  entry-index  stored-name  from  to        the scratch copy of an
//                                   archive entry moved to `to`; the archive is not touched
//     convert  H  from  to          the conversion of `from` written to `to` (H: of the output)
//     copy     H  from  to          `from`, about to be replaced, copied to `to` (the keep folder)
//     pack     H  file  zip         `file` packed alone into the new `zip`, then deleted
//     unpack   H  zip  file         the one book of `zip` written to `file`, then `zip` deleted
//     unplace  H  archive  entry-index  stored-name  to   a copy of an archive entry deleted
//     mkdir    -  folder            a folder made
//     rmdir    -  folder            an empty folder removed
//
// and, when the run ends, "end <TAB> time <TAB> done|cancelled|failed". Only lines ended by LF
// count: a line cut off by a killed process was never followed by its operation.

#include <QByteArray>
#include <QString>
#include <QStringList>

enum class TStepKind { Extract, Move, CopyDelete, Place, Convert, Copy, Pack, Unpack, Unplace, MakeDir, RemoveDir };

struct TJournalStep {
    TStepKind Kind = TStepKind::Move;
    QByteArray Hash;  // lower-case hex SHA-256; empty for folders
    QString From, To;  // see the table above; a folder step has only To
    QString Archive;  // extract, place, unplace
    qsizetype EntryIndex = -1;
    QString StoredName;  // the entry's folders in the archive and its name
};

// The line of a step, without its LF.
QByteArray StepLine(const TJournalStep &step);
// Parses a line (without its LF); false for anything that is not a well-formed step.
bool ParseStepLine(const QByteArray &line, TJournalStep &step);

// The field escapes of the journal.
QByteArray EscapeField(const QString &text);
QString UnescapeField(const QByteArray &field, bool *ok = nullptr);
