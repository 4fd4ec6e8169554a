#include "PatternEditor.h"

#include "ButtonEdit.h"
#include "Icons.h"

#include <QGridLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
int Units(const QList<TPatternEditor::TWordButton> &buttons)
{
    int units = 0;
    for (const auto &b : buttons)
        units += b.span;
    return units;
}
}  // namespace

TPatternEditor::TPatternEditor(QWidget *owner, const QString &objectName, const QString &caption,
                               const QString &editName, const QList<TWordButton> &rowA, const QList<TWordButton> &rowB,
                               QSize clientSize)
    : TProgramDialog(owner)
{
    setObjectName(objectName);
    setWindowTitle(caption);

    m_edit = new TButtonedEdit(this);
    m_edit->setObjectName(editName);
    m_edit->RightButton()->setIcon(CommandIcon(TCommandIcon::ClearText));
    m_edit->RightButton()->setText(QString());
    m_edit->RightButton()->setToolTip(QStringLiteral("Очистить"));

    const int units = qMax(Units(rowA), Units(rowB));
    pnAButton = ButtonRow("pnAButton", rowA, units);
    pnBButton = ButtonRow("pnBButton", rowB, units);

    btnOK = DialogButton(QStringLiteral("OK"), QStringLiteral("btnOK"), this);
    btnCancel = DialogButton(QStringLiteral("Отмена"), QStringLiteral("btnCancel"), this);
    connect(btnOK, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->setSpacing(4);
    layout->addWidget(m_edit);
    layout->addWidget(pnAButton);
    layout->addWidget(pnBButton);
    layout->addStretch(1);
    layout->addWidget(ButtonPanel(this, {btnOK}, btnCancel));

    // OK comes first in the tab order and has the focus when the editor opens.
    QWidget::setTabOrder(btnOK, m_edit);
    btnOK->setFocus();
    setFixedSize(clientSize);
}

QWidget *TPatternEditor::ButtonRow(const char *name, const QList<TWordButton> &buttons, int units)
{
    auto *row = new QWidget(this);
    row->setObjectName(QString::fromLatin1(name));
    auto *grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(3);
    for (int u = 0; u < units; ++u)
        grid->setColumnStretch(u, 1);
    int column = 0;
    for (const TWordButton &b : buttons) {
        auto *button = new QPushButton(b.caption, row);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setAutoDefault(false);
        button->setProperty("tag", m_words.size());
        connect(button, &QPushButton::clicked, this, [this, tag = int(m_words.size())] { WordClicked(tag); });
        m_words << b.word;
        grid->addWidget(button, 0, column, 1, b.span);
        column += b.span;
    }
    return row;
}
