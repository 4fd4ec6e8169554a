#include "SettingPage.h"

#include "ButtonEdit.h"
#include "Icons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kHeaderHeight = 25;
constexpr int kRowHeight = 27;
constexpr int kLabelWidth = 180;

QWidget *HeaderBand(const QString &name, QToolButton *help, QWidget *parent)
{
    auto *band = new QWidget(parent);
    band->setObjectName(QStringLiteral("pnHeader"));
    band->setFixedHeight(kHeaderHeight);
    band->setAttribute(Qt::WA_StyledBackground);
    band->setStyleSheet(QStringLiteral("#pnHeader { background-color: rgb(0, 112, 223); }"));
    auto *caption = new QLabel(QStringLiteral("  ") + name, band);
    caption->setObjectName(QStringLiteral("lblHeader"));
    QFont font = caption->font();
    font.setBold(true);
    font.setPointSize(12);
    caption->setFont(font);
    // The cream of the header's text.
    caption->setStyleSheet(QStringLiteral("color: rgb(255, 251, 240);"));
    auto *layout = new QHBoxLayout(band);
    layout->setContentsMargins(0, 0, 2, 0);
    layout->addWidget(caption, 1);
    layout->addWidget(help);
    return band;
}

}  // namespace

TSettingPage::TSettingPage(const QString &objectName, const QString &name, const QString &helpName, int helpContext,
                           QWidget *parent)
    : QWidget(parent), btnHelp(new QToolButton), HelpContext(helpContext)
{
    setObjectName(objectName);
    btnHelp->setObjectName(helpName);
    btnHelp->setIcon(CommandIcon(TCommandIcon::Help));
    btnHelp->setAutoRaise(true);
    btnHelp->setFixedSize(21, 21);
    btnHelp->setToolTip(QStringLiteral("Справка"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(HeaderBand(name, btnHelp, this));
    m_body = new QVBoxLayout;
    m_body->setContentsMargins(8, 6, 8, 6);
    m_body->setSpacing(4);
    layout->addLayout(m_body, 1);
}

QCheckBox *TSettingPage::CheckBox(const QString &objectName, const QString &caption, QWidget *parent)
{
    auto *chk = new QCheckBox(caption, parent);
    chk->setObjectName(objectName);
    connect(chk, &QCheckBox::toggled, this, &TSettingPage::Changed);
    return chk;
}

QLabel *TSettingPage::RowLabel(const QString &objectName, const QString &caption)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(objectName);
    return label;
}

TButtonedEdit *TSettingPage::ButtonedEdit(const QString &objectName)
{
    auto *edit = new TButtonedEdit(this);
    edit->setObjectName(objectName);
    connect(edit, &QLineEdit::textChanged, this, &TSettingPage::Changed);
    return edit;
}

void TSettingPage::AddRow(QWidget *left, QWidget *right)
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    m_rowLefts.append(left);
    int width = kLabelWidth;
    for (const QWidget *w : std::as_const(m_rowLefts))
        width = qMax(width, w->sizeHint().width());
    for (QWidget *w : std::as_const(m_rowLefts))
        w->setFixedWidth(width);
    row->addWidget(left);
    row->addWidget(right, 1);
    auto *holder = new QWidget(this);
    holder->setFixedHeight(kRowHeight);
    holder->setLayout(row);
    m_body->addWidget(holder);
}
