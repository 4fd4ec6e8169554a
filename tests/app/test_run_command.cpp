// The run command through the window: the query dialog's answers, a run with its progress,
// the Cancel buttons, a close during a run and a second run refused.

#include "ElidedLabel.h"
#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "config/IniFile.h"
#include "frm_Main.h"
#include "frm_Progress.h"
#include "frm_Qwery.h"
#include "frm_Report.h"
#include "list/ListOrder.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

namespace {

// moc reads raw string literals as code, so the book is written line by line.
const char kBook[] =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<FictionBook xmlns='http://www.gribuser.ru/xml/fictionbook/2.0' xmlns:l='http://www.w3.org/1999/xlink'>\n"
    "<description>\n"
    "<title-info>\n"
    "<genre>prose_contemporary</genre>\n"
    "<author><first-name>Антон</first-name><last-name>Чехов</last-name></author>\n"
    "<book-title>%1</book-title>\n"
    "<lang>ru</lang>\n"
    "</title-info>\n"
    "<document-info>\n"
    "<author><nickname>maker</nickname></author>\n"
    "<date value='2024-05-01'>1 мая 2024</date>\n"
    "<id>%1</id>\n"
    "<version>1.0</version>\n"
    "</document-info>\n"
    "</description>\n"
    "<body><section><p>Текст.</p></section></body>\n"
    "</FictionBook>\n";

QByteArray ValidBook(const QString &title) { return QString::fromUtf8(kBook).arg(title).toUtf8(); }

}  // namespace

