#pragma once
// The file list: its rows in the order the user sees them, each with its record, its check box
// and an id that stays with the row through sorting and is never given again once the row is
// gone. The window's model is a view of one of these; the CLI fills one of its own; a run walks
// either through TRunRows, so the rules of a list changed during a run live here only.
//
// Kept in a plain vector so that a list of 100,000 books adds, checks, sorts and clears at once.

#include "list/ListEntry.h"
#include "run/RunReport.h"
#include "run/RunRows.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <optional>
#include <vector>

// One row, and what the last run did to it.
struct TListRow {
    TRunRows::RowId Id = TRunRows::NoRow;
    TListEntry Entry;
    Qt::CheckState Check = Qt::Unchecked;
    std::optional<TRowOutcome> Outcome;  // none until a run handled the row
    QString OutcomeText;  // Placed: the file written; otherwise the reason
    bool Gone = false;  // the file is no longer where the record says
};

class TBookList : public TRunRows {
public:
    using RowId = TRunRows::RowId;

    int Count() const { return int(m_rows.size()); }
    const TListRow &At(int index) const { return m_rows[size_t(index)]; }
    // The position of the row with this id now; -1 when it was removed.
    int IndexOf(RowId row) const;
    QList<RowId> Ids() const;

    // Appends one row and returns its id (the command line and the tests tick every row).
    RowId Append(const TListEntry &entry, bool checked = true);
    // Appends rows in their order with one check state; returns the id of the first.
    RowId Append(const QList<TListEntry> &entries, Qt::CheckState check);

    // Sets one row's box; false when the row is gone or already in that state.
    bool SetCheck(int index, Qt::CheckState check);
    void SetChecked(RowId row, bool checked);
    void SetAllChecks(Qt::CheckState check);
    // Space on the list: the lead row's box flips, and every other of these rows takes the lead's
    // new state, as in any list with boxes. Returns the positions whose box changed.
    std::vector<int> ToggleChecks(const std::vector<int> &rows, int lead);

    // What a run did to the row; false when the row is gone.
    bool NoteOutcome(RowId row, TRowOutcome outcome, const QString &text);
    // After a run, every row it did takes its outcome, is unticked (it is done; ticking it again
    // runs it again) and follows its book to where it now is. Rows the run did not reach keep
    // their tick. Rows removed meanwhile are passed over.
    void TakeRunReport(const TRunReport &report);

    // After an undo, the rows that followed the run's books follow them back: a row naming a
    // file the undo moved (or an archive it unpacked) names the book's place now, loose, and
    // tells no outcome any more. `movedBack`: (where a file was, where it is now), in the
    // undo's order. Returns the positions of the rows changed.
    std::vector<int> FollowUndo(const QList<QPair<QString, QString>> &movedBack);

    void Remove(RowId row);
    // Removes the rows at these positions (any order, repeats ignored) in one pass.
    void RemoveAt(const std::vector<int> &rows);
    // Of these positions, sorted and each once, those a user may remove now. While a run has
    // the row `runInHand`, only the rows before it: the row in hand and the rows after it are
    // still to be walked, and the walk goes on from the row in hand.
    std::vector<int> RemovableRows(const std::vector<int> &rows, RowId runInHand = NoRow) const;
    void Clear();

    // Stable sort by the column with this tag. Returns, for each old position, the new one.
    std::vector<int> Sort(int tag, Qt::SortOrder order);
    // Puts the rows in the given order (every id of the list exactly once).
    void Reorder(const QList<RowId> &order);

    // The run's view.
    RowId FirstRow() const override;
    RowId NextRow(RowId row) const override;
    bool IsChecked(RowId row) const override;
    const TListEntry *Entry(RowId row) const override;
    int CheckedCount() const override { return m_checked; }
    // None, some or all rows ticked (an empty list: none).
    Qt::CheckState ChecksState() const;

private:
    // Rows moved or removed: positions are looked up afresh.
    void Moved();

    std::vector<TListRow> m_rows;
    int m_checked = 0;
    RowId m_lastId = NoRow;
    // Position by id, built on first need after rows moved; a walk asks for the row it asked
    // for last or the one after it, so that is looked at first.
    mutable QHash<RowId, int> m_indexOf;
    mutable bool m_indexValid = true;
    mutable int m_hint = 0;
};
