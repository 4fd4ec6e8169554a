#pragma once
// Workers that do the work of the next rows (RowWork) while the run's own thread places the row
// in hand: every file-system step stays with that thread, in list order, so names, clashes, the
// log and cancellation come out exactly as in a run that does one row after the other. At most
// a fixed number of rows are in flight, so memory stays bounded whatever the list's length.

#include "run/RowWork.h"
#include "run/RunRows.h"

#include <memory>

class TRunAhead {
public:
    // `workers` threads; none: the run does every row in hand.
    TRunAhead(int workers, const TBookConversion &conversion);
    ~TRunAhead();  // lets the rows being worked on finish and drops the rest
    TRunAhead(const TRunAhead &) = delete;
    TRunAhead &operator=(const TRunAhead &) = delete;

    bool Enabled() const;
    // How many rows may be queued or worked on at once.
    int Window() const;
    // True when the row's work is queued, in progress or done and not yet taken.
    bool Holds(TRunRows::RowId row) const;
    int InFlight() const;

    void Submit(TRunRows::RowId row, TRowInput input);
    // The row's work, once done; null when it was never submitted. Work of rows submitted before
    // it and not taken (rows unchecked or removed meanwhile) is dropped.
    std::unique_ptr<TRowWork> Take(TRunRows::RowId row);
    // Work the run is done with. A worker's goes back to it to be freed: its book's tree was
    // allocated by that thread, which frees it without contending for another thread's heap.
    void Dispose(std::unique_ptr<TRowWork> work);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The number of workers of a run asked for with `jobs` (0: one per processor): none for 1.
int RunWorkers(int jobs);
