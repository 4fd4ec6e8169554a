#pragma once
// The progress window of a run: the current path, the share of ticked rows done, "Отмена".

#include <QDialog>

class QFrame;
class QProgressBar;
class QPushButton;
class TElidedLabel;

class TfrmProgress : public QDialog {
    Q_OBJECT
public:
    explicit TfrmProgress(QWidget *owner);

    QFrame *pnProgress;
    TElidedLabel *lblCaption;
    QProgressBar *Progress;
    QPushButton *btnCancel;

signals:
    // Only asks the run to stop; the run sees it at its next row.
    void CancelClicked();

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};
