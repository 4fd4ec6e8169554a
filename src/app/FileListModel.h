#pragma once
// The rows of the file list: one TListEntry record and one check state per row, nothing else.
// Kept in a plain vector so that a list of 100,000 books adds, checks, sorts and clears at once.

#include "list/ListEntry.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <vector>

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
    // Stable sort by the column with this tag (ascending or descending).
    void SortByColumn(int tag, Qt::SortOrder order);

    const TListEntry &Entry(int row) const { return m_rows[size_t(row)].Entry; }
    Qt::CheckState CheckState(int row) const { return m_rows[size_t(row)].Check; }
    // The number of rows in the checked state, kept up to date on every change.
    int CheckedCount() const { return m_checked; }

    // A row keeps its id through sorting; ids of removed rows are never given again.
    quint64 RowId(int row) const { return m_rows[size_t(row)].Id; }
    // The row that holds this id now, or -1 when it was removed.
    int RowOfId(quint64 id) const;

    void SetFileIcon(const QIcon &icon) { m_fileIcon = icon; }

private:
    struct TRow {
        TListEntry Entry;
        Qt::CheckState Check = Qt::Unchecked;
        quint64 Id = 0;
    };
    std::vector<TRow> m_rows;
    int m_checked = 0;
    quint64 m_nextId = 1;
    QIcon m_fileIcon;
    mutable QHash<quint64, int> m_rowOfId;
    mutable bool m_rowOfIdValid = true;
};
