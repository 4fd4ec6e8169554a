#include "run/RunRowList.h"

#include <QHash>

TRunRows::RowId TRunRowList::Append(const TListEntry &entry, bool checked)
{
    m_rows.append(Row{++m_lastId, entry, checked});
    if (checked)
        ++m_checked;
    return m_lastId;
}

qsizetype TRunRowList::IndexOf(RowId row)
{
    // A walk asks for the row it asked for last or the one after it; look there first.
    for (qsizetype i = m_hint; i < m_rows.size() && i <= m_hint + 1; ++i)
        if (m_rows[i].id == row)
            return m_hint = i;
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].id == row)
            return m_hint = i;
    return -1;
}

void TRunRowList::SetChecked(RowId row, bool checked)
{
    const qsizetype i = IndexOf(row);
    if (i < 0 || m_rows[i].checked == checked)
        return;
    m_rows[i].checked = checked;
    m_checked += checked ? 1 : -1;
}

void TRunRowList::Remove(RowId row)
{
    const qsizetype i = IndexOf(row);
    if (i < 0)
        return;
    if (m_rows[i].checked)
        --m_checked;
    m_rows.removeAt(i);
    m_hint = 0;
}

void TRunRowList::Clear()
{
    m_rows.clear();
    m_checked = 0;
    m_hint = 0;
}

void TRunRowList::Reorder(const QList<RowId> &order)
{
    QHash<RowId, qsizetype> at;
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        at.insert(m_rows[i].id, i);
    QList<Row> rows;
    rows.reserve(m_rows.size());
    for (RowId id : order) {
        const auto it = at.constFind(id);
        if (it != at.constEnd())
            rows.append(m_rows[*it]);
    }
    Q_ASSERT(rows.size() == m_rows.size());
    m_rows = rows;
    m_hint = 0;
}

QList<TRunRows::RowId> TRunRowList::Ids() const
{
    QList<RowId> ids;
    for (const Row &r : m_rows)
        ids.append(r.id);
    return ids;
}

TRunRows::RowId TRunRowList::FirstRow() { return m_rows.isEmpty() ? NoRow : m_rows.first().id; }

TRunRows::RowId TRunRowList::NextRow(RowId row)
{
    const qsizetype i = IndexOf(row);
    return (i < 0 || i + 1 >= m_rows.size()) ? NoRow : m_rows[i + 1].id;
}

bool TRunRowList::IsChecked(RowId row)
{
    const qsizetype i = IndexOf(row);
    return i >= 0 && m_rows[i].checked;
}

const TListEntry *TRunRowList::Entry(RowId row)
{
    const qsizetype i = IndexOf(row);
    return i < 0 ? nullptr : &m_rows[i].entry;
}
