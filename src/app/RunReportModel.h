#pragma once
// The rows of a run's report as a table: the book, what became of it, and where it went or why
// not. A copy of the run's records, so the report outlives the list rows it tells of.

#include "run/RunReport.h"

#include <QAbstractTableModel>

class TRunReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { colBook, colOutcome, colDetail, ColumnCount };
    // The outcome as a number, for the filter and for sorting by outcome.
    static constexpr int OutcomeRole = Qt::UserRole + 1;

    explicit TRunReportModel(TRunReport report, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const TRunReport &Report() const { return m_report; }
    // Rows that come after the model was made (a preview's, as its plan goes), in one insertion.
    void AppendRows(const QList<TRowReport> &rows);

private:
    TRunReport m_report;
};
