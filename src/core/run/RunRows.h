#pragma once
// The rows a processing run walks, as the file list (TBookList) holds them at this moment.
//
// The list stays usable during a run: while the run hands control to the message loop, rows may
// be checked or unchecked, re-sorted or cleared. So the run never keeps positions; it names a row
// by an id that stays the same for as long as the row exists, and asks for the row that now
// follows the one it has just done. A removed row is never yielded again.

#include "list/ListEntry.h"

#include <QtGlobal>

// What a run did to one checked row; the list keeps it with the row.
enum class TRowOutcome {
    Placed,  // the book is at its target file (moved or converted; packed when asked)
    Invalid,  // failed validation (or, unvalidated, failed to load): moved to the bad file
    NotPlaced,  // a move or the packing could not be done; the book stays where it was
    Error,  // an error ended the run at this row; the row may be half done
    NotReached,  // the run was cancelled or ended by an error before it did this row
};

class TRunRows {
public:
    using RowId = quint64;
    static constexpr RowId NoRow = 0;

    virtual ~TRunRows() = default;

    // The first row in the list's current order; NoRow when the list is empty.
    virtual RowId FirstRow() const = 0;
    // The row that now follows `row`; NoRow when `row` is the last one or no longer exists.
    virtual RowId NextRow(RowId row) const = 0;
    // True only when the row's box is exactly checked (a box held pressed counts as not).
    virtual bool IsChecked(RowId row) const = 0;
    // The row's record; nullptr for a row without one. Valid until the list changes, so the run
    // copies it before it hands control to the message loop.
    virtual const TListEntry *Entry(RowId row) const = 0;
    // The number of rows checked now (the run's percentage is taken from it after every row).
    virtual int CheckedCount() const = 0;
};
