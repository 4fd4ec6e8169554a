#include "preview/PreviewModel.h"

TPreviewModel::TPreviewModel(QObject *parent) : TRunReportModel(TRunReport(), parent) {}

QVariant TPreviewModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole && index.isValid() && index.row() < rowCount()) {
        const TRowReport &r = Report().Rows[index.row()];
        if (index.column() == colOutcome)
            return PlanOutcomeName(r.Outcome);
        if (index.column() == colDetail)
            return PlanRowDetail(r);
    }
    return TRunReportModel::data(index, role);
}

QVariant TPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == colDetail)
        return QStringLiteral("Куда будет помещена или почему нет");
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == colOutcome)
        return QStringLiteral("Что будет");
    return TRunReportModel::headerData(section, orientation, role);
}
