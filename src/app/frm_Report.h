#pragma once
// The report after a run in the window: how many books came to each outcome, every ticked row
// with its outcome and its target or reason (filtered by outcome, sorted by any column), the
// output and bad-files folders one click away in the desktop's file manager, and the report
// saved as a text file in the lines of orvane-cli run --report. Not modal: the list stays at
// hand beside it.

#include "run/RunReport.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class TRunReportModel;

class TfrmReport : public QDialog {
    Q_OBJECT
public:
    TfrmReport(const TRunReport &report, QWidget *owner);

    QLabel *lblSummary;
    QComboBox *cbFilter;  // item data: -1 for all, else the outcome as a number
    QTableView *lvReport;
    QLabel *lblEndDir, *lblBadDir;
    QPushButton *btnOpenEndDir, *btnOpenBadDir, *btnSave, *btnClose;

    // The rows the filter lets through now.
    int ShownRows() const;
    // Opens the folder in the desktop's file manager.
    static void OpenFolder(const QString &folder);
    void SaveReport();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void FilterChanged();
    QString SummaryText() const;
    QWidget *FolderRow(const QString &caption, const QString &folder, QLabel *&label, QPushButton *&button);

    TRunReportModel *m_model;
    QSortFilterProxyModel *m_shown;
};
