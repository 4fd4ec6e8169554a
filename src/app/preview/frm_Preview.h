#pragma once
// "Предпросмотр": what a run would do to each ticked book, worked out by the run itself without
// touching a file (its dry run, the plan orvane-cli run --dry-run prints), shown as it goes, with
// progress and a stop button. "Обработать" then closes it with mrRun, and the window runs the
// rows it showed (ShownRows), no others.

#include "ProgramDialog.h"
#include "run/RunReport.h"

#include <QElapsedTimer>
#include <QList>
#include <QSet>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class TPreviewModel;

class TfrmPreview : public TProgramDialog {
    Q_OBJECT
public:
    enum TModalResult { mrRun = 1, mrClose = 2 };

    TfrmPreview(QWidget *owner, const TRunRows &rows);

    // Works out the plan; returns when it is complete, stopped or ended by an error (which goes
    // on to the caller). Runs by itself once the dialog shows.
    void Plan();
    bool Planning() const { return m_planning; }
    // The rows the preview showed, for the run that "Обработать" starts.
    QSet<TRunRows::RowId> ShownRows() const { return m_shown; }
    // The rows the filter lets through now.
    int VisibleRows() const;

    TPreviewModel *Model;
    QLabel *lblSummary;
    QCheckBox *chkProblems;  // only the books the run would not place
    QTableView *lvPreview;
    QProgressBar *Progress;
    QPushButton *btnRun, *btnStop, *btnClose;

    void reject() override;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void RowPlanned(const TRowReport &row);
    // Rows reach the table in batches: one insertion per row would make ten thousand rows
    // crawl, each insertion costing the view a pass over all rows before it.
    void FlushRows();
    void ShowSummary();

    const TRunRows &m_rows;
    TPreviewModel *m_model;
    QSortFilterProxyModel *m_shownRows;
    QList<TRowReport> m_pending;
    QElapsedTimer m_sinceFlush;
    QSet<TRunRows::RowId> m_shown;
    bool m_planning = false;
    bool m_started = false;
    bool m_cancelled = false;
    QString m_error;
    int m_closeWith = 0;  // a close asked for while planning, carried out when it stops
    int m_counts[5] = {};  // by outcome
};
