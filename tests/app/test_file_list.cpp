#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "frm_Main.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QToolButton>
#include <QMimeData>
#include <QProcess>
#include <QLabel>
#include <QTableView>
#include <QAbstractItemModelTester>
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
        out << (e.InArchive ? QFileInfo(e.ArchivePath).fileName() + ":" + e.FileName : e.FileName)
                + " " + QString::number(e.FileSize);
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

void ClickHeader(TorvMain &w, int logical)
{
    QHeaderView *h = w.VST->horizontalHeader();
    const QPoint at(h->sectionViewportPosition(logical) + h->sectionSize(logical) / 2, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class TestFileList : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;

private slots:
    void initTestCase() { m_folders.reset(new TGuiTestFolders); }

    void checkAllTogglesWhateverTheRowsWere()
    {
        TorvMain w;
        w.Model->AppendEntries({Loose("a.fb2", 1), Loose("b.fb2", 2), Loose("c.fb2", 3)});
        w.Model->setData(w.Model->index(1, 0), int(Qt::Checked), Qt::CheckStateRole);
        QCOMPARE(w.CheckCount(), 1);

        w.SelectAll();
        QCOMPARE(w.CheckCount(), 3);
        for (int r = 0; r < 3; ++r)
            QCOMPARE(w.Model->CheckState(r), Qt::Checked);

        // Hand-unchecking one row does not change what the next toggle does: it unchecks all.
        w.Model->setData(w.Model->index(0, 0), int(Qt::Unchecked), Qt::CheckStateRole);
        QCOMPARE(w.CheckCount(), 2);
        w.SelectAll();
        QCOMPARE(w.CheckCount(), 0);
        for (int r = 0; r < 3; ++r)
            QCOMPARE(w.Model->CheckState(r), Qt::Unchecked);

        // Emptying the list keeps the toggle's state: the next toggle checks again.
        w.ClearList();
        w.Model->AppendEntries({Loose("d.fb2", 4)});
        w.SelectAll();
        QCOMPARE(w.CheckCount(), 1);
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
        w.Model->AppendEntries({Loose("b.fb2", 900), Loose("Z.fb2", 10000), Loose("a.fb2", 50),
                                Loose("Я.fb2", 7), Loose("а.fb2", 900)});

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
        QCOMPARE(Rows(w.Model), (QStringList{"Book.FB2 5", "pack.zip:second.fb2 4", "pack.zip:first.fb2 3", "Book.FB2 5"}));
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
        qInfo("100000 rows: add %lld ms, check all %lld ms, sort %lld ms, clear %lld ms",
              added, checked, sorted, cleared);
    }
};

QTEST_MAIN(TestFileList)
#include "test_file_list.moc"
