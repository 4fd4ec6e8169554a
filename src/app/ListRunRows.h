#pragma once
// The file list as a run sees it: rows named by ids that survive sorting, check states read
// live, removed rows never yielded again.

#include "FileListModel.h"
#include "run/RunRows.h"

class TListRunRows : public TRunRows {
public:
    explicit TListRunRows(const TFileListModel &model) : m_model(model) {}

    RowId FirstRow() override;
    RowId NextRow(RowId row) override;
    bool IsChecked(RowId row) override;
    const TListEntry *Entry(RowId row) override;
    int CheckedCount() override { return m_model.CheckedCount(); }

private:
    const TFileListModel &m_model;
};
