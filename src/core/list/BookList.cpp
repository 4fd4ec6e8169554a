#include "list/BookList.h"

#include "list/ListOrder.h"
#include "list/RowAfterRun.h"
#include "list/RowTip.h"

#include <algorithm>
#include <numeric>

int TBookList::IndexOf(RowId row) const
{
    for (int i = m_hint; i < Count() && i <= m_hint + 1; ++i)
        if (m_rows[size_t(i)].Id == row)
            return m_hint = i;
    if (!m_indexValid) {
        m_indexOf.clear();
        m_indexOf.reserve(qsizetype(m_rows.size()));
        for (size_t i = 0; i < m_rows.size(); ++i)
            m_indexOf.insert(m_rows[i].Id, int(i));
        m_indexValid = true;
    }
    const int i = m_indexOf.value(row, -1);
    if (i >= 0)
        m_hint = i;
    return i;
}

QList<TBookList::RowId> TBookList::Ids() const
{
    QList<RowId> ids;
    ids.reserve(qsizetype(m_rows.size()));
    for (const TListRow &r : m_rows)
        ids.append(r.Id);
    return ids;
}

TBookList::RowId TBookList::Append(const TListEntry &entry, bool checked)
{
    return Append(QList<TListEntry>{entry}, checked ? Qt::Checked : Qt::Unchecked);
}

TBookList::RowId TBookList::Append(const QList<TListEntry> &entries, Qt::CheckState check)
{
    const RowId first = m_lastId + 1;
    for (const TListEntry &e : entries) {
        m_rows.push_back(TListRow{++m_lastId, e, check, std::nullopt, QString()});
        if (m_indexValid)
            m_indexOf.insert(m_lastId, Count() - 1);
    }
    if (check == Qt::Checked)
        m_checked += int(entries.size());
    return first;
}

bool TBookList::SetCheck(int index, Qt::CheckState check)
{
    if (index < 0 || index >= Count())
        return false;
    TListRow &row = m_rows[size_t(index)];
    if (row.Check == check)
        return false;
    m_checked += (check == Qt::Checked) - (row.Check == Qt::Checked);
    row.Check = check;
    return true;
}

void TBookList::SetChecked(RowId row, bool checked) { SetCheck(IndexOf(row), checked ? Qt::Checked : Qt::Unchecked); }

void TBookList::SetAllChecks(Qt::CheckState check)
{
    for (TListRow &row : m_rows)
        row.Check = check;
    m_checked = check == Qt::Checked ? Count() : 0;
}

std::vector<int> TBookList::ToggleChecks(const std::vector<int> &rows, int lead)
{
    std::vector<int> changed;
    if (lead < 0 || lead >= Count())
        return changed;
    const Qt::CheckState check = m_rows[size_t(lead)].Check == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    if (SetCheck(lead, check))
        changed.push_back(lead);
    for (int i : rows)
        if (i != lead && SetCheck(i, check))
            changed.push_back(i);
    return changed;
}

namespace {

// Valid positions, sorted, each once.
std::vector<int> Positions(std::vector<int> rows, int count)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [count](int i) { return i < 0 || i >= count; }), rows.end());
    return rows;
}

}  // namespace

void TBookList::RemoveAt(const std::vector<int> &rows)
{
    const std::vector<int> gone = Positions(rows, Count());
    if (gone.empty())
        return;
    size_t kept = size_t(gone.front()), next = 0;
    for (size_t i = kept; i < m_rows.size(); ++i) {
        if (next < gone.size() && size_t(gone[next]) == i) {
            ++next;
            if (m_rows[i].Check == Qt::Checked)
                --m_checked;
            continue;
        }
        m_rows[kept++] = std::move(m_rows[i]);
    }
    m_rows.resize(kept);
    Moved();
}

std::vector<int> TBookList::RemovableRows(const std::vector<int> &rows, RowId runInHand) const
{
    std::vector<int> removable = Positions(rows, Count());
    const int hand = runInHand == NoRow ? -1 : IndexOf(runInHand);
    if (hand >= 0)
        removable.erase(std::lower_bound(removable.begin(), removable.end(), hand), removable.end());
    return removable;
}

bool TBookList::NoteOutcome(RowId row, TRowOutcome outcome, const QString &text)
{
    const int i = IndexOf(row);
    if (i < 0)
        return false;
    m_rows[size_t(i)].Outcome = outcome;
    m_rows[size_t(i)].OutcomeText = text;
    return true;
}

Qt::CheckState TBookList::ChecksState() const
{
    if (m_checked == 0)
        return Qt::Unchecked;
    return m_checked == Count() ? Qt::Checked : Qt::PartiallyChecked;
}

