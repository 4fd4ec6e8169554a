#pragma once
// The file list as the view shows it: a thin Qt model over the core's TBookList, which holds the
// rows, their check states and ids. Every change goes through here so the view hears of it.

#include "list/BookList.h"

#include <QAbstractTableModel>
#include <QIcon>

class TFileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TFileListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // Appends rows at the end, unchecked, in one insertion.
    void AppendEntries(const QList<TListEntry> &entries);
    // Removes every row with its record.
    void Clear();
    // Sets every row's check state without any per-row notification.
    void SetAllChecks(Qt::CheckState state);
    // Space: the lead row's box flips and the other rows take its new state.
    void ToggleChecks(const std::vector<int> &rows, int lead);
    // Removes the rows at these positions, each run of neighbours in one removal.
    void RemoveRows(const std::vector<int> &rows);
    // Keeps what a run did to a row, for its tooltip.
    void NoteOutcome(TRunRows::RowId row, TRowOutcome outcome, const QString &outputPath, const QString &message);
    // After a run: the rows it did show their outcome, are unticked and follow their books.
    void TakeRunReport(const TRunReport &report);
    // After an undo: the rows follow the books it put back.
    void FollowUndo(const QList<QPair<QString, QString>> &movedBack);
    // Stable sort by the column with this tag (ascending or descending).
    void SortByColumn(int tag, Qt::SortOrder order);

    // The rows, for the run and for reading.
    const TBookList &List() const { return m_list; }
    const TListEntry &Entry(int row) const { return m_list.At(row).Entry; }
    Qt::CheckState CheckState(int row) const { return m_list.At(row).Check; }
    int CheckedCount() const { return m_list.CheckedCount(); }
    quint64 RowId(int row) const { return m_list.At(row).Id; }
    int RowOfId(quint64 id) const { return m_list.IndexOf(id); }

    void SetFileIcon(const QIcon &icon) { m_fileIcon = icon; }

private:
    // The check column's header shows whether none, some or all rows are ticked.
    void ChecksMayHaveChanged();

    TBookList m_list;
    Qt::CheckState m_headerState = Qt::Unchecked;
    QIcon m_fileIcon;
};
