#pragma once
// A plain list of rows for a run without a window (the CLI, tests): rows in order, each with its
// check state, changeable between rows the way the file list can be changed during a run.

#include "run/RunRows.h"

#include <QList>

class TRunRowList : public TRunRows {
public:
    // Appends a row and returns its id.
    RowId Append(const TListEntry &entry, bool checked = true);
    void SetChecked(RowId row, bool checked);
    void Remove(RowId row);
    void Clear();
    // Puts the rows in the given order (every id of the list exactly once).
    void Reorder(const QList<RowId> &order);
    int Count() const { return int(m_rows.size()); }
    QList<RowId> Ids() const;

    RowId FirstRow() override;
    RowId NextRow(RowId row) override;
    bool IsChecked(RowId row) override;
    const TListEntry *Entry(RowId row) override;
    int CheckedCount() override { return m_checked; }

private:
    struct Row {
        RowId id;
        TListEntry entry;
        bool checked;
    };
    qsizetype IndexOf(RowId row);

    QList<Row> m_rows;
    RowId m_lastId = NoRow;
    int m_checked = 0;
    qsizetype m_hint = 0;  // where the last lookup found its row: the walk asks in order
};
