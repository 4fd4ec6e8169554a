#include "CentreOnOwner.h"

#include <QWidget>

void CentreOnOwner(QWidget *dialog)
{
    const QWidget *owner = dialog->parentWidget();
    if (!owner)
        return;
    const QRect ownerFrame = owner->window()->frameGeometry();
    const QSize size = dialog->frameGeometry().size();
    dialog->move(ownerFrame.center() - QPoint(size.width() / 2, size.height() / 2));
}
