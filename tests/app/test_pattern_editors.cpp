// The two pattern editors: where a word button puts its word, the clear buttons, and what the
// settings dialog gets back on OK, "Отмена" and the close box.

#include "ButtonEdit.h"
#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "frm_Name.h"
#include "frm_Setting.h"
#include "frm_Sort.h"
#include "settings/TabPattern.h"

#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

void Click(QDialog &dlg, const QString &button)
{
    auto *b = dlg.findChild<QPushButton *>(button);
    QVERIFY2(b, qPrintable(button));
    // A mouse click, so that the button takes the focus from the edit field as a user's would.
    QTest::mouseClick(b, Qt::LeftButton);
}

void ShowActive(QDialog &dlg)
{
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
}

}  // namespace

class TestPatternEditors : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;

private slots:
    void init() { m_folders.reset(new TGuiTestFolders); }

    void frames_data()
    {
        QTest::addColumn<bool>("sort");
        QTest::newRow("sort") << true;
        QTest::newRow("name") << false;
    }

    void frames()
    {
        QFETCH(bool, sort);
        QScopedPointer<TPatternEditor> dlg;
        if (sort)
            dlg.reset(new TfrmSort(nullptr));
        else
            dlg.reset(new TfrmName(nullptr));
        QCOMPARE(dlg->windowTitle(), sort ? QStringLiteral("Шаблон сортировки") : QStringLiteral("Шаблон имени файла"));
        QCOMPARE(dlg->size(), sort ? QSize(417, 149) : QSize(495, 151));
        ShowActive(*dlg);
        QCOMPARE(QApplication::focusWidget(), dlg->btnOK);
        QCOMPARE(dlg->btnCancel->text(), QStringLiteral("Отмена"));
        auto *edit = dlg->findChild<TButtonedEdit *>(sort ? QStringLiteral("edtSDir") : QStringLiteral("edtNName"));
        QVERIFY(edit);
        QCOMPARE(edit->RightButton()->toolTip(), QStringLiteral("Очистить"));
        QCOMPARE(dlg->pnAButton->findChildren<QPushButton *>().size(), sort ? 5 : 6);
        QCOMPARE(dlg->pnBButton->findChildren<QPushButton *>().size(), 3);
    }

    void sortAddsALevelAtTheEnd_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default pattern from nothing")
            << "" << QStringList{"btnAlphabet", "btnAuthor"} << QStringLiteral("Алфавит\\Автор");
        QTest::newRow("after a trailing backslash")
            << "Жанр\\" << QStringList{"btnYear"} << QStringLiteral("Жанр\\\\Год");
        QTest::newRow("a blank is text") << " " << QStringList{"btnAuthor"} << QStringLiteral(" \\Автор");
        QTest::newRow("placeholders stay") << "%gen" << QStringList{"btnSeries"} << QStringLiteral("%gen\\Серия");
        QTest::newRow("every word") << "" << QStringList{"btnAuthor", "btnAlphabet", "btnGenre", "btnSeries",
                                                         "btnLang",   "btnPublish",  "btnCity",  "btnYear"}
                                    << QStringLiteral("Автор\\Алфавит\\Жанр\\Серия\\Язык\\Издательство\\Город\\Год");
    }

    void sortAddsALevelAtTheEnd()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, buttons);
        QFETCH(QString, expected);
        TfrmSort dlg(nullptr);
        dlg.edtSDir->setText(text);
        ShowActive(dlg);
        // Wherever the caret stands, the level goes to the end.
        dlg.edtSDir->setFocus();
        dlg.edtSDir->setCursorPosition(0);
        for (const QString &b : buttons)
            Click(dlg, b);
        QCOMPARE(dlg.edtSDir->text(), expected);
    }

    void nameInsertsAtTheCaret_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");  // -1: the caret as the dialog opened it
        QTest::addColumn<int>("selLength");  // 0: the caret at selStart
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("expected");
        QTest::newRow("just opened: before the text")
            << "Фамилия" << -1 << 0 << QStringList{"btnTitle"} << QStringLiteral("НазваниеФамилия");
        QTest::newRow("after a typed dash")
            << "Фамилия -  (Год)" << 10 << 0 << QStringList{"btnTitle"} << QStringLiteral("Фамилия - Название (Год)");
        QTest::newRow("selection replaced")
            << "Фамилия Имя" << 8 << 3 << QStringList{"btnMiddle"} << QStringLiteral("Фамилия Отчество");
        QTest::newRow("words follow each other")
            << "" << 0 << 0 << QStringList{"btnLast", "btnFirst"} << QStringLiteral("ФамилияИмя");
        QTest::newRow("№ в серии inserts Номер") << "" << 0 << 0 << QStringList{"btnSeqNum"} << QStringLiteral("Номер");
        QTest::newRow("second row") << "" << 0 << 0 << QStringList{"btnPublish", "btnCity", "btnYear", "btnSeries"}
                                    << QStringLiteral("ИздательствоГородГодСерия");
    }

    void nameInsertsAtTheCaret()
    {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QStringList, buttons);
        QFETCH(QString, expected);
        TfrmName dlg(nullptr);
        dlg.edtNName->setText(text);
        ShowActive(dlg);
        if (selStart >= 0) {
            dlg.edtNName->setFocus();
            if (selLength > 0)
                dlg.edtNName->setSelection(selStart, selLength);
            else
                dlg.edtNName->setCursorPosition(selStart);
        }
        for (const QString &b : buttons)
            Click(dlg, b);
        QCOMPARE(dlg.edtNName->text(), expected);
    }

    void tabIntoTheNameSelectsItAll()
    {
        TfrmName dlg(nullptr);
        dlg.edtNName->setText(QStringLiteral("Фамилия Имя"));
        ShowActive(dlg);
        QTest::keyClick(&dlg, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dlg.edtNName);
        Click(dlg, QStringLiteral("btnTitle"));
        QCOMPARE(dlg.edtNName->text(), QStringLiteral("Название"));
    }

    // The settings dialog hands its pattern to the editor and takes it back on OK only.
    void answersReachThePatternField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("answer");  // button name, or "close"
        QTest::addColumn<bool>("clear");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name OK") << "btnedName"
                                 << "btnOK" << false << QStringLiteral("Фамилия%tit");
        QTest::newRow("name Отмена") << "btnedName"
                                     << "btnCancel" << false << QStringLiteral("%tit");
        QTest::newRow("name close box") << "btnedName"
                                        << "close" << false << QStringLiteral("%tit");
        QTest::newRow("name cleared, OK") << "btnedName"
                                          << "btnOK" << true << QString();
        QTest::newRow("sort OK") << "btnedSort"
                                 << "btnOK" << false << QStringLiteral("%tit\\Автор");
        QTest::newRow("sort Отмена") << "btnedSort"
                                     << "btnCancel" << false << QStringLiteral("%tit");
        QTest::newRow("sort close box") << "btnedSort"
                                        << "close" << false << QStringLiteral("%tit");
        QTest::newRow("sort cleared, OK") << "btnedSort"
                                          << "btnOK" << true << QString();
    }

    void answersReachThePatternField()
    {
        QFETCH(QString, field);
        QFETCH(QString, answer);
        QFETCH(bool, clear);
        QFETCH(QString, expected);
        TfrmSetting settings(nullptr);
        auto *edit = settings.findChild<TButtonedEdit *>(field);
        QVERIFY(edit);
        edit->setText(QStringLiteral("%tit"));
        bool sawText = false;
        AnswerNextModal([&](QWidget *m) {
            auto *editor = qobject_cast<TPatternEditor *>(m);
            QVERIFY(editor);
            auto *own = editor->findChild<TButtonedEdit *>();
            sawText = own->text() == QStringLiteral("%tit");
            if (clear)
                own->RightButton()->click();
            else
                editor->findChild<QPushButton *>(field == "btnedName" ? "btnLast" : "btnAuthor")->click();
            if (answer == "close")
                editor->close();
            else
                editor->findChild<QPushButton *>(answer)->click();
        });
        edit->RightButton()->click();
        QVERIFY(sawText);
        QCOMPARE(edit->text(), expected);
    }

    void enterAndEscapeDoNotClose()
    {
        TfrmSort dlg(nullptr);
        ShowActive(dlg);
        for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(&dlg, Qt::Key(key));
        QVERIFY(dlg.isVisible());
    }
};

QTEST_MAIN(TestPatternEditors)
#include "test_pattern_editors.moc"