class TestRunCommand : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;
    QScopedPointer<TErrorBoxWatch> m_errors;
    QString m_books, m_end;

    // Three ticked loose books in the list; the settings move them to m_end under their names.
    void Fill(TorvMain &w, int count = 3)
    {
        QList<TListEntry> rows;
        for (int i = 1; i <= count; ++i) {
            const QString name = QStringLiteral("book%1.fb2").arg(i);
            QFile f(m_books + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(ValidBook(QStringLiteral("Книга %1").arg(i)));
            TListEntry e;
            e.FileName = name;
            e.FileDir = m_books;
            e.FileSize = f.size();
            rows << e;
        }
        w.Model->AppendEntries(rows);
        w.SelectAll();
    }

    QStringList Placed() const { return QDir(m_end).entryList(QDir::Files, QDir::Name); }

    // Starts the run command and answers its query with OK.
    static void RunWithOk(TorvMain &w)
    {
        AnswerNextModal([](QWidget *m) { m->findChild<QPushButton *>("btnOK")->click(); });
        w.mmRun->trigger();
    }

private slots:
    void initTestCase()
    {
        // The main window is never shown here, so the progress window is the last window and
        // hiding it would quit the application, and with it the event loop of any box that follows.
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void init()
    {
        m_folders.reset(new TGuiTestFolders);
        m_books = m_folders->Path("books/");
        m_end = m_folders->Path("end/");
        QVERIFY(QDir().mkpath(m_books));
        const TIniFile ini(m_folders->Config());
        ini.WriteString("AUTO", "EndDir", m_end);
        ini.WriteString("AUTO", "BadDir", m_folders->Path("bad/"));
        UpdateSetting();
        m_errors.reset(new TErrorBoxWatch);
    }

    void cleanup()
    {
        if (m_errors)
            QCOMPARE(m_errors->Texts(), QStringList());
        m_errors.reset();
    }

    void okStoresTheSwitchesAndRuns()
    {
        TorvMain w;
        Fill(w, 1);
        AnswerNextModal([](QWidget *m) {
            auto *q = qobject_cast<TfrmQwery *>(m);
            QVERIFY(q);
            QVERIFY(q->chkRename->isChecked() && q->chkSort->isChecked());  // the defaults
            q->chkRename->setChecked(false);
            q->chkSort->setChecked(false);
            q->btnOK->click();
        });
        w.mmRun->trigger();
        const TIniFile ini(m_folders->Config());
        QCOMPARE(ini.ReadString("AUTO", "Rename", "?"), QStringLiteral("0"));
        QCOMPARE(ini.ReadString("AUTO", "Sort", "?"), QStringLiteral("0"));
        QCOMPARE(ini.ReadString("AUTO", "Valid", "?"), QStringLiteral("1"));
        QVERIFY(!AppSettings.Sort);
        QCOMPARE(Placed(), QStringList{"book1.fb2"});
        QVERIFY(!QFile::exists(m_books + "book1.fb2"));
        QCOMPARE(w.lblCurrentFile->toolTip(), m_books + "book1.fb2");
        QCOMPARE(w.windowTitle(), QStringLiteral("Orvane"));
        QVERIFY(w.btnRun->isEnabled());
        QVERIFY(!w.findChild<TfrmProgress *>());
    }

    void otherAnswersStartNoRun_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Настроить") << "btnSets";
        QTest::newRow("Отмена") << "btnCancel";
    }

    void otherAnswersStartNoRun()
    {
        QFETCH(QString, button);
        TorvMain w;
        Fill(w, 1);
        AnswerNextModal([&](QWidget *m) {
            auto *q = qobject_cast<TfrmQwery *>(m);
            QVERIFY(q);
            q->chkPack->setChecked(true);
            // "Настроить" leads on to the settings; answer whatever comes next.
            if (button == QLatin1String("btnSets"))
                AnswerNextModal([q](QWidget *next) {
                    if (next != q)
                        next->close();
                });
            q->findChild<QPushButton *>(button)->click();
        });
        w.mmRun->trigger();
        QVERIFY(TIniFile(m_folders->Config()).ReadString("AUTO", "Archive", "absent") == "absent");
        QVERIFY(Placed().isEmpty());
        QVERIFY(QFile::exists(m_books + "book1.fb2"));
    }

    void progressGoesByTickedRowsAndEndsClean()
    {
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Rename", false);
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Sort", false);
        TorvMain w;
        Fill(w, 4);
        w.Model->setData(w.Model->index(1, 0), int(Qt::Unchecked), Qt::CheckStateRole);
        QStringList titles;
        QList<int> bars;
        bool disabledDuringRun = true;
        connect(&w, &QWidget::windowTitleChanged, &w, [&](const QString &t) {
            titles << t;
            if (auto *p = w.findChild<TfrmProgress *>(); p && p->isVisible()) {
                bars << p->Progress->value();
                disabledDuringRun = disabledDuringRun && !w.btnRun->isEnabled() && !w.btnHelp->isEnabled()
                    && w.btnCancel->isEnabled() && w.mmOpen->isEnabled();
            }
        });
        RunWithOk(w);
        QCOMPARE(titles, (QStringList{"0% - Orvane", "33% - Orvane", "66% - Orvane", "100% - Orvane", "Orvane"}));
        QCOMPARE(bars, (QList<int>{0, 33, 66, 100}));
        QVERIFY(disabledDuringRun);
        QCOMPARE(Placed(), (QStringList{"book1.fb2", "book3.fb2", "book4.fb2"}));
        QVERIFY(QFile::exists(m_books + "book2.fb2"));
        QVERIFY(w.btnRun->isEnabled());
    }

    void cancelStopsAtTheNextRow_data()
    {
        QTest::addColumn<bool>("fromProgressWindow");
        QTest::newRow("progress window's Отмена") << true;
        QTest::newRow("tool bar's stop button") << false;
    }

    void cancelStopsAtTheNextRow()
    {
        QFETCH(bool, fromProgressWindow);
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Rename", false);
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Sort", false);
        TorvMain w;
        Fill(w, 3);
        const auto click = connect(&w, &QWidget::windowTitleChanged, &w, [&](const QString &t) {
            if (t != QStringLiteral("33% - Orvane"))
                return;
            if (fromProgressWindow)
                w.findChild<TfrmProgress *>()->btnCancel->click();
            else
                w.btnCancel->click();
        });
        RunWithOk(w);
        QCOMPARE(Placed(), QStringList{"book1.fb2"});
        QVERIFY(QFile::exists(m_books + "book2.fb2") && QFile::exists(m_books + "book3.fb2"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Orvane"));
        QVERIFY(w.btnRun->isEnabled());

        // The next run is not affected by the earlier click.
        disconnect(click);
        w.Model->setData(w.Model->index(0, 0), int(Qt::Unchecked), Qt::CheckStateRole);
        RunWithOk(w);
        QCOMPARE(Placed(), (QStringList{"book1.fb2", "book2.fb2", "book3.fb2"}));
    }

    // The list stays in use while a run hands control to the window: what the user changes after
    // the first of four ticked books decides what the run does next, and the view hears of every
    // change in the way the model promised.
    void listChangedDuringARun_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("placed");
        QTest::newRow("a later row unticked") << "untick" << QStringList{"book1.fb2", "book2.fb2", "book4.fb2"};
        QTest::newRow("sorted backwards: nothing follows") << "sort" << QStringList{"book1.fb2"};
        QTest::newRow("sorted back again")
            << "sort twice" << QStringList{"book1.fb2", "book2.fb2", "book3.fb2", "book4.fb2"};
        QTest::newRow("every row unticked") << "untick all" << QStringList{"book1.fb2"};
        QTest::newRow("cleared") << "clear" << QStringList{"book1.fb2"};
        // Delete on every row: only the rows the run has passed go; the row in hand stays, or
        // the walk would lose its way.
        QTest::newRow("every row deleted")
            << "delete" << QStringList{"book1.fb2", "book2.fb2", "book3.fb2", "book4.fb2"};
    }

    void listChangedDuringARun()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, placed);
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Rename", false);
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Sort", false);
        TorvMain w;
        QAbstractItemModelTester tester(w.Model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        Fill(w, 4);
        w.VST->selectRow(2);
        bool changed = false;
        connect(&w, &QWidget::windowTitleChanged, &w, [&](const QString &t) {
            // Delete waits for the second book, so that one row lies behind the run.
            const QString at =
                change == QLatin1String("delete") ? QStringLiteral("50% - Orvane") : QStringLiteral("25% - Orvane");
            if (changed || t != at)
                return;
            changed = true;
            if (change == QLatin1String("untick"))
                w.Model->setData(w.Model->index(2, 0), int(Qt::Unchecked), Qt::CheckStateRole);
            else if (change == QLatin1String("sort"))
                w.VSTHeaderClick(lcFileName);
            else if (change == QLatin1String("sort twice")) {
                w.VSTHeaderClick(lcFileName);
                w.VSTHeaderClick(lcFileName);
            } else if (change == QLatin1String("untick all"))
                w.VSTHeaderClick(lcCheck);
            else if (change == QLatin1String("clear"))
                w.ClearList();
            else if (change == QLatin1String("delete")) {
                w.VST->selectAll();
                QTest::keyClick(w.VST, Qt::Key_Delete);
            }
        });
        RunWithOk(w);
        QVERIFY(changed);
        if (change == QLatin1String("delete"))
            QCOMPARE(w.Model->rowCount(), 3);
        QCOMPARE(Placed(), placed);
        QCOMPARE(w.windowTitle(), QStringLiteral("Orvane"));
    }

    // After a run each row it handled tells what became of it in its tooltip; a row it did not
    // reach tells nothing more than where the book is.
    void rowTooltipsTellTheOutcome()
    {
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Rename", false);
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Sort", false);
        QVERIFY(QDir().mkpath(m_folders->Path("bad/")));
        TorvMain w;
        Fill(w, 1);
        QFile bad(m_books + "bad.fb2");
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("<?xml version='1.0'?><FictionBook xmlns='http://www.gribuser.ru/xml/fictionbook/2.0'/>");
        bad.close();
        TListEntry e;
        e.FileName = "bad.fb2";
        e.FileDir = m_books;
        TListEntry skipped = e;
        skipped.FileName = "skipped.fb2";
        w.Model->AppendEntries({e, skipped});
        w.Model->setData(w.Model->index(1, 0), int(Qt::Checked), Qt::CheckStateRole);
        const auto tip = [&](int row, int column) {
            return w.Model->index(row, column).data(Qt::ToolTipRole).toString();
        };
        QCOMPARE(tip(0, 1), m_books + "book1.fb2\nРазмер: " + tip(0, 1).section("Размер: ", 1));
        QStringList boxes;
        TShowWatch watch([&](QWidget *shown) {
            if (auto *box = qobject_cast<QMessageBox *>(shown)) {
                boxes << box->text();
                QTimer::singleShot(0, box, &QMessageBox::accept);
            }
        });
        RunWithOk(w);
        QCOMPARE(boxes.join("|"), QString());
        QCOMPARE(Placed(), QStringList{"book1.fb2"});
        QVERIFY2(tip(0, 1).endsWith("\nРазмещена: " + m_end + "book1.fb2"), qPrintable(tip(0, 1)));
        QVERIFY2(tip(1, 2).contains("\nНе прошла проверку:\nКод ошибки "), qPrintable(tip(1, 2)));
        QCOMPARE(tip(2, 1), m_books + "skipped.fb2\nРазмер: 0 байт");
    }

    // Two books that come to the same name: the second stays where it was, and the report that
    // comes once the run is over and the tool bar is back says so and why.
    void booksNotPlacedAreReportedAfterTheRun()
    {
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Sort", false);
        TorvMain w;
        QList<TListEntry> rows;
        for (const QString name : {"one.fb2", "two.fb2"}) {
            QFile f(m_books + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(ValidBook(QStringLiteral("Одна и та же")));
            TListEntry e;
            e.FileName = name;
            e.FileDir = m_books;
            rows << e;
        }
        w.Model->AppendEntries(rows);
        w.SelectAll();
        QStringList boxes;
        bool toolBarBack = false;
        TShowWatch watch([&](QWidget *shown) {
            if (auto *box = qobject_cast<QMessageBox *>(shown)) {
                boxes << box->text();
                QTimer::singleShot(0, box, &QMessageBox::accept);
            }
            if (qobject_cast<TfrmReport *>(shown))
                toolBarBack = w.btnRun->isEnabled() && !w.findChild<TfrmProgress *>();
        });
        RunWithOk(w);
        QCOMPARE(boxes, QStringList());
        auto *report = w.findChild<TfrmReport *>();
        QVERIFY(report && report->isVisible());
        QVERIFY(toolBarBack);
        QVERIFY2(report->lblSummary->text().endsWith(
                     "Размещено: 1, не прошли проверку: 0, не размещено: 1, ошибок: 0, не обработано: 0."),
                 qPrintable(report->lblSummary->text()));
        const QAbstractItemModel *shown = report->lvReport->model();
        QCOMPARE(shown->index(1, 1).data().toString(), QStringLiteral("Не размещена"));
        QVERIFY2(shown->index(1, 2).data().toString().startsWith(QStringLiteral("Файл не перемещён в \"") + m_end),
                 qPrintable(shown->index(1, 2).data().toString()));
        QCOMPARE(Placed().size(), 1);
        QCOMPARE(QDir(m_books).entryList(QDir::Files).size(), 1);
    }

    // After a run its rows are unticked, show their outcome and point at the books' new place;
    // F5 then says that nothing is ticked, and a second run over the rows ticked again finds the
    // books placed, not left where they were.
    void rowsAfterARunAndASecondRun()
    {
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Rename", false);
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Sort", false);
        TorvMain w;
        Fill(w, 2);
        const QVariant fileIcon = w.Model->index(0, 1).data(Qt::DecorationRole);
        QStringList boxes;
        TShowWatch watch([&](QWidget *shown) {
            if (auto *box = qobject_cast<QMessageBox *>(shown)) {
                boxes << box->text();
                QTimer::singleShot(0, box, &QMessageBox::accept);
            }
        });
        RunWithOk(w);
        QCOMPARE(Placed(), (QStringList{"book1.fb2", "book2.fb2"}));
        QCOMPARE(w.CheckCount(), 0);
        QCOMPARE(Qt::CheckState(w.Model->headerData(0, Qt::Horizontal, Qt::CheckStateRole).toInt()), Qt::Unchecked);
        for (int r = 0; r < 2; ++r) {
            QCOMPARE(w.Model->Entry(r).FileDir, m_end);
            QVERIFY(w.Model->index(r, 1).data(Qt::DecorationRole) != fileIcon);
            QVERIFY(w.Model->index(r, 1).data(Qt::ToolTipRole).toString().startsWith(m_end));
        }
        QCOMPARE(boxes, QStringList());

        RunWithOk(w);
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].startsWith(QStringLiteral("Не отмечено ни одной книги.")), qPrintable(boxes[0]));
        boxes.clear();

        w.SelectAll();
        RunWithOk(w);
        QCOMPARE(boxes, QStringList());
        auto *report = w.findChild<TfrmReport *>();
        QVERIFY(report);
        QVERIFY2(report->lblSummary->text().endsWith(
                     "Размещено: 2, не прошли проверку: 0, не размещено: 0, ошибок: 0, не обработано: 0."),
                 qPrintable(report->lblSummary->text()));
        QCOMPARE(Placed(), (QStringList{"book1.fb2", "book2.fb2"}));
    }

    // A cancelled run ends with its report too, the rows it did not reach still ticked.
    void cancelledRunIsReported()
    {
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Rename", false);
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Sort", false);
        TorvMain w;
        Fill(w, 3);
        connect(&w, &QWidget::windowTitleChanged, &w, [&](const QString &t) {
            if (t == QStringLiteral("33% - Orvane"))
                w.btnCancel->click();
        });
        RunWithOk(w);
        auto *report = w.findChild<TfrmReport *>();
        QVERIFY(report && report->isVisible());
        QVERIFY2(report->lblSummary->text().startsWith(QStringLiteral("Обработка прервана.\nРазмещено: 1, ")),
                 qPrintable(report->lblSummary->text()));
        QCOMPARE(report->ShownRows(), 3);
        QCOMPARE(w.CheckCount(), 2);
        QCOMPARE(w.Model->CheckState(0), Qt::Unchecked);
        QCOMPARE(w.Model->Entry(0).FileDir, m_end);
        QCOMPARE(w.Model->List().At(1).Outcome, TRowOutcome::NotReached);
    }

    void secondRunIsRefusedWhileOneGoes()
    {
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Rename", false);
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Sort", false);
        TorvMain w;
        Fill(w, 2);
        connect(&w, &QWidget::windowTitleChanged, &w, [&](const QString &t) {
            if (t == QStringLiteral("50% - Orvane"))
                w.mmRun->trigger();  // no query dialog: the error box says why
        });
        RunWithOk(w);
        QCOMPARE(m_errors->Texts(), QStringList{"Обработка уже выполняется."});
        m_errors->Clear();
        QCOMPARE(Placed(), (QStringList{"book1.fb2", "book2.fb2"}));
    }

    void closingDuringARunCancelsThenCloses()
    {
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Rename", false);
        TIniFile(m_folders->Config()).WriteBool("AUTO", "Sort", false);
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Fill(w, 3);
        connect(&w, &QWidget::windowTitleChanged, &w, [&](const QString &t) {
            if (t == QStringLiteral("33% - Orvane"))
                w.close();
        });
        RunWithOk(w);
        QVERIFY(w.isVisible());  // still in the run's cleanup
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(Placed(), QStringList{"book1.fb2"});
        QVERIFY(QFile::exists(m_folders->Config()));
        QCOMPARE(TIniFile(m_folders->Config()).ReadInteger("FORM", "WinState", -1), 1);
        QVERIFY(!QFileInfo::exists(TempDir));
    }
};

QTEST_MAIN(TestRunCommand)
#include "test_run_command.moc"
