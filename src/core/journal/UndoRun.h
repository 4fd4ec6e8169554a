#pragma once
// Undo: takes back what a journal says a run did, newest step first, and writes a journal of its
// own (so that an undo can be undone in turn).
//
// Nothing is ever replaced, and no file is deleted unless it is proven, by its content hash, to
// be a copy of a book that stays: a book moved by the run goes back when its place is free and it
// is unchanged; the placed copy of an archive entry is deleted only when the archive still holds
// that very book; a packed archive is unpacked and deleted only when it holds exactly the book
// the run packed; a converted file, unchanged, goes to the undo journal's keep folder. Anything
// else stays where it is and is reported. A step that did not happen (the run was killed) is
// found already undone.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

struct TUndoCallbacks {
    // After every step: steps taken back or passed so far, and how many there are.
    std::function<void(int done, int total)> Progress;
    // Asked before every step; true stops the undo there (its journal says so).
    std::function<bool()> Cancelled;
};

struct TUndoResult {
    QString Journal;  // the journal taken back
    QString UndoJournal;  // the undo's own journal
    int Steps = 0;  // file operations in the journal
    int Reversed = 0;  // taken back now
    int AlreadyBack = 0;  // found as they were before the run
    QStringList Problems;  // one text per step left as it is
    // Every file the undo put back, as (where it was, where it is now), in the order it did them:
    // a book moved back, or unpacked from the archive the run made. A list whose rows followed
    // the run follows these back.
    QList<QPair<QString, QString>> MovedBack;
    bool Cancelled = false;
};

// Takes back the run of `journalPath`; the undo's journal goes beside it. Raises when the
// journal cannot be read or its own journal cannot be written.
TUndoResult UndoJournal(const QString &journalPath, const TUndoCallbacks &callbacks = {});
