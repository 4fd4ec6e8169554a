#pragma once
// What a row of the list becomes once a run has done its book: the run moves loose books, so a
// row that went on naming the old place would show a missing book and send it to the next run
// as one that "stayed where it was". The row follows its book: to the target file, into the
// archive the book was packed in, or to the bad-files folder; a row whose file is gone without
// the run saying where is marked so.

#include "list/ListEntry.h"
#include "run/RunReport.h"

#include <optional>

struct TRowAfterRun {
    std::optional<TListEntry> Entry;  // the row's new record; none when it stays as it was
    bool Gone = false;  // the row's file is no longer where the row says
};

TRowAfterRun RowAfterRun(const TRowReport &report);
