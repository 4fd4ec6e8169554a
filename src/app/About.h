#pragma once
// The About box: program name, version, the support panel and the web site.

#include <QDialog>

class QLabel;
class QFrame;
class QPushButton;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    TfrmAbout(QWidget *owner, const QString &version);

    QLabel *lblProgram;
    QLabel *Version;
    QFrame *pnPay;
    QLabel *lblCaps;
    QLabel *lblYaCash;
    QLabel *lblLine;
    QLabel *lblURL;
    QPushButton *OKButton;

    void lblYaCashClick();
    void lblURLClick();

protected:
    void showEvent(QShowEvent *e) override;
};
