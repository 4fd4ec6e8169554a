#include "frm_Progress.h"

#include "CentreOnOwner.h"
#include "ElidedLabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TfrmProgress::TfrmProgress(QWidget *owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("Прогресс"));
    setModal(false);

    pnProgress = new QFrame(this);
    pnProgress->setObjectName(QStringLiteral("pnProgress"));
    pnProgress->setFrameShape(QFrame::Box);
    pnProgress->setFrameShadow(QFrame::Plain);

    lblCaption = new TElidedLabel(pnProgress);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));

    Progress = new QProgressBar(pnProgress);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setRange(0, 100);
    Progress->setValue(0);

    btnCancel = new QPushButton(QStringLiteral("Отмена"), pnProgress);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setFixedSize(75, 25);
    btnCancel->setAutoDefault(false);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmProgress::CancelClicked);

    auto *inner = new QVBoxLayout(pnProgress);
    inner->setContentsMargins(8, 8, 8, 8);
    inner->addWidget(lblCaption);
    inner->addWidget(Progress);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    inner->addLayout(buttons);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(pnProgress);

    resize(477, qMax(86, sizeHint().height()));
}

void TfrmProgress::showEvent(QShowEvent *e)
{
    CentreOnOwner(this);
    QDialog::showEvent(e);
}

void TfrmProgress::keyPressEvent(QKeyEvent *e)
{
    // Escape would hide the window in the middle of a run; stopping is the button's job.
    if (e->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(e);
}
