#include "FileListModel.h"

#include "Icons.h"
#include "list/ListOrder.h"
#include "list/RowTip.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <numeric>

namespace {

// A check box as the style draws it, for the check column's header.
QPixmap CheckBoxPixmap(Qt::CheckState state)
{
    QStyle *style = QApplication::style();
    QStyleOptionButton option;
    option.state = QStyle::State_Enabled
        | (state == Qt::Checked                ? QStyle::State_On
               : state == Qt::PartiallyChecked ? QStyle::State_NoChange
                                               : QStyle::State_Off);
    option.rect =
        QRect(0, 0, style->pixelMetric(QStyle::PM_IndicatorWidth), style->pixelMetric(QStyle::PM_IndicatorHeight));
    QPixmap pixmap(option.rect.size());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
    return pixmap;
}

}  // namespace

TFileListModel::TFileListModel(QObject *parent) : QAbstractTableModel(parent) {}

int TFileListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_list.Count(); }

int TFileListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 3; }

QVariant TFileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_list.Count())
        return {};
    const TListRow &row = m_list.At(index.row());
    if (role == Qt::ToolTipRole)
        return ListRowTip(row);
    switch (index.column()) {
    case lcCheck:
        if (role == Qt::CheckStateRole)
            return int(row.Check);
        break;
    case lcFileName:
        if (role == Qt::DisplayRole)
            return row.Entry.FileName;
        if (role == Qt::DecorationRole)
            return row.Outcome ? OutcomeIcon(*row.Outcome) : m_fileIcon;
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
    if (role == Qt::DecorationRole && section == lcCheck)
        return CheckBoxPixmap(m_list.ChecksState());
    if (role == Qt::CheckStateRole && section == lcCheck)
        return int(m_list.ChecksState());
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
    if (!index.isValid() || index.column() != lcCheck || role != Qt::CheckStateRole || index.row() >= m_list.Count())
        return false;
    if (m_list.SetCheck(index.row(), Qt::CheckState(value.toInt())))
        emit dataChanged(index, index, {Qt::CheckStateRole});
    ChecksMayHaveChanged();
    return true;
}

void TFileListModel::AppendEntries(const QList<TListEntry> &entries)
{
    if (entries.isEmpty())
        return;
    const int first = m_list.Count();
    beginInsertRows({}, first, first + int(entries.size()) - 1);
    m_list.Append(entries, Qt::Unchecked);
    endInsertRows();
    ChecksMayHaveChanged();
}

void TFileListModel::Clear()
{
    beginResetModel();
    m_list.Clear();
    endResetModel();
    ChecksMayHaveChanged();
}

void TFileListModel::SetAllChecks(Qt::CheckState state)
{
    m_list.SetAllChecks(state);
    if (m_list.Count() > 0)
        emit dataChanged(index(0, lcCheck), index(m_list.Count() - 1, lcCheck), {Qt::CheckStateRole});
    ChecksMayHaveChanged();
}

void TFileListModel::ToggleChecks(const std::vector<int> &rows, int lead)
{
    const std::vector<int> changed = m_list.ToggleChecks(rows, lead);
    if (changed.empty())
        return;
    const auto [lo, hi] = std::minmax_element(changed.begin(), changed.end());
    emit dataChanged(index(*lo, lcCheck), index(*hi, lcCheck), {Qt::CheckStateRole});
    ChecksMayHaveChanged();
}

void TFileListModel::RemoveRows(const std::vector<int> &rows)
{
    std::vector<int> gone = m_list.RemovableRows(rows);
    // Scattered rows would make one removal each; past a few hundred, the views start afresh.
    int runs = 0;
    for (size_t i = 0; i < gone.size(); ++i)
        runs += i == 0 || gone[i] != gone[i - 1] + 1;
    if (runs > 256) {
        beginResetModel();
        m_list.RemoveAt(gone);
        endResetModel();
        ChecksMayHaveChanged();
        return;
    }
    while (!gone.empty()) {
        const int last = gone.back();
        int first = last;
        while (!gone.empty() && gone.back() == first) {
            gone.pop_back();
            --first;
        }
        ++first;
        beginRemoveRows({}, first, last);
        std::vector<int> range(size_t(last - first + 1));
        std::iota(range.begin(), range.end(), first);
        m_list.RemoveAt(range);
        endRemoveRows();
    }
    ChecksMayHaveChanged();
}

void TFileListModel::NoteOutcome(TRunRows::RowId row, TRowOutcome outcome, const QString &outputPath,
                                 const QString &message)
{
    if (!m_list.NoteOutcome(row, outcome, RowOutcomeText(outcome, outputPath, message)))
        return;
    const int r = m_list.IndexOf(row);
    emit dataChanged(index(r, 0), index(r, columnCount() - 1), {Qt::ToolTipRole, Qt::DecorationRole});
}

void TFileListModel::TakeRunReport(const TRunReport &report)
{
    m_list.TakeRunReport(report);
    if (m_list.Count() > 0)
        emit dataChanged(index(0, 0), index(m_list.Count() - 1, columnCount() - 1));
    ChecksMayHaveChanged();
}

void TFileListModel::FollowUndo(const QList<QPair<QString, QString>> &movedBack)
{
    const std::vector<int> changed = m_list.FollowUndo(movedBack);
    if (!changed.empty())
        emit dataChanged(index(changed.front(), 0), index(changed.back(), columnCount() - 1));
}

void TFileListModel::ChecksMayHaveChanged()
{
    const Qt::CheckState state = m_list.ChecksState();
    if (state == m_headerState)
        return;
    m_headerState = state;
    emit headerDataChanged(Qt::Horizontal, lcCheck, lcCheck);
}

void TFileListModel::SortByColumn(int tag, Qt::SortOrder order)
{
    if (m_list.Count() < 2)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> newRowOf = m_list.Sort(tag, order);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &i : before)
        after.append(index(newRowOf[size_t(i.row())], i.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
