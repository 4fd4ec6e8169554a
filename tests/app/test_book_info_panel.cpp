#include "BookInfoPanel.h"
#include "BookInfoView.h"
#include "ElidedLabel.h"
#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "config/IniFile.h"
#include "frm_Main.h"

#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

namespace {

const char kBook[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\" xmlns:l=\"http://www.w3.org/1999/xlink\">\n"
    "<description><title-info><genre>prose_contemporary</genre>\n"
    "<author><first-name>Антон</first-name><last-name>Чехов</last-name></author>\n"
    "<book-title>Рассказы</book-title><coverpage><image l:href=\"#c.png\"/></coverpage>LANG\n"
    "</title-info><document-info><author><nickname>m</nickname></author><date>2024</date><id>1</id>"
    "<version>1</version></document-info>\n"
    "</description><body><section><p>Текст.</p></section></body>\n"
    "<binary id=\"c.png\" content-type=\"image/png\">iVBORw0KGgo=</binary></FictionBook>\n";

QByteArray Book(const QByteArray &lang = "<lang>ru</lang>") { return QByteArray(kBook).replace("LANG", lang); }

QString Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

}  // namespace

class TestBookInfoPanel : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;

    // Selects a row and waits until its description has been dealt with.
    static void Select(TorvMain &w, int row)
    {
        QSignalSpy done(w.InfoPanel, &TBookInfoPanel::Done);
        w.VST->selectRow(row);
        QVERIFY(done.wait(10000));
    }

    void SetChangeInfo(bool on)
    {
        TIniFile(m_folders->Config()).WriteBool(QStringLiteral("AUTO"), QStringLiteral("ChangeInfo"), on);
        UpdateSetting();
    }

private slots:
    void initTestCase() { m_folders.reset(new TGuiTestFolders); }

    void statusAndPage()
    {
        SetChangeInfo(true);
        const QString loose = Write(m_folders->Path("books/a.fb2"), Book());
        Write(m_folders->Path("in/inner.fb2"), Book());
        QProcess zip;
        zip.setWorkingDirectory(m_folders->Path("in"));
        zip.start(QStringLiteral("zip"), {"-q", "-X", m_folders->Path("books/pack.zip"), "inner.fb2"});
        QVERIFY(zip.waitForFinished() && zip.exitCode() == 0);

        TorvMain w({loose, m_folders->Path("books/pack.zip")});
        w.show();
        w.InfoPanel->SetSettleTime(0);

        Select(w, 0);
        QCOMPARE(w.lblCurrentFile->toolTip(), loose);
        QVERIFY(w.wb->source().toLocalFile().endsWith(QStringLiteral("/description.html")));
        QVERIFY(w.wb->toPlainText().contains(QStringLiteral("Рассказы")));

        Select(w, 1);
        QCOMPARE(w.lblCurrentFile->toolTip(), m_folders->Path("books/pack.zip") + QStringLiteral("#inner.fb2"));
        QVERIFY(QFileInfo::exists(TempDir + QStringLiteral("inner.fb2")));

        // The command only names the file when the page follows the selection already.
        const QUrl shown = w.wb->source();
        w.ShowBookInfo();
        QCOMPARE(w.lblCurrentFile->toolTip(), QStringLiteral("inner.fb2"));
        QCOMPARE(w.wb->source(), shown);

        // Off: a selection clears the pane and leaves the page; the command builds it.
        SetChangeInfo(false);
        w.VST->selectRow(0);
        QVERIFY(w.lblCurrentFile->toolTip().isEmpty());
        QCOMPARE(w.wb->source(), shown);
        QSignalSpy done(w.InfoPanel, &TBookInfoPanel::Done);
        w.ShowBookInfo();
        QVERIFY(done.wait(10000));
        QCOMPARE(w.lblCurrentFile->toolTip(), QStringLiteral("a.fb2"));
        QVERIFY(w.wb->source() != shown);
        SetChangeInfo(true);
        w.close();
    }

    void invalidBookShowsErrorBox()
    {
        SetChangeInfo(true);
        const QString bad = Write(m_folders->Path("bad/b.fb2"), Book(""));
        TorvMain w({bad});
        w.show();
        w.InfoPanel->SetSettleTime(0);
        QString caption, text;
        TShowWatch watch([&](QWidget *box) {
            if (box->objectName() != QLatin1String("InvalidBookBox"))
                return;
            caption = box->windowTitle();
            text = static_cast<QMessageBox *>(box)->text();
            QTimer::singleShot(0, box, &QWidget::close);
        });
        Select(w, 0);
        QCOMPARE(caption, QStringLiteral("ERROR"));
        QVERIFY(text.startsWith(QStringLiteral("Код ошибки")));
        QCOMPARE(text.count(QStringLiteral("\r\n")), 4);  // four lines, each ending in CR LF
        w.close();
    }

