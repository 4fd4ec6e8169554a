#include "About.h"
#include "AppErrors.h"
#include "BookInfoView.h"
#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "QtRussian.h"
#include "SizeSplitter.h"
#include "frm_Main.h"
#include "frm_Progress.h"
#include "frm_Qwery.h"
#include "globals/Errors.h"
#include "run/ProcessingRun.h"

#include "config/IniFile.h"
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;

private slots:
    void initTestCase() { m_folders.reset(new TGuiTestFolders); }

    void opensWithTitle()
    {
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Orvane"));
        w.close();
    }

    void toolButtonsInOrderWithHints()
    {
        TorvMain w;
        QStringList hints;
        for (QAction *a : w.pnToolBar->actions())
            if (auto *b = qobject_cast<QToolButton *>(w.pnToolBar->widgetForAction(a)))
                hints << b->toolTip();
        QCOMPARE(hints,
                 (QStringList{"Открыть папку", "Запустить обработку", "Информация о книге", "Очистить список файлов",
                              "Настройки", "Остановка обработки", "Справка"}));
        for (QToolButton *b : {w.btnOpenDir, w.btnRun, w.btnInfo, w.btnUpdate, w.btnSetting, w.btnCancel, w.btnHelp}) {
            QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
            QCOMPARE(b->size(), QSize(36, 36));
        }
    }

    // A button disabled during a run must look it, also when the theme's picture is grey to
    // begin with: its disabled picture has to be clearly fainter, not only greyed.
    void disabledToolButtonsLookFaded()
    {
        const auto opacity = [](const QPixmap &pixmap) {
            const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
            qint64 sum = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    sum += qAlpha(image.pixel(x, y));
            return sum;
        };
        TorvMain w;
        w.Buttons(false);
        for (QToolButton *b : {w.btnOpenDir, w.btnRun, w.btnInfo, w.btnUpdate, w.btnSetting, w.btnHelp}) {
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
            const qint64 normal = opacity(b->icon().pixmap(32, 32, QIcon::Normal));
            const qint64 disabled = opacity(b->icon().pixmap(32, 32, QIcon::Disabled));
            QVERIFY2(normal > 0, qPrintable(b->objectName()));
            QVERIFY2(disabled * 2 < normal, qPrintable(b->objectName()));
        }
    }

    // The query, the About box and the progress window open over the middle of the main window.
    void dialogsOpenCentredOnTheWindow_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("query") << "query";
        QTest::newRow("about") << "about";
        QTest::newRow("progress") << "progress";
    }

    void dialogsOpenCentredOnTheWindow()
    {
        QFETCH(QString, dialog);
        TorvMain w;
        w.resize(900, 700);
        w.move(40, 30);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QScopedPointer<QWidget> d;
        if (dialog == "query")
            d.reset(new TfrmQwery(&w));
        else if (dialog == "about")
            d.reset(new TfrmAbout(&w, QStringLiteral("1.2.3.4")));
        else
            d.reset(new TfrmProgress(&w));
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.data()));
        const QPoint offset = d->frameGeometry().center() - w.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("off by %1,%2").arg(offset.x()).arg(offset.y())));
    }

    void menus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");  // caption, or caption TAB shortcut
        QTest::newRow("Файл") << "mmFile"
                              << QStringList{"Открыть\tCtrl+O", "Открыть папку\tCtrl+D",
                                             "Открыть папку с подпапками\tCtrl+Shift+D", "-", "Выход\tAlt+F4"};
        QTest::newRow("Инструменты") << "mmTools"
                                     << QStringList{"Обработать\tF5",
                                                    "Предпросмотр\tShift+F5",
                                                    "Отменить последнюю обработку",
                                                    "-",
                                                    "Информация о книге\tCtrl+I",
                                                    "Выбрать всё/отменить выбор\tCtrl+A",
                                                    "Настройки"};
        QTest::newRow("?") << "mmResume" << QStringList{"Справка\tF1", "Проверить обновления", "О программе"};
        QTest::newRow("context menu") << "pmVST"
                                      << QStringList{"Информация о книге\tCtrl+I",
                                                     "Выбрать всё/оменить выбор\tCtrl+A",
                                                     "Удалить из списка\tDel",
                                                     "Обработать\tF5",
                                                     "Предпросмотр\tShift+F5",
                                                     "Настройки",
                                                     "-",
                                                     "Выход\tAlt+F4"};
    }

    void menus()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        TorvMain w;
        auto *m = w.findChild<QMenu *>(menu);
        QVERIFY(m);
        QStringList got;
        for (QAction *a : m->actions()) {
            if (a->isSeparator()) {
                got << "-";
                continue;
            }
            const QString key = a->shortcut().toString(QKeySequence::PortableText);
            got << (key.isEmpty() ? a->text() : a->text() + '\t' + key);
        }
        QCOMPARE(got, items);
    }

    void menuBarCaptions()
    {
        TorvMain w;
        QStringList captions;
        for (QAction *a : w.menuBar()->actions())
            captions << a->text();
        QCOMPARE(captions, (QStringList{"Файл", "Инструменты", "?"}));
    }

    void statusBarAndPanel()
    {
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.lblCount->text(), QStringLiteral("Файлов: "));
        QCOMPARE(w.lblCount->width(), 129);
        QVERIFY(w.wb->isVisible());
        QCOMPARE(w.Splitter->handleWidth(), 7);
        // The hot spot closes the panel and opens it again at the same width.
        const int width = w.Splitter->PanelWidth();
        QVERIFY(width > 0);
        w.Splitter->TogglePanel();
        QCOMPARE(w.Splitter->PanelWidth(), 0);
        w.Splitter->TogglePanel();
        QCOMPARE(w.Splitter->PanelWidth(), width);
    }

    // A small window keeps the list usable: the panel narrows, then folds away, and comes back
    // at the user's width when the window grows; the width kept in the settings stays the user's.
    void panelGivesWayInASmallWindow_data()
    {
        QTest::addColumn<int>("windowWidth");
        QTest::addColumn<bool>("panelShown");
        QTest::newRow("wide") << 1100 << true;
        QTest::newRow("panel narrowed") << 640 << true;
        QTest::newRow("panel folded") << 480 << false;
    }
    void panelGivesWayInASmallWindow()
    {
        QFETCH(int, windowWidth);
        QFETCH(bool, panelShown);
        TorvMain w;
        w.resize(1100, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Splitter->SetPanelWidth(320);
        w.resize(windowWidth, 480);
        QTRY_COMPARE(w.Splitter->width() <= windowWidth, true);
        QTRY_VERIFY(w.Splitter->sizes().constFirst() >= qMin(TSizeSplitter::kMinListWidth, w.Splitter->width() - 7));
        QCOMPARE(w.Splitter->PanelWidth() > 0, panelShown);
        if (panelShown)
            QVERIFY(w.Splitter->PanelWidth() >= TSizeSplitter::kMinPanelWidth);
        QCOMPARE(w.Splitter->WantedPanelWidth(), 320);
        w.resize(1100, 700);
        QTRY_COMPARE(w.Splitter->PanelWidth(), 320);
    }

    void errorBoxText_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("sentence gets a full stop") << "Unable to write to /x/config.ini"
                                                   << "Unable to write to /x/config.ini.";
        QTest::newRow("Cyrillic letter") << "Файл не найден"
                                         << "Файл не найден.";
        QTest::newRow("ends with full stop") << "Done."
                                             << "Done.";
        QTest::newRow("ends with space") << "Zip: error "
                                         << "Zip: error ";
        QTest::newRow("ends with comma") << "a,"
                                         << "a,";
        QTest::newRow("ends with hyphen") << "a -"
                                          << "a -";
        QTest::newRow("ends with bracket (lower code)") << "error (12)"
                                                        << "error (12)";
        QTest::newRow("ends with line break") << "line\r\n"
                                              << "line\r\n";
        QTest::newRow("slash is above the full stop") << "/tmp/"
                                                      << "/tmp/.";
        QTest::newRow("digit is above the full stop") << "line 1310"
                                                      << "line 1310.";
        QTest::newRow("empty stays empty") << ""
                                           << "";
    }

    void errorBoxText()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ErrorBoxText(message), shown);
    }

    // An error that escapes a command shows the box and ends only that command.
    void commandErrorShowsBoxAndGoesOn()
    {
        TorvMain w;
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        AnswerNextModal([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            box->accept();
        });
        bool after = false;
        const bool ok = RunCommand(&w, [&] {
            throw EOrvane(QStringLiteral("Zip: archive is damaged"));
            after = true;
        });
        QVERIFY(!ok);
        QVERIFY(!after);
        QCOMPARE(caption, QStringLiteral("Orvane"));
        QCOMPARE(text, QStringLiteral("Zip: archive is damaged."));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(RunCommand(&w, [] {}));
    }

    void queryDialogResults_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << "btnOK" << 1;
        QTest::newRow("Настроить") << "btnSets" << 4;
        QTest::newRow("Отмена") << "btnCancel" << 2;
        QTest::newRow("title bar close") << "" << 2;
    }

    void queryDialogResults()
    {
        QFETCH(QString, button);
        QFETCH(int, result);
        TorvMain w;
        TfrmQwery dlg(&w);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Вопрос"));
        QCOMPARE(dlg.chkValid->text(), QStringLiteral("Валидация"));
        QCOMPARE(dlg.chkPack->text(), QStringLiteral("Упаковка"));
        AnswerNextModal([&](QWidget *modal) {
            if (button.isEmpty())
                modal->close();
            else
                modal->findChild<QPushButton *>(button)->click();
        });
        QCOMPARE(dlg.exec(), result);
    }

    void queryDialogIgnoresEnterAndEscape()
    {
        TorvMain w;
        TfrmQwery dlg(&w);
        for (QPushButton *b : {dlg.btnOK, dlg.btnSets, dlg.btnCancel})
            QVERIFY(!b->isDefault() && !b->autoDefault());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QTest::keyClick(&dlg, Qt::Key_Return);
        QVERIFY(dlg.isVisible());
        dlg.btnCancel->click();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), 2);
    }

    // The error box's button and Qt's dialogs speak Russian.
    void qtSpeaksRussian()
    {
        QVERIFY(LoadQtRussian());
        QMessageBox box(QMessageBox::Question, "Orvane", "x", QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove('&'), QStringLiteral("Отмена"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Перейти к:"));
    }

    // The open dialogs speak Russian whatever the system's locale (the suite runs under
    // C.UTF-8): labels, buttons, column headers, file types and sizes.
    void openDialogsSpeakRussian()
    {
        QVERIFY(LoadQtRussian());
        const QString dir = m_folders->Path("russian/");
        QVERIFY(QDir().mkpath(dir + "Папка"));
        QFile book(dir + "book.fb2");
        QVERIFY(book.open(QIODevice::WriteOnly));
        book.write(QByteArray(1536, 'x'));
        book.close();
        TIniFile(m_folders->Config()).WriteString("USER", "LastDir", dir);
        TorvMain w;
        QStringList texts;
        AnswerNextModal([&](QWidget *m) {
            auto *dlg = qobject_cast<QFileDialog *>(m);
            QVERIFY(dlg);
            auto *view = dlg->findChild<QTreeView *>();
            QVERIFY(view);
            QTRY_VERIFY(view->model()->rowCount(view->rootIndex()) >= 2);
            for (QLabel *l : dlg->findChildren<QLabel *>())
                texts << l->text();
            for (QAbstractButton *b : dlg->findChildren<QAbstractButton *>())
                texts << b->text() << b->toolTip();
            QAbstractItemModel *model = view->model();
            for (int c = 0; c < model->columnCount(view->rootIndex()); ++c) {
                texts << model->headerData(c, Qt::Horizontal).toString();
                for (int r = 0; r < model->rowCount(view->rootIndex()); ++r)
                    texts << model->index(r, c, view->rootIndex()).data().toString();
            }
            static_cast<QDialog *>(dlg)->reject();
        });
        w.mmOpen->trigger();
        const QString all = texts.join(QLatin1Char('|'));
        for (const char *english : {"Look in", "File name", "Files of type", "Open", "Cancel", "Name", "Size", "Type",
                                    "Date Modified", "Folder", "KiB", "bytes", "File"})
            QVERIFY2(!all.contains(QLatin1String(english)), qPrintable(english + QStringLiteral(" in ") + all));
        QVERIFY2(all.contains(QStringLiteral("Имя")), qPrintable(all));
    }

    void progressWindowAndButtons()
    {
        TorvMain w;
        TfrmProgress p(&w);
        QVERIFY(p.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(p.btnCancel->text(), QStringLiteral("Отмена"));
        QCOMPARE(p.Progress->value(), 0);
        QCOMPARE(p.Progress->maximum(), 100);

        // Both Cancel buttons only set the flag, with or without a run.
        QObject::connect(&p, &TfrmProgress::CancelClicked, &w, [&] { w.btnCancelClick(); });
        p.btnCancel->click();
        QVERIFY(CancelRequested);
        CancelRequested = false;
        w.btnCancel->click();
        QVERIFY(CancelRequested);

        w.Buttons(false);
        for (QToolButton *b : {w.btnOpenDir, w.btnRun, w.btnInfo, w.btnUpdate, w.btnSetting, w.btnHelp})
            QVERIFY(!b->isEnabled());
        QVERIFY(w.btnCancel->isEnabled());
        QVERIFY(w.mmRun->isEnabled());
        w.Buttons(true);
        for (QToolButton *b : {w.btnOpenDir, w.btnRun, w.btnInfo, w.btnUpdate, w.btnSetting, w.btnHelp})
            QVERIFY(b->isEnabled());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