void TBookList::TakeRunReport(const TRunReport &report)
{
    for (const TRowReport &r : report.Rows) {
        const int i = IndexOf(r.Row);
        if (i < 0)
            continue;
        TListRow &row = m_rows[size_t(i)];
        row.Outcome = r.Outcome;
        row.OutcomeText = RowOutcomeText(r.Outcome, r.OutputPath, r.Message);
        if (r.Outcome == TRowOutcome::NotReached)
            continue;
        SetCheck(i, Qt::Unchecked);
        const TRowAfterRun after = RowAfterRun(r);
        if (after.Entry)
            row.Entry = *after.Entry;
        row.Gone = after.Gone;
    }
}

std::vector<int> TBookList::FollowUndo(const QList<QPair<QString, QString>> &movedBack)
{
    QHash<QString, QString> to;
    for (const auto &[was, now] : movedBack)
        to.insert(was, now);
    std::vector<int> changed;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        TListRow &row = m_rows[i];
        // A book packed by the run is the one entry of its archive: the archive is what moved.
        const bool packed = row.Entry.InArchive && row.Entry.StoredPath.isEmpty();
        QString path = packed ? row.Entry.ArchivePath : row.Entry.FileDir + row.Entry.FileName;
        // A packed book went back in two steps (unpacked, then moved); the bound stops a loop.
        bool moved = false;
        for (int step = 0; step < movedBack.size() && to.contains(path); ++step) {
            path = to.value(path);
            moved = true;
        }
        if (!moved)
            continue;
        const qsizetype slash = path.lastIndexOf(u'/');
        TListEntry &e = row.Entry;
        e.FileDir = path.left(slash + 1);
        e.FileName = path.mid(slash + 1);
        e.InArchive = false;
        e.ArchivePath.clear();
        e.StoredPath.clear();
        e.EntryIndex = -1;
        row.Outcome.reset();
        row.OutcomeText.clear();
        row.Gone = false;
        changed.push_back(int(i));
    }
    return changed;
}

void TBookList::Remove(RowId row)
{
    const int i = IndexOf(row);
    if (i < 0)
        return;
    if (m_rows[size_t(i)].Check == Qt::Checked)
        --m_checked;
    m_rows.erase(m_rows.begin() + i);
    Moved();
}

void TBookList::Clear()
{
    std::vector<TListRow>().swap(m_rows);
    m_checked = 0;
    Moved();
}

void TBookList::Moved()
{
    m_indexOf.clear();
    m_indexValid = m_rows.empty();
    m_hint = 0;
}

std::vector<int> TBookList::Sort(int tag, Qt::SortOrder order)
{
    std::vector<int> byRank(m_rows.size());
    std::iota(byRank.begin(), byRank.end(), 0);
    const bool descending = order == Qt::DescendingOrder;
    std::stable_sort(byRank.begin(), byRank.end(), [&](int a, int b) {
        const int c = CompareListEntries(m_rows[size_t(a)].Entry, m_rows[size_t(b)].Entry, tag);
        return descending ? c > 0 : c < 0;
    });
    std::vector<TListRow> sorted;
    sorted.reserve(m_rows.size());
    std::vector<int> newIndexOf(m_rows.size());
    for (size_t i = 0; i < byRank.size(); ++i) {
        newIndexOf[size_t(byRank[i])] = int(i);
        sorted.push_back(std::move(m_rows[size_t(byRank[i])]));
    }
    m_rows.swap(sorted);
    Moved();
    return newIndexOf;
}

void TBookList::Reorder(const QList<RowId> &order)
{
    std::vector<TListRow> rows;
    rows.reserve(m_rows.size());
    for (RowId id : order) {
        const int i = IndexOf(id);
        if (i >= 0)
            rows.push_back(m_rows[size_t(i)]);
    }
    Q_ASSERT(rows.size() == m_rows.size());
    m_rows.swap(rows);
    Moved();
}

TBookList::RowId TBookList::FirstRow() const { return m_rows.empty() ? NoRow : m_rows.front().Id; }

TBookList::RowId TBookList::NextRow(RowId row) const
{
    const int i = IndexOf(row);
    return (i < 0 || i + 1 >= Count()) ? NoRow : m_rows[size_t(i) + 1].Id;
}

bool TBookList::IsChecked(RowId row) const
{
    const int i = IndexOf(row);
    return i >= 0 && m_rows[size_t(i)].Check == Qt::Checked;
}

const TListEntry *TBookList::Entry(RowId row) const
{
    const int i = IndexOf(row);
    return i < 0 ? nullptr : &m_rows[size_t(i)].Entry;
}
