#pragma once
// Some rows of a list, as a run walks them: the rows a preview showed, so that the run started
// from it does those rows and no others, whatever was ticked meanwhile.

#include "run/RunRows.h"

#include <QSet>

class TRowSubset : public TRunRows {
public:
    TRowSubset(const TRunRows &rows, QSet<RowId> chosen) : m_rows(rows), m_chosen(std::move(chosen)) {}

    RowId FirstRow() const override { return m_rows.FirstRow(); }
    RowId NextRow(RowId row) const override { return m_rows.NextRow(row); }
    // A chosen row removed from the list is never reached, so it counts no more.
    bool IsChecked(RowId row) const override { return m_chosen.contains(row) && m_rows.Entry(row); }
    const TListEntry *Entry(RowId row) const override { return m_rows.Entry(row); }
    int CheckedCount() const override
    {
        int n = 0;
        for (RowId row : m_chosen)
            n += m_rows.Entry(row) ? 1 : 0;
        return n;
    }

private:
    const TRunRows &m_rows;
    QSet<RowId> m_chosen;
};
