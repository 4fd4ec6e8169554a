#include "ButtonEdit.h"

#include <QStyle>
#include <QToolButton>

namespace {
constexpr int kButtonWidth = 15;
}

TButtonedEdit::TButtonedEdit(QWidget *parent) : QLineEdit(parent), m_button(new QToolButton(this))
{
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setAutoRaise(true);
    m_button->setText(QStringLiteral("…"));
    setTextMargins(0, 0, kButtonWidth + 1, 0);
    connect(m_button, &QToolButton::clicked, this, &TButtonedEdit::RightButtonClick);
}

void TButtonedEdit::resizeEvent(QResizeEvent *e)
{
    QLineEdit::resizeEvent(e);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    m_button->setGeometry(width() - frame - kButtonWidth, frame, kButtonWidth, height() - 2 * frame);
}
