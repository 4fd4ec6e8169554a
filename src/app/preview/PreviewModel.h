#pragma once
// The rows of a preview: each ticked book and what the run would do to it, in the words of a
// plan. The records are the run's own, from its dry run, so the table is the report's with the
// outcomes and details said of what is to come.

#include "RunReportModel.h"

class TPreviewModel : public TRunReportModel {
    Q_OBJECT
public:
    explicit TPreviewModel(QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};
