#include "RunReportModel.h"

#include "Icons.h"

TRunReportModel::TRunReportModel(TRunReport report, QObject *parent)
    : QAbstractTableModel(parent), m_report(std::move(report))
{}

void TRunReportModel::AppendRows(const QList<TRowReport> &rows)
{
    if (rows.isEmpty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    m_report.Rows.append(rows);
    endInsertRows();
}

int TRunReportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_report.Rows.size());
}

int TRunReportModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TRunReportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TRowReport &r = m_report.Rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case colBook: return RowSource(r.Entry);
        case colOutcome: return OutcomeName(r.Outcome);
        case colDetail: return RowReportDetail(r);
        }
        break;
    case Qt::ToolTipRole:
        // The whole text, which the one-line detail may cut short (the validator's four lines).
        if (index.column() == colDetail && r.Outcome != TRowOutcome::Placed && !r.Message.isEmpty())
            return r.Message.trimmed();
        return data(index, Qt::DisplayRole);
    case Qt::DecorationRole:
        if (index.column() == colOutcome)
            return OutcomeIcon(r.Outcome);
        break;
    case OutcomeRole: return int(r.Outcome);
    }
    return {};
}

QVariant TRunReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case colBook: return QStringLiteral("Книга");
    case colOutcome: return QStringLiteral("Итог");
    case colDetail: return QStringLiteral("Куда помещена или почему нет");
    }
    return {};
}
