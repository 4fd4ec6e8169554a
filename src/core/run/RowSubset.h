#pragma once
// Some rows of a list, as a run walks them: the rows a preview showed, so that the run started
// from it does those rows and no others, whatever was ticked since. A chosen row the user unticks
// or removes while the run goes is passed over, as in any run.

#include "run/RunRows.h"

#include <QSet>

class TRowSubset : public TRunRows {
public:
    TRowSubset(const TRunRows &rows, QSet<RowId> chosen);

    RowId FirstRow() const override { return m_rows.FirstRow(); }
    RowId NextRow(RowId row) const override { return m_rows.NextRow(row); }
    bool IsChecked(RowId row) const override;
    const TListEntry *Entry(RowId row) const override { return m_rows.Entry(row); }
    // The chosen rows less those the walk found unticked or gone: counting the live ticks of
    // every chosen row after each row would cost the square of a large list.
    int CheckedCount() const override { return int(m_chosen.size() - m_dropped.size()); }

private:
    const TRunRows &m_rows;
    QSet<RowId> m_chosen;
    mutable QSet<RowId> m_dropped;  // chosen rows the walk met unticked
};
