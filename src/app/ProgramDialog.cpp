#include "ProgramDialog.h"

#include "CentreOnOwner.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

void TProgramDialog::reject() { done(2); }

void TProgramDialog::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter: e->accept(); return;
    default: QDialog::keyPressEvent(e);
    }
}

void TProgramDialog::showEvent(QShowEvent *e)
{
    CentreOnOwner(this);
    QDialog::showEvent(e);
}

QPushButton *DialogButton(const QString &caption, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFixedSize(75, 25);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QWidget *ButtonPanel(QWidget *dialog, std::initializer_list<QPushButton *> left, QPushButton *right)
{
    auto *panel = new QWidget(dialog);
    panel->setObjectName(QStringLiteral("pnButtons"));
    auto *bevel = new QFrame(panel);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 4, 4, 4);
    for (QPushButton *b : left)
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(right);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bevel);
    layout->addLayout(buttons);
    panel->setFixedHeight(33 + bevel->sizeHint().height());
    return panel;
}
