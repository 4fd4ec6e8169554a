#include "BookInfoPanel.h"
#include "FolderTreeReader.h"
#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "config/Folders.h"
#include "config/IniFile.h"
#include "frm_Main.h"
#include "globals/Errors.h"

#include <QAbstractItemModelTester>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

namespace {

TListEntry Loose(const QString &name, qint64 size)
{
    TListEntry e;
    e.FileName = name;
    e.FileDir = QStringLiteral("/books/");
    e.FileSize = size;
    return e;
}

QStringList Names(const TFileListModel *m)
{
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->Entry(r).FileName;
    return out;
}

QString WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// An archive made by Info-ZIP's zip from the files below `dir`, in the order given.
QString MakeZip(const QString &archive, const QString &dir, const QStringList &members)
{
    QProcess zip;
    zip.setWorkingDirectory(dir);
    zip.start(QStringLiteral("zip"), QStringList{"-q", "-X", archive} + members);
    if (!zip.waitForFinished() || zip.exitCode() != 0)
        qFatal("zip failed for %s", qPrintable(archive));
    return archive;
}

QStringList Rows(const TFileListModel *m)
{
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r) {
        const TListEntry &e = m->Entry(r);
        out << (e.InArchive ? QFileInfo(e.ArchivePath).fileName() + ":" + e.FileName : e.FileName) + " "
                + QString::number(e.FileSize);
    }
    return out;
}

void Drop(TorvMain &w, const QStringList &paths)
{
    auto *mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(p);
    mime->setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
    delete mime;
}

// One letter a row: x ticked, . not.
QString Ticks(const TFileListModel *m)
{
    QString out;
    for (int r = 0; r < m->rowCount(); ++r)
        out += m->CheckState(r) == Qt::Checked ? 'x' : '.';
    return out;
}

// Rows named a, b, c, ... ticked as `ticks` says.
void FillTicked(TorvMain &w, const QString &ticks)
{
    QList<TListEntry> rows;
    for (int i = 0; i < ticks.size(); ++i)
        rows << Loose(QString(QChar('a' + i)), i);
    w.Model->AppendEntries(rows);
    for (int i = 0; i < ticks.size(); ++i)
        if (ticks[i] == 'x')
            w.Model->setData(w.Model->index(i, 0), int(Qt::Checked), Qt::CheckStateRole);
}

