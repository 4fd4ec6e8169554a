// The window's own sections of config.ini: what a close writes and what the next start makes of
// it, and the scratch folder going with the close.

#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "SizeSplitter.h"
#include "config/IniFile.h"
#include "frm_Main.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QTableView>
#include <QtTest>

namespace {

int Read(const QString &config, const char *section, const char *key)
{
    return TIniFile(config).ReadInteger(QString::fromLatin1(section), QString::fromLatin1(key), -12345);
}

}  // namespace

class TestWindowSettings : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;

private slots:
    void init() { m_folders.reset(new TGuiTestFolders); }

    void firstStartWithoutConfig()
    {
        TorvMain w;
        QCOMPARE(w.size(), QSize(900, 700));
        QVERIFY(!w.isMaximized());
        QCOMPARE(w.VST->columnWidth(0), 24);
        QCOMPARE(w.VST->columnWidth(2), 80);
        QVERIFY(QFileInfo(WorkDir + "bad").isDir());
        QVERIFY(QFileInfo(WorkDir + "end").isDir());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.Splitter->PanelWidth(), 320);
        QVERIFY(!QFile::exists(m_folders->Config()));
    }

    void closeSavesAndNextStartRestores()
    {
        {
            TorvMain w;
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.resize(760, 520);
            w.Splitter->SetPanelWidth(250);
            w.VST->setColumnWidth(2, 95);
            QCoreApplication::processEvents();
            const int nameWidth = w.VST->columnWidth(1);
            QVERIFY(w.close());
            const QString ini = m_folders->Config();
            QCOMPARE(Read(ini, "FORM", "WinState"), 1);
            QCOMPARE(Read(ini, "FORM", "Width"), 760);
            QCOMPARE(Read(ini, "FORM", "Height"), 520);
            QCOMPARE(Read(ini, "USER", "SplitterA"), 250);
            QCOMPARE(Read(ini, "USER", "Column_3"), 95);
            QCOMPARE(Read(ini, "USER", "Column_2"), nameWidth);
        }
        TorvMain again;
        QCOMPARE(again.size(), QSize(760, 520));
        QCOMPARE(again.VST->columnWidth(2), 95);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.Splitter->PanelWidth(), 250);
    }

    void maximizedAndMinimizedKeepTheLastNormalSize_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("winState");  // -12345: not written
        QTest::newRow("maximized") << int(Qt::WindowMaximized) << 0;
        QTest::newRow("minimized") << int(Qt::WindowMinimized) << 7;
    }

    void maximizedAndMinimizedKeepTheLastNormalSize()
    {
        QFETCH(int, state);
        QFETCH(int, winState);
        const QString ini = m_folders->Config();
        TIniFile(ini).WriteInteger("FORM", "WinState", 7);
        TIniFile(ini).WriteInteger("FORM", "Width", 640);
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.setWindowState(Qt::WindowStates(state));
        QVERIFY(w.close());
        QCOMPARE(Read(ini, "FORM", "WinState"), winState);
        QCOMPARE(Read(ini, "FORM", "Width"), 640);
        QCOMPARE(Read(ini, "FORM", "Height"), -12345);
        QCOMPARE(Read(ini, "USER", "Column_3"), 80);  // the other section is written all the same
    }

    void startStates_data()
    {
        QTest::addColumn<int>("winState");
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<QSize>("size");
        QTest::newRow("0 opens maximized") << 0 << true << QSize();
        QTest::newRow("1 opens at the stored size") << 1 << false << QSize(700, 450);
        QTest::newRow("other values keep the design's size") << 5 << false << QSize(802, 564);
    }

    void startStates()
    {
        QFETCH(int, winState);
        QFETCH(bool, maximized);
        QFETCH(QSize, size);
        const TIniFile ini(m_folders->Config());
        ini.WriteInteger("FORM", "WinState", winState);
        ini.WriteInteger("FORM", "Width", 700);
        ini.WriteInteger("FORM", "Height", 450);
        TorvMain w;
        QCOMPARE(w.isMaximized(), maximized);
        if (size.isValid())
            QCOMPARE(w.size(), size);
    }

    void closeRemovesTheScratchFolder()
    {
        QVERIFY(QDir().mkpath(TempDir + "page/a"));
        QFile f(TempDir + "page/a/index.html");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.ExitApp();
        QVERIFY(!w.isVisible());
        QVERIFY(!QFileInfo::exists(TempDir));
    }

    // config.ini that can be neither read nor written: the user hears that the defaults are in
    // force once the window is up, the error box at closing, and the window still closes.
    void unwritableConfigIsReportedAndTheWindowCloses()
    {
        QVERIFY(QDir().mkpath(m_folders->Config()));  // a folder in the file's place
        QVERIFY(QDir().mkpath(TempDir));
        QString warning;
        AnswerNextModal([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            warning = box->text();
            box->accept();
        });
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(!warning.isEmpty());
        QVERIFY2(warning.startsWith(QStringLiteral("Настройки не прочитаны")) && warning.contains(m_folders->Config()),
                 qPrintable(warning));
        QString text;
        AnswerNextModal([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            text = box->text();
            box->accept();
        });
        QVERIFY(w.close());
        QCOMPARE(text, "Unable to write to " + m_folders->Config() + ".");
        QVERIFY(!QFileInfo::exists(TempDir));
    }
};

QTEST_MAIN(TestWindowSettings)
#include "test_window_settings.moc"
