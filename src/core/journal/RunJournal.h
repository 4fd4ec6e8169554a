#pragma once
// The journal of one run (or one undo): every file operation it performs, written before the
// operation, so that the run can be undone, also when it was killed half-way. JournalStep.h has
// the format.
//
// The file is made on the first step (a run that changes nothing leaves no journal) in the
// journal folder, named by the time it was started. Each step is one write(2) of a whole line:
// once the call returns the line survives the process being killed; the file is synced to the
// disk when the journal ends. Not thread-safe: one thread, the one doing the file operations,
// feeds it.

#include "journal/JournalStep.h"
#include "list/ListEntry.h"

#include <QString>

enum class TJournalKind { Run, Undo };
enum class TJournalEnd { Done, Cancelled, Failed };

class TRunJournal {
public:
    // `undoes`: for an undo, the file name of the journal it takes back.
    explicit TRunJournal(QString folder, TJournalKind kind = TJournalKind::Run, QString undoes = QString());
    ~TRunJournal();  // ends the journal as failed unless Finish was called
    TRunJournal(const TRunJournal &) = delete;
    TRunJournal &operator=(const TRunJournal &) = delete;

    // The journal file; empty while no step was written.
    QString Path() const { return m_path; }
    int Steps() const { return m_steps; }
    // Makes the file now, before any step (an undo leaves its journal even when it finds
    // everything already back).
    void Begin()
    {
        if (m_fd < 0)
            Open();
    }
    // Writes the end line and syncs the file (nothing when no step was written).
    void Finish(TJournalEnd how);

    // Each writes its step; the ones that take a path hash the book there first, unless given
    // `hash`, the book's hash (DataHash) already taken from the very bytes at that path. Every
    // failure to write raises "Не удалось записать журнал ..." so that no operation goes unrecorded.
    // A move of `from` to `to`: "move" when both are on one file system, else "copy-delete".
    void Moving(const QString &from, const QString &to, const QByteArray &hash = {});
    // A copy `from` extracted from the archive entry of `entry`, moved to `to`.
    void Placing(const TListEntry &entry, const QString &from, const QString &to, const QByteArray &hash = {});
    // The same for the entry's `bytes`, read into memory, written to `to`; `from` names the entry.
    void Placing(const TListEntry &entry, const QByteArray &bytes, const QString &from, const QString &to,
                 const QByteArray &hash);
    void Converting(const QString &from, const QString &to, const QByteArray &converted);
    void Packing(const QString &file, const QString &zip);
    // The same for a book packed straight from `bytesAt` under the name of `file`.
    void Packing(const QString &file, const QString &zip, const QString &bytesAt, const QByteArray &hash = {});
    // Records "mkdir" for every level of `folder` that is not there yet (before it is made).
    void MakingFolders(const QString &folder);
    // Copies `path`, which is about to be replaced, into this journal's keep folder, complete and
    // synced, and records it; returns the copy. Raises when the copy cannot be made.
    QString KeepCopy(const QString &path);
    // Any step as it stands (undo writes the reverse of what it finds).
    void Write(const TJournalStep &step);

    // The folder beside the journal file that holds its kept files.
    QString KeepFolder();

    // "Не удалось записать журнал "%1": %2".
    static QString CannotWrite(const QString &path, int error);

private:
    void Open();
    void WritePlace(const TListEntry &entry, const QByteArray &hash, const QString &from, const QString &to);
    void Append(const QByteArray &line);

    QString m_folder, m_undoes, m_path;
    TJournalKind m_kind;
    int m_fd = -1;
    int m_steps = 0;
    int m_kept = 0;
    bool m_finished = false;
};