// Selects these rows and puts the cursor on row `current`, column `column`.
void Select(TorvMain &w, const QList<int> &rows, int current, int column = 1)
{
    QItemSelectionModel *sm = w.VST->selectionModel();
    sm->clearSelection();
    sm->setCurrentIndex(w.Model->index(current, column), QItemSelectionModel::NoUpdate);
    for (int r : rows)
        sm->select(w.Model->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void ShowActive(TorvMain &w)
{
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.VST->setFocus();
}

void ClickHeader(TorvMain &w, int logical)
{
    QHeaderView *h = w.VST->horizontalHeader();
    const QPoint at(h->sectionViewportPosition(logical) + h->sectionSize(logical) / 2, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class TestFileList : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;

private slots:
    void initTestCase() { m_folders.reset(new TGuiTestFolders); }

    // The toggle goes by the rows as they are: it ticks all unless all are ticked, and the
    // check column's header shows none, some or all.
    void checkAllGoesByTheRealState()
    {
        TorvMain w;
        w.Model->AppendEntries({Loose("a.fb2", 1), Loose("b.fb2", 2), Loose("c.fb2", 3)});
        w.Model->setData(w.Model->index(1, 0), int(Qt::Checked), Qt::CheckStateRole);
        QCOMPARE(w.CheckCount(), 1);

        const auto header = [&] {
            return Qt::CheckState(w.Model->headerData(0, Qt::Horizontal, Qt::CheckStateRole).toInt());
        };
        QCOMPARE(header(), Qt::PartiallyChecked);
        QSignalSpy headerChanged(w.Model, &QAbstractItemModel::headerDataChanged);
        w.SelectAll();
        QCOMPARE(w.CheckCount(), 3);
        for (int r = 0; r < 3; ++r)
            QCOMPARE(w.Model->CheckState(r), Qt::Checked);
        QCOMPARE(header(), Qt::Checked);
        QCOMPARE(headerChanged.size(), 1);

        // One row unticked by hand: the toggle ticks it again rather than unticking the others.
        w.Model->setData(w.Model->index(0, 0), int(Qt::Unchecked), Qt::CheckStateRole);
        QCOMPARE(header(), Qt::PartiallyChecked);
        w.SelectAll();
        QCOMPARE(w.CheckCount(), 3);
        w.SelectAll();
        QCOMPARE(w.CheckCount(), 0);
        for (int r = 0; r < 3; ++r)
            QCOMPARE(w.Model->CheckState(r), Qt::Unchecked);
        QCOMPARE(header(), Qt::Unchecked);

        // A list emptied while all rows were ticked: the toggle ticks the rows added afterwards.
        w.SelectAll();
        w.ClearList();
        QCOMPARE(header(), Qt::Unchecked);
        w.Model->AppendEntries({Loose("d.fb2", 4)});
        w.SelectAll();
        QCOMPARE(w.CheckCount(), 1);
        QCOMPARE(header(), Qt::Checked);
        w.Model->AppendEntries({Loose("e.fb2", 5)});
        QCOMPARE(header(), Qt::PartiallyChecked);
    }

    void headerOfCheckColumnTogglesAll()
    {
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Model->AppendEntries({Loose("a.fb2", 1), Loose("b.fb2", 2)});
        ClickHeader(w, 0);
        QCOMPARE(w.CheckCount(), 2);
        ClickHeader(w, 0);
        QCOMPARE(w.CheckCount(), 0);
        // The check column never shows a sort glyph.
        QCOMPARE(w.VST->horizontalHeader()->sortIndicatorSection(), -1);
    }

    void headerClicksSortWithOneSharedDirection()
    {
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Model->AppendEntries(
            {Loose("b.fb2", 900), Loose("Z.fb2", 10000), Loose("a.fb2", 50), Loose("Я.fb2", 7), Loose("а.fb2", 900)});

        // First click after start: descending, by size as numbers.
        ClickHeader(w, 2);
        QCOMPARE(Names(w.Model), (QStringList{"Z.fb2", "b.fb2", "а.fb2", "a.fb2", "Я.fb2"}));
        QCOMPARE(w.VST->horizontalHeader()->sortIndicatorSection(), 2);
        QCOMPARE(w.VST->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);

        // The next click, on the other column, flips the shared direction: ascending by name,
        // by code units (capitals first, Latin before Cyrillic).
        ClickHeader(w, 1);
        QCOMPARE(Names(w.Model), (QStringList{"Z.fb2", "a.fb2", "b.fb2", "Я.fb2", "а.fb2"}));
        QCOMPARE(w.VST->horizontalHeader()->sortIndicatorSection(), 1);
        QCOMPARE(w.VST->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);

        ClickHeader(w, 1);
        QCOMPARE(Names(w.Model), (QStringList{"а.fb2", "Я.fb2", "b.fb2", "a.fb2", "Z.fb2"}));
    }

    void sortKeepsCheckStatesSelectionAndRowIds()
    {
        TorvMain w;
        w.Model->AppendEntries({Loose("c.fb2", 3), Loose("a.fb2", 1), Loose("b.fb2", 2)});
        w.Model->setData(w.Model->index(0, 0), int(Qt::Checked), Qt::CheckStateRole);
        const quint64 idOfC = w.Model->RowId(0);
        w.VST->selectRow(0);

        w.VSTHeaderClick(2);  // descending by size: c stays first
        w.VSTHeaderClick(2);  // ascending: c goes last
        QCOMPARE(Names(w.Model), (QStringList{"a.fb2", "b.fb2", "c.fb2"}));
        QCOMPARE(w.Model->CheckState(2), Qt::Checked);
        QCOMPARE(w.CheckCount(), 1);
        QCOMPARE(w.Model->RowOfId(idOfC), 2);
        QCOMPARE(w.VST->currentIndex().row(), 2);

        w.ClearList();
        QCOMPARE(w.Model->RowOfId(idOfC), -1);
        QCOMPARE(w.CheckCount(), 0);
    }

    void counterShowsRowsAndEmptyList()
    {
        TorvMain w;
        QCOMPARE(w.lblCount->text(), QStringLiteral("Файлов: "));
        w.AddBook(WriteFile(m_folders->Path("c/x.fb2"), "1234"));
        QCOMPARE(w.lblCount->text(), QStringLiteral("Файлов: 1"));
        w.ClearList();
        QCOMPARE(w.lblCount->text(), QStringLiteral("Файлов: "));
        QCOMPARE(w.Model->rowCount(), 0);
        w.AddBook(m_folders->Path("c/x.fb2"));
        QCOMPARE(w.lblCount->text(), QStringLiteral("Файлов: 1"));
    }

    void addBookTakesBooksAndArchives()
    {
        const QString dir = m_folders->Path("add/");
        WriteFile(dir + "Book.FB2", "12345");
        WriteFile(dir + "notes.txt", "text");
        WriteFile(dir + "in/first.fb2", "111");
        WriteFile(dir + "in/readme.txt", "22");
        WriteFile(dir + "in/second.fb2", "3333");
        const QString zip = MakeZip(dir + "pack.zip", dir + "in", {"second.fb2", "readme.txt", "first.fb2"});
        TorvMain w;
        w.AddBook(dir + "Book.FB2");
        QCOMPARE(w.Model->Entry(0).FileDir, dir);
        QVERIFY(!w.Model->Entry(0).InArchive);
        w.AddBook(zip);
        QCOMPARE(w.Model->Entry(1).ArchivePath, zip);
        QVERIFY(w.Model->Entry(1).InArchive && w.Model->Entry(1).FileDir.isEmpty());
        w.AddBook(dir + "notes.txt");
        w.AddBook(dir + "Book.FB2");  // nothing prevents the same book twice
        QCOMPARE(Rows(w.Model),
                 (QStringList{"Book.FB2 5", "pack.zip:second.fb2 4", "pack.zip:first.fb2 3", "Book.FB2 5"}));
        QCOMPARE(w.lblCount->text(), QStringLiteral("Файлов: 4"));
        for (int r = 0; r < 4; ++r)
            QCOMPARE(w.Model->CheckState(r), Qt::Unchecked);
    }

    void commandLinePathsInTheirOrder()
    {
        const QString a = WriteFile(m_folders->Path("cmd/b.fb2"), "b");
        const QString b = WriteFile(m_folders->Path("cmd/a.fb2"), "aa");
        TorvMain w({a, QStringLiteral("/no/such/thing.txt"), b});
        QCOMPARE(Rows(w.Model), (QStringList{"b.fb2 1", "a.fb2 2"}));
        QCOMPARE(w.lblCount->text(), QStringLiteral("Файлов: 2"));
    }

    // Dropped files go in in their order; a damaged archive stops the drop there with the box.
    void droppedFilesStopAtADamagedArchive()
    {
        const QString dir = m_folders->Path("drop/");
        const QString one = WriteFile(dir + "one.fb2", "1");
        const QString bad = WriteFile(dir + "bad.zip", "this is no archive at all");
        const QString two = WriteFile(dir + "two.fb2", "22");
        TorvMain w;
        TErrorBoxWatch errors;
        Drop(w, {one, dir, bad, two});
        QCOMPARE(Rows(w.Model), QStringList{"one.fb2 1"});
        QCOMPARE(errors.Texts().size(), 1);
        QVERIFY2(errors.Texts()[0].contains("bad.zip"), qPrintable(errors.Texts()[0]));
        QCOMPARE(w.lblCount->text(), QStringLiteral("Файлов: 1"));

        Drop(w, {two});  // the window goes on taking drops
        QCOMPARE(Rows(w.Model), (QStringList{"one.fb2 1", "two.fb2 2"}));
    }

    void openFilesTakesEveryChosenFile()
    {
        const QString dir = m_folders->Path("open/");
        WriteFile(dir + "x.fb2", "x");
        WriteFile(dir + "in/y.fb2", "yy");
        MakeZip(dir + "y.zip", dir + "in", {"y.fb2"});
        TorvMain w;
        AnswerNextModal([&](QWidget *m) {
            auto *dlg = qobject_cast<QFileDialog *>(m);
            QVERIFY(dlg);
            QCOMPARE(dlg->nameFilters(), (QStringList{"FictionBook (*.fb2)", "Zip архив(*.zip)"}));
            QCOMPARE(dlg->fileMode(), QFileDialog::ExistingFiles);
            dlg->setDirectory(dir);
            dlg->selectNameFilter(dlg->nameFilters().at(1));
            dlg->selectFile("\"y.zip\"");
            static_cast<QDialog *>(dlg)->accept();
        });
        w.mmOpen->trigger();
        QCOMPARE(Rows(w.Model), QStringList{"y.zip:y.fb2 2"});
    }

    void openDirectoryTakesTheFolderBooksOnly()
    {
        const QString dir = m_folders->Path("folder/");
        WriteFile(dir + "b.fb2", "bb");
        WriteFile(dir + "a.fb2", "a");
        WriteFile(dir + "sub/c.fb2", "ccc");
        MakeZip(dir + "d.zip", dir + "sub", {"c.fb2"});
        TorvMain w;
        AnswerNextModal([&](QWidget *m) {
            auto *dlg = qobject_cast<QFileDialog *>(m);
            QVERIFY(dlg);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Выберите каталог"));
            dlg->setDirectory(dir);
            static_cast<QDialog *>(dlg)->accept();
        });
        w.btnOpenDir->click();
        QCOMPARE(Rows(w.Model), (QStringList{"a.fb2 1", "b.fb2 2"}));
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        AnswerNextModal([](QWidget *m) { qobject_cast<QDialog *>(m)->reject(); });
        w.mmOpenDir->trigger();
        QCOMPARE(w.Model->rowCount(), 2);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Space ticks the selected rows from whichever column the cursor is in; the row under the
    // cursor flips and the others follow it.
    void spaceTicksTheSelectedRows_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("after");
        QTest::newRow("one row, from the name") << "..." << QList<int>{1} << 1 << 1 << ".x.";
        QTest::newRow("one row, from the size") << "..." << QList<int>{1} << 1 << 2 << ".x.";
        QTest::newRow("one row, from its box") << "x.." << QList<int>{0} << 0 << 0 << "...";
        QTest::newRow("several, cursor on an unticked row") << "x.x." << QList<int>{0, 1, 2} << 1 << 1 << "xxx.";
        QTest::newRow("several, cursor on a ticked row") << ".x.x" << QList<int>{1, 2, 3} << 3 << 1 << "....";
        QTest::newRow("nothing selected") << "x.." << QList<int>{} << 1 << 1 << "x..";
    }
    void spaceTicksTheSelectedRows()
    {
        QFETCH(QString, before);
        QFETCH(QList<int>, selected);
        QFETCH(int, current);
        QFETCH(int, column);
        QFETCH(QString, after);
        TorvMain w;
        ShowActive(w);
        FillTicked(w, before);
        Select(w, selected, current, column);
        QTest::keyClick(w.VST, Qt::Key_Space);
        QCOMPARE(Ticks(w.Model), after);
        QCOMPARE(w.CheckCount(), int(after.count('x')));
        QCOMPARE(w.VST->SelectedRows().size(), size_t(selected.size()));
    }

    // Ctrl+A is the check-all toggle, also in the list, and leaves the selection alone.
    void ctrlAIsTheCheckAllToggle()
    {
        TorvMain w;
        ShowActive(w);
        FillTicked(w, ".x.");
        Select(w, {1}, 1);
        QTest::keyClick(w.VST, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(Ticks(w.Model), QStringLiteral("xxx"));
        QCOMPARE(w.VST->SelectedRows(), std::vector<int>{1});
        QTest::keyClick(w.VST, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(Ticks(w.Model), QStringLiteral("..."));
    }

    void keysMoveTheSelection_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("lowest");  // the row the cursor lands on lies in lowest..highest
        QTest::addColumn<int>("highest");
        QTest::addColumn<int>("selected");
        QTest::newRow("Home") << int(Qt::Key_Home) << 0 << 10 << 0 << 0 << 1;
        QTest::newRow("End") << int(Qt::Key_End) << 0 << 10 << 39 << 39 << 1;
        QTest::newRow("Shift+End") << int(Qt::Key_End) << int(Qt::ShiftModifier) << 10 << 39 << 39 << 30;
        QTest::newRow("Shift+Home") << int(Qt::Key_Home) << int(Qt::ShiftModifier) << 10 << 0 << 0 << 11;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 0 << 0 << 4 << 38 << 1;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 0 << 39 << 1 << 35 << 1;
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 10 << 11 << 11 << 1;
    }
    void keysMoveTheSelection()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, from);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        QFETCH(int, selected);
        TorvMain w;
        ShowActive(w);
        FillTicked(w, QString(40, '.'));
        w.VST->selectRow(from);
        // The cursor may rest in any column: the box column is where a click on a box leaves it.
        w.VST->setCurrentIndex(w.Model->index(from, 0));
        QTest::keyClick(w.VST, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        const int row = w.VST->currentIndex().row();
        QVERIFY2(row >= lowest && row <= highest, qPrintable(QString::number(row)));
        QCOMPARE(int(w.VST->SelectedRows().size()), selected);
        QVERIFY(w.VST->selectionModel()->isRowSelected(row));
    }

    // Delete and "Удалить из списка" remove the selected rows; the cursor moves to the row that
    // took the place of the first one, so that the next Delete goes on from there.
    void deleteRemovesTheSelectedRows_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("left");
        QTest::addColumn<int>("current");
        QTest::newRow("key, one row") << false << QList<int>{1} << "acde" << 1;
        QTest::newRow("key, scattered rows") << false << QList<int>{3, 1} << "ace" << 1;
        QTest::newRow("menu, the last rows") << true << QList<int>{3, 4} << "abc" << 2;
        QTest::newRow("menu, every row") << true << QList<int>{0, 1, 2, 3, 4} << "" << -1;
        QTest::newRow("nothing selected") << false << QList<int>{} << "abcde" << 0;
    }
    void deleteRemovesTheSelectedRows()
    {
        QFETCH(bool, byMenu);
        QFETCH(QList<int>, selected);
        QFETCH(QString, left);
        QFETCH(int, current);
        TorvMain w;
        QAbstractItemModelTester tester(w.Model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        ShowActive(w);
        FillTicked(w, "x.x.x");
        Select(w, selected, selected.isEmpty() ? 0 : selected.constFirst());
        if (byMenu)
            w.pmDelete->trigger();
        else
            QTest::keyClick(w.VST, Qt::Key_Delete);
        QString names;
        for (const QString &n : Names(w.Model))
            names += n;
        QCOMPARE(names, left);
        QCOMPARE(w.CheckCount(), int(std::count_if(left.begin(), left.end(), [](QChar c) {
                     return c == 'a' || c == 'c' || c == 'e';
                 })));
        if (!selected.isEmpty())
            QCOMPARE(w.lblCount->text(),
                     left.isEmpty() ? QStringLiteral("Файлов: ") : QStringLiteral("Файлов: %1").arg(left.size()));
        QCOMPARE(w.VST->currentIndex().row(), current);
        if (current >= 0 && !selected.isEmpty())
            QCOMPARE(w.VST->SelectedRows(), std::vector<int>{current});
    }

    // Every other row of a long list: too many pieces for one removal each.
    void deleteEveryOtherOfManyRows()
    {
        TorvMain w;
        QAbstractItemModelTester tester(w.Model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QList<TListEntry> rows;
        for (int i = 0; i < 2000; ++i)
            rows << Loose(QStringLiteral("%1.fb2").arg(i), i);
        w.Model->AppendEntries(rows);
        w.SelectAll();
        QList<int> even;
        for (int i = 0; i < 2000; i += 2)
            even << i;
        Select(w, even, 0);
        w.RemoveFromList();
        QCOMPARE(w.Model->rowCount(), 1000);
        QCOMPARE(w.CheckCount(), 1000);
        for (int r = 0; r < 1000; ++r)
            QCOMPARE(w.Model->Entry(r).FileSize, qint64(2 * r + 1));
        QCOMPARE(w.VST->currentIndex().row(), 0);
    }

    // Enter and a double click on a row ask for the book's information; a double click on a box
    // only ticks and unticks it.
    void enterAndDoubleClickShowTheBook_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("shown");
        QTest::newRow("Enter") << "enter" << true;
        QTest::newRow("keypad Enter") << "keypad" << true;
        QTest::newRow("double click on the name") << "name" << true;
        QTest::newRow("double click on the size") << "size" << true;
        QTest::newRow("double click on the box") << "box" << false;
    }
    void enterAndDoubleClickShowTheBook()
    {
        QFETCH(QString, how);
        QFETCH(bool, shown);
        // Without the panel following the selection, only the command builds a page.
        const TIniFile ini(m_folders->Config());
        ini.WriteBool(QStringLiteral("AUTO"), QStringLiteral("ChangeInfo"), false);
        UpdateSetting();
        const auto restore = qScopeGuard([&] {
            ini.WriteBool(QStringLiteral("AUTO"), QStringLiteral("ChangeInfo"), true);
            UpdateSetting();
        });
        TorvMain w;
        ShowActive(w);
        FillTicked(w, "..");
        Select(w, {1}, 1);
        QCOMPARE(w.InfoPanel->Busy(), false);
        if (how == "enter" || how == "keypad") {
            QTest::keyClick(w.VST, Qt::Key_Enter, how == "keypad" ? Qt::KeypadModifier : Qt::NoModifier);
        } else {
            const int column = how == "name" ? 1 : how == "size" ? 2 : 0;
            const QRect cell = w.VST->visualRect(w.Model->index(1, column));
            QTest::mouseDClick(w.VST->viewport(), Qt::LeftButton, {}, cell.center());
        }
        QCOMPARE(w.InfoPanel->Busy(), shown);
        QCOMPARE(Ticks(w.Model), QStringLiteral(".."));
        w.InfoPanel->Stop();
    }

    // "Открыть папку с подпапками": books and archives of the whole tree, in order, without the
    // books a link leads to; a damaged archive is named in one box after the others are added.
    void openDirectoryTreeTakesTheWholeTree()
    {
        const QString dir = m_folders->Path("tree/");
        const QString outside = m_folders->Path("outside/");
        WriteFile(outside + "far.fb2", "far");
        WriteFile(dir + "b.fb2", "bb");
        WriteFile(dir + "sub/deeper/d.FB2", "dddd");
        WriteFile(dir + "in/c.fb2", "ccc");
        MakeZip(dir + "sub/c.zip", dir + "in", {"c.fb2"});
        QVERIFY(QDir(dir + "in").removeRecursively());
        WriteFile(dir + "sub/bad.zip", "no archive");
        QVERIFY(QFile::link(outside, dir + "sub/link"));
        TorvMain w;
        w.AddBook(dir + "b.fb2");
        QStringList boxes;
        TShowWatch watch([&](QWidget *shown) {
            if (auto *box = qobject_cast<QMessageBox *>(shown)) {
                boxes << box->text();
                QTimer::singleShot(0, box, &QMessageBox::accept);
            }
        });
        AnswerNextModal([&](QWidget *m) {
            auto *dlg = qobject_cast<QFileDialog *>(m);
            QVERIFY(dlg);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Выберите каталог"));
            dlg->setDirectory(dir);
            static_cast<QDialog *>(dlg)->accept();
        });
        w.mmOpenTree->trigger();
        QCOMPARE(Rows(w.Model), (QStringList{"b.fb2 2", "b.fb2 2", "c.zip:c.fb2 3", "d.FB2 4"}));
        QCOMPARE(w.lblCount->text(), QStringLiteral("Файлов: 4"));
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].startsWith(QStringLiteral("Не удалось прочитать архивов: 1.\n")), qPrintable(boxes[0]));
        QVERIFY2(boxes[0].contains(dir + "sub/bad.zip"), qPrintable(boxes[0]));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // A long reading shows its window; "Отмена" stops it and nothing is added.
    void folderTreeReadingCanBeCancelled()
    {
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        bool shown = false;
        TShowWatch watch([&](QWidget *widget) {
            if (widget->objectName() != QLatin1String("dlgFolderTree") || shown)
                return;
            shown = true;
            QCOMPARE(widget->windowTitle(), QStringLiteral("Открыть папку с подпапками"));
            auto *cancel = widget->findChild<QPushButton *>();
            QVERIFY(cancel);
            QCOMPARE(cancel->text(), QStringLiteral("Отмена"));
            QTimer::singleShot(0, cancel, &QPushButton::click);
        });
        // A reading that goes on until it is told to stop.
        TFolderTreeReader reader(&w, [](const QString &folder, const TFolderTreeReport &report) {
            TFolderTreeProgress p;
            p.Current = folder;
            while (report(p)) {
                ++p.Folders;
                QThread::msleep(1);
            }
            return TFolderTreeRows{{TListEntry()}, {}, false};
        });
        reader.SetShowDelay(0);
        const TFolderTreeRows rows = reader.Read(QStringLiteral("/somewhere/"));
        QVERIFY(shown);
        QVERIFY(rows.Stopped);
        QVERIFY(rows.Rows.isEmpty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        // An error of the reading itself reaches the caller, after the worker has ended.
        TFolderTreeReader failing(&w, [](const QString &, const TFolderTreeReport &) -> TFolderTreeRows {
            throw EOrvane(QStringLiteral("сбой"));
        });
        QVERIFY_THROWS_EXCEPTION(EOrvane, failing.Read(QStringLiteral("/somewhere/")));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // The open dialogs start where books were last taken from, in a later run of the program too,
    // and in the nearest parent when that folder is gone. The folder has a key of its own.
    void openDialogsStartInTheLastFolder()
    {
        const QString first = m_folders->Path("last/first/");
        const QString second = m_folders->Path("last/second/deep/");
        WriteFile(first + "a.fb2", "a");
        WriteFile(second + "b.fb2", "bb");
        const TIniFile ini(m_folders->Config());
        ini.WriteString(QStringLiteral("USER"), QStringLiteral("LastDir"), QString());
        QString startedIn;
        const auto pick = [&](const QString &choose, const QString &file) {
            AnswerNextModal([&, choose, file](QWidget *m) {
                auto *dlg = qobject_cast<QFileDialog *>(m);
                QVERIFY(dlg);
                QVERIFY(dlg->testOption(QFileDialog::DontUseNativeDialog));
                startedIn = WithTrailingSlash(dlg->directory().absolutePath());
                dlg->setDirectory(choose);
                if (!file.isEmpty())
                    dlg->selectFile(file);
                static_cast<QDialog *>(dlg)->accept();
            });
        };
        {
            TorvMain w;
            pick(first, QString());
            w.mmOpenDir->trigger();
            QCOMPARE(startedIn, WithTrailingSlash(QDir::homePath()));
            QCOMPARE(ini.ReadString(QStringLiteral("USER"), QStringLiteral("LastDir"), QString()), first);
            QCOMPARE(ini.ReadString(QStringLiteral("AUTO"), QStringLiteral("LastDir"), QStringLiteral("none")),
                     QStringLiteral("none"));
        }
        {
            TorvMain w;  // the next run of the program
            pick(second, QStringLiteral("b.fb2"));
            w.mmOpen->trigger();
            QCOMPARE(startedIn, first);
            QCOMPARE(Rows(w.Model), QStringList{"b.fb2 2"});
            pick(first, QString());
            w.mmOpenTree->trigger();
            QCOMPARE(startedIn, second);
        }
        QVERIFY(QDir(m_folders->Path("last/first/")).removeRecursively());
        TorvMain w;
        AnswerNextModal([&](QWidget *m) {
            startedIn = WithTrailingSlash(qobject_cast<QFileDialog *>(m)->directory().absolutePath());
            qobject_cast<QDialog *>(m)->reject();
        });
        w.mmOpen->trigger();
        QCOMPARE(startedIn, m_folders->Path("last/"));
        QCOMPARE(ini.ReadString(QStringLiteral("USER"), QStringLiteral("LastDir"), QString()), first);
    }

    // Every change the window makes to the list keeps the model's promises to its views.
    void modelKeepsItsContract()
    {
        TorvMain w;
        QAbstractItemModelTester tester(w.Model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        w.Model->AppendEntries({Loose("c.fb2", 3), Loose("a.fb2", 1)});
        w.Model->AppendEntries({});
        w.Model->AppendEntries({Loose("b.fb2", 2)});
        w.VST->selectRow(1);
        QVERIFY(w.Model->setData(w.Model->index(1, 0), int(Qt::Checked), Qt::CheckStateRole));
        QVERIFY(!w.Model->setData(w.Model->index(1, 1), int(Qt::Checked), Qt::CheckStateRole));
        QVERIFY(!w.Model->setData(w.Model->index(1, 0), QStringLiteral("x"), Qt::DisplayRole));
        w.SelectAll();
        w.VSTHeaderClick(1);
        w.VSTHeaderClick(2);
        QCOMPARE(Names(w.Model), (QStringList{"a.fb2", "b.fb2", "c.fb2"}));
        QCOMPARE(w.VST->currentIndex().row(), 0);
        w.ClearList();
        w.VSTHeaderClick(1);
        w.SelectAll();
        QCOMPARE(w.Model->rowCount(), 0);
    }

    void cellsShowNameSizeAndCheckBox()
    {
        TorvMain w;
        w.Model->AppendEntries({Loose("Книга.fb2", 3000000000LL)});
        const TFileListModel *m = w.Model;
        QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("*"));
        QCOMPARE(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Файл"));
        QCOMPARE(m->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Размер"));
        QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QStringLiteral("Выбрать всё/отменить выбор"));
        QCOMPARE(m->data(m->index(0, 0), Qt::DisplayRole), QVariant());
        QCOMPARE(m->data(m->index(0, 0), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QCOMPARE(m->data(m->index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("Книга.fb2"));
        QVERIFY(!m->data(m->index(0, 1), Qt::DecorationRole).value<QIcon>().isNull());
        QCOMPARE(m->data(m->index(0, 2), Qt::DisplayRole).toString(), QStringLiteral("3000000000"));
        QCOMPARE(m->data(m->index(0, 2), Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
        QCOMPARE(w.VST->columnWidth(0), 24);
    }

    // A big collection: every step is one model operation, so the list stays usable.
    void hundredThousandRows()
    {
        TorvMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QList<TListEntry> rows;
        const int n = 100000;
        rows.reserve(n);
        for (qint64 i = 0; i < n; ++i)
            rows.append(Loose(QStringLiteral("book%1.fb2").arg((i * 7919) % n), (i * 104729) % 1000003));
        QElapsedTimer clock;
        clock.start();
        // One insertion per book, as the commands that add files make them.
        for (const TListEntry &e : rows)
            w.Model->AppendEntries({e});
        QCoreApplication::processEvents();
        const qint64 added = clock.restart();
        w.SelectAll();
        QCoreApplication::processEvents();
        const qint64 checked = clock.restart();
        w.VSTHeaderClick(2);
        QCoreApplication::processEvents();
        const qint64 sorted = clock.restart();
        for (int r = 1; r < n; ++r)
            QVERIFY(w.Model->Entry(r - 1).FileSize >= w.Model->Entry(r).FileSize);
        QCOMPARE(w.CheckCount(), n);
        clock.restart();
        w.ClearList();
        QCoreApplication::processEvents();
        const qint64 cleared = clock.elapsed();
        QCOMPARE(w.Model->rowCount(), 0);
        qInfo("100000 rows: add %lld ms, check all %lld ms, sort %lld ms, clear %lld ms", added, checked, sorted,
              cleared);
    }
};

QTEST_MAIN(TestFileList)
#include "test_file_list.moc"
