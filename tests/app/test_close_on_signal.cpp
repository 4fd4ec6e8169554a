// A termination signal (log-out, kill, Ctrl+C) closes the window as the user would: the settings
// are saved, the scratch folder goes, and an open modal dialog does not hold the close up.

#include "CloseOnSignal.h"
#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "frm_Main.h"

#include <QMessageBox>
#include <QtTest>
#include <csignal>

class TestCloseOnSignal : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;

private slots:
    void initTestCase() { CloseWindowsOnSignal(); }
    void init() { m_folders.reset(new TGuiTestFolders); }

    void signalClosesTheWindow_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("modal");
        QTest::newRow("SIGTERM") << int(SIGTERM) << false;
        QTest::newRow("SIGHUP") << int(SIGHUP) << false;
        QTest::newRow("SIGINT while a message box is open") << int(SIGINT) << true;
    }
    void signalClosesTheWindow()
    {
        QFETCH(int, signal);
        QFETCH(bool, modal);
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(QDir().mkpath(TempDir));
        if (modal) {
            AnswerNextModal([signal](QWidget *) { ::raise(signal); });
            QMessageBox::information(&w, QStringLiteral("Orvane"), QStringLiteral("открыт"));
        } else {
            ::raise(signal);
        }
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(QFile::exists(m_folders->Config()));
        QVERIFY(!QFileInfo::exists(TempDir));
    }
};

QTEST_MAIN(TestCloseOnSignal)
#include "test_close_on_signal.moc"
