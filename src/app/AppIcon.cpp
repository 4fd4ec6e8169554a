#include "AppIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon AppIcon()
{
    // Rendered here rather than by the SVG icon plug-in, which is loaded only if installed.
    QSvgRenderer svg(QStringLiteral(":/orvane.svg"));
    QIcon icon;
    if (!svg.isValid())
        return icon;
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QString AppDesktopId() { return QStringLiteral(ORVANE_APP_ID); }