    // Holding an arrow key: only the row the selection rests on gets a page; a page still being
    // made for a row passed on the way is neither shown nor left on disk.
    void onlyTheRestingRowIsDescribed()
    {
        SetChangeInfo(true);
        QStringList books;
        // A book large enough that its page is still being made when the next row is selected.
        // The wait is long: under the sanitizers on a busy machine the big page takes its time.
        QByteArray big = Book();
        big.replace("<p>Текст.</p>", QByteArray("<p>Текст книги.</p>").repeated(400000));
        books << Write(m_folders->Path(QStringLiteral("run/big.fb2")), big);
        for (int i = 0; i < 10; ++i)
            books << Write(m_folders->Path(QStringLiteral("run/r%1.fb2").arg(i)), Book());
        TorvMain w(books);
        w.show();
        QSignalSpy done(w.InfoPanel, &TBookInfoPanel::Done);

        w.InfoPanel->SetSettleTime(0);
        w.VST->selectRow(0);
        QCoreApplication::processEvents();  // the big book's page is under way
        w.InfoPanel->SetSettleTime(120);
        for (int i = 1; i < books.size(); ++i)
            w.VST->selectRow(i);

        QVERIFY(done.wait(120000));
        QTRY_VERIFY(!w.InfoPanel->Busy());
        QCOMPARE(done.count(), 1);
        QCOMPARE(w.lblCurrentFile->toolTip(), books.constLast());
        const QStringList folders = w.InfoPanel->History().Folders();
        QCOMPARE(folders.size(), 1);
        QCOMPARE(w.wb->source().toLocalFile(), folders[0] + QStringLiteral("description.html"));
        const QStringList onDisk = QDir(TempDir).entryList({QStringLiteral("*.*")}, QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(onDisk.size(), 1);
        w.close();
    }

    // A key held down on the list: the rows passed on the way get no page (and an invalid one
    // no box); the row where the key comes up gets its page.
    void heldKeyWaitsForItsRelease()
    {
        SetChangeInfo(true);
        const QStringList books{Write(m_folders->Path("keys/a.fb2"), Book()),
                                Write(m_folders->Path("keys/b.fb2"), Book("")),
                                Write(m_folders->Path("keys/c.fb2"), Book())};
        TorvMain w(books);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.InfoPanel->SetSettleTime(0);
        w.VST->setFocus();
        QSignalSpy done(w.InfoPanel, &TBookInfoPanel::Done);
        w.VST->selectRow(0);
        QVERIFY(done.wait(10000));

        TShowWatch noBox([](QWidget *box) {
            if (box->objectName() == QLatin1String("InvalidBookBox"))
                QTimer::singleShot(0, box, &QWidget::close);
        });
        QTest::keyPress(w.VST, Qt::Key_Down);
        QCOMPARE(w.VST->currentIndex().row(), 1);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(w.VST, &repeat);
        QCOMPARE(w.VST->currentIndex().row(), 2);
        QTest::qWait(50);
        QCOMPARE(done.count(), 1);
        QVERIFY(w.InfoPanel->Busy());

        QTest::keyRelease(w.VST, Qt::Key_Down);
        QVERIFY(done.wait(10000));
        QCOMPARE(w.lblCurrentFile->toolTip(), books[2]);
        w.close();
    }

    // Pictures fit the view: a large cover is scaled down into its box, keeping its shape, and a
    // cover that is no picture takes no room.
    void picturesFitTheView_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("picture");
        QTest::newRow("wide and tall") << QSize(900, 1400) << true;
        QTest::newRow("wide") << QSize(2000, 300) << true;
        QTest::newRow("small stays as it is") << QSize(40, 60) << true;
        QTest::newRow("not a picture") << QSize() << false;
    }
    void picturesFitTheView()
    {
        QFETCH(QSize, size);
        QFETCH(bool, picture);
        const QString dir =
            m_folders->Path(QStringLiteral("view/") + QString::fromLatin1(QTest::currentDataTag()) + "/");
        Write(dir + "description.html", "<html><body><p><img src=\"c.png\"></p><p>x</p></body></html>");
        if (picture) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::darkBlue);
            QVERIFY(image.save(dir + "c.png"));
        } else {
            Write(dir + "c.png", "not a picture at all");
        }
        TBookInfoView view;
        view.resize(320, 500);
        view.ShowPage(dir + "description.html");
        const QImage shown =
            view.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("c.png"))).value<QImage>();
        const QSize box = view.PictureBox();
        if (!picture) {
            QCOMPARE(shown.size(), QSize(1, 1));
            return;
        }
        QVERIFY(shown.width() <= box.width() && shown.height() <= box.height());
        if (size.width() <= box.width() && size.height() <= box.height()) {
            QCOMPARE(shown.size(), size);
        } else {
            QVERIFY(shown.width() == box.width() || shown.height() == box.height());
            // The same shape, to a pixel either way.
            QVERIFY2(qAbs(shown.width() * size.height() - shown.height() * size.width())
                         <= qMax(size.width(), size.height()),
                     qPrintable(QStringLiteral("%1x%2 in %3x%4")
                                    .arg(shown.width())
                                    .arg(shown.height())
                                    .arg(box.width())
                                    .arg(box.height())));
        }
    }
};

QTEST_MAIN(TestBookInfoPanel)
#include "test_book_info_panel.moc"
