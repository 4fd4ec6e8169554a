#include "FileListModel.h"

#include "list/ListOrder.h"

#include <algorithm>
#include <numeric>

TFileListModel::TFileListModel(QObject *parent) : QAbstractTableModel(parent) {}

int TFileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TFileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant TFileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const TRow &row = m_rows[size_t(index.row())];
    switch (index.column()) {
    case lcCheck:
        if (role == Qt::CheckStateRole)
            return int(row.Check);
        break;
    case lcFileName:
        if (role == Qt::DisplayRole)
            return row.Entry.FileName;
        if (role == Qt::DecorationRole)
            return m_fileIcon;
        break;
    case lcFileSize:
        if (role == Qt::DisplayRole)
            return QString::number(row.Entry.FileSize);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    }
    return {};
}

QVariant TFileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole) {
        switch (section) {
        case lcCheck: return QStringLiteral("*");
        case lcFileName: return QStringLiteral("Файл");
        case lcFileSize: return QStringLiteral("Размер");
        }
    }
    if (role == Qt::ToolTipRole && section == lcCheck)
        return QStringLiteral("Выбрать всё/отменить выбор");
    if (role == Qt::TextAlignmentRole && section == lcFileSize)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags TFileListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == lcCheck)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool TFileListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != lcCheck || role != Qt::CheckStateRole
        || index.row() >= int(m_rows.size()))
        return false;
    const auto state = Qt::CheckState(value.toInt());
    TRow &row = m_rows[size_t(index.row())];
    if (row.Check == state)
        return true;
    m_checked += (state == Qt::Checked) - (row.Check == Qt::Checked);
    row.Check = state;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

void TFileListModel::AppendEntries(const QList<TListEntry> &entries)
{
    if (entries.isEmpty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(entries.size()) - 1);
    for (const TListEntry &e : entries) {
        if (m_rowOfIdValid)
            m_rowOfId.insert(m_nextId, int(m_rows.size()));
        m_rows.push_back(TRow{e, Qt::Unchecked, m_nextId++});
    }
    endInsertRows();
}

void TFileListModel::Clear()
{
    beginResetModel();
    std::vector<TRow>().swap(m_rows);
    m_checked = 0;
    m_rowOfId.clear();
    m_rowOfIdValid = true;
    endResetModel();
}

void TFileListModel::SetAllChecks(Qt::CheckState state)
{
    for (TRow &row : m_rows)
        row.Check = state;
    m_checked = state == Qt::Checked ? int(m_rows.size()) : 0;
    if (!m_rows.empty())
        emit dataChanged(index(0, lcCheck), index(int(m_rows.size()) - 1, lcCheck),
                         {Qt::CheckStateRole});
}

void TFileListModel::SortByColumn(int tag, Qt::SortOrder order)
{
    if (m_rows.size() < 2)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    std::vector<int> order_(m_rows.size());
    std::iota(order_.begin(), order_.end(), 0);
    const bool descending = order == Qt::DescendingOrder;
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        const int c = CompareListEntries(m_rows[size_t(a)].Entry, m_rows[size_t(b)].Entry, tag);
        return descending ? c > 0 : c < 0;
    });

    std::vector<TRow> sorted;
    sorted.reserve(m_rows.size());
    std::vector<int> newRowOf(m_rows.size());
    for (size_t i = 0; i < order_.size(); ++i) {
        newRowOf[size_t(order_[i])] = int(i);
        sorted.push_back(std::move(m_rows[size_t(order_[i])]));
    }
    m_rows.swap(sorted);
    m_rowOfIdValid = false;

    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &i : before)
        after.append(index(newRowOf[size_t(i.row())], i.column()));
    changePersistentIndexList(before, after);

    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int TFileListModel::RowOfId(quint64 id) const
{
    if (!m_rowOfIdValid) {
        m_rowOfId.clear();
        m_rowOfId.reserve(qsizetype(m_rows.size()));
        for (size_t i = 0; i < m_rows.size(); ++i)
            m_rowOfId.insert(m_rows[i].Id, int(i));
        m_rowOfIdValid = true;
    }
    return m_rowOfId.value(id, -1);
}
