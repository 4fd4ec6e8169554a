// The window's icon is drawn from the SVG built into the program, at the sizes desktops ask for.

#include "AppIcon.h"

#include <QImage>
#include <QtTest>

class TestAppIcon : public QObject {
    Q_OBJECT
private slots:
    void drawnAtEverySize()
    {
        const QIcon icon = AppIcon();
        QVERIFY(!icon.isNull());
        for (int side : {16, 48, 256}) {
            const QImage image = icon.pixmap(side, side).toImage();
            QCOMPARE(image.size(), QSize(side, side));
            // Drawn, not blank: the centre is opaque, the rounded corner transparent.
            QCOMPARE(qAlpha(image.pixel(side / 2, side / 2)), 255);
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        }
    }
};

QTEST_MAIN(TestAppIcon)
#include "test_app_icon.moc"
