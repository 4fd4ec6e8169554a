// "Отменить последнюю обработку" in the window: the books go back, and the rows that followed
// them to their new places follow them back.

#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "RunFixtures.h"
#include "config/IniFile.h"
#include "frm_Main.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

using namespace RunFixtures;

class TestUndoWindow : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() { m_folders.reset(new TGuiTestFolders); }

    void rowsFollowTheBooksBack_data()
    {
        QTest::addColumn<bool>("pack");
        QTest::newRow("moved") << false;
        QTest::newRow("packed") << true;
    }
    void rowsFollowTheBooksBack()
    {
        QFETCH(bool, pack);
        const QString books = m_folders->Path("books/"), end = m_folders->Path("end/");
        const TIniFile ini(m_folders->Config());
        ini.WriteString("AUTO", "EndDir", end);
        ini.WriteString("AUTO", "BadDir", m_folders->Path("bad/"));
        ini.WriteBool("AUTO", "Archive", pack);
        UpdateSetting();
        TorvMain w;
        for (const QString name : {"one.fb2", "two.fb2"}) {
            PutFile(books + name, ValidBook("Чехов", "Антон", name));
            w.AddBook(books + name);
        }
        w.SelectAll();
        const auto paths = [&w] {
            QStringList out;
            for (int i = 0; i < w.Model->rowCount(); ++i)
                out << RowSource(w.Model->Entry(i));
            return out;
        };
        const QStringList before = paths();
        QStringList boxes;
        TShowWatch watch([&](QWidget *shown) {
            if (auto *box = qobject_cast<QMessageBox *>(shown)) {
                boxes << box->text().section(' ', 0, 1);
                QTimer::singleShot(0, box, [box] {
                    box->button(box->buttons().contains(box->button(QMessageBox::Yes)) ? QMessageBox::Yes
                                                                                       : QMessageBox::Ok)
                        ->click();
                });
            }
        });
        w.BookProcessing();
        QVERIFY(paths() != before);
        QVERIFY(!QFile::exists(books + "one.fb2"));

        w.mmUndo->trigger();
        QCOMPARE(boxes, (QStringList{"Отменить обработку", "Обработка отменена."}));
        QVERIFY(QFile::exists(books + "one.fb2") && QFile::exists(books + "two.fb2"));
        QCOMPARE(paths(), before);
        QVERIFY2(!w.Model->index(0, 1).data(Qt::ToolTipRole).toString().contains("Размещена"),
                 qPrintable(w.Model->index(0, 1).data(Qt::ToolTipRole).toString()));
    }
};

QTEST_MAIN(TestUndoWindow)
#include "test_undo_window.moc"
