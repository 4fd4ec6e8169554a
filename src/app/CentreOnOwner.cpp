#include "CentreOnOwner.h"

#include <QScreen>
#include <QWidget>

void CentreOnOwner(QWidget *dialog)
{
    const QWidget *owner = dialog->parentWidget();
    if (!owner)
        return;
    const QRect ownerFrame = owner->window()->frameGeometry();
    const QSize size = dialog->frameGeometry().size();
    QPoint at = ownerFrame.center() - QPoint(size.width() / 2, size.height() / 2);
    // A dialog wider than a window near the screen's edge would open partly off the screen.
    if (const QScreen *screen = owner->window()->screen()) {
        const QRect room = screen->availableGeometry();
        at.setX(qMax(room.left(), qMin(at.x(), room.right() + 1 - size.width())));
        at.setY(qMax(room.top(), qMin(at.y(), room.bottom() + 1 - size.height())));
    }
    dialog->move(at);
}
