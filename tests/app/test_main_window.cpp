#include "frm_Main.h"

#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void opensWithTitle()
    {
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Orvane"));
        w.close();
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
