#include "run/RowSubset.h"

TRowSubset::TRowSubset(const TRunRows &rows, QSet<RowId> chosen) : m_rows(rows), m_chosen(std::move(chosen))
{
    // Rows removed before the run starts count no more.
    for (auto it = m_chosen.begin(); it != m_chosen.end();)
        it = m_rows.Entry(*it) ? std::next(it) : m_chosen.erase(it);
}

bool TRowSubset::IsChecked(RowId row) const
{
    if (!m_chosen.contains(row))
        return false;
    if (m_rows.IsChecked(row) && m_rows.Entry(row))
        return true;
    m_dropped.insert(row);
    return false;
}
