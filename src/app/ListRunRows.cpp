#include "ListRunRows.h"

TRunRows::RowId TListRunRows::FirstRow()
{
    return m_model.rowCount() > 0 ? m_model.RowId(0) : NoRow;
}

TRunRows::RowId TListRunRows::NextRow(RowId row)
{
    const int at = m_model.RowOfId(row);
    if (at < 0 || at + 1 >= m_model.rowCount())
        return NoRow;
    return m_model.RowId(at + 1);
}

bool TListRunRows::IsChecked(RowId row)
{
    const int at = m_model.RowOfId(row);
    return at >= 0 && m_model.CheckState(at) == Qt::Checked;
}

const TListEntry *TListRunRows::Entry(RowId row)
{
    const int at = m_model.RowOfId(row);
    return at >= 0 ? &m_model.Entry(at) : nullptr;
}
