#include "BookInfoPanel.h"
#include "BookInfoView.h"
#include "ElidedLabel.h"
#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "frm_Main.h"
#include "config/IniFile.h"

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

QByteArray Book(const QByteArray &lang = "<lang>ru</lang>")
{
    return QByteArray(kBook).replace("LANG", lang);
}

QString Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

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
        QCOMPARE(text.count(QStringLiteral("\r\n")), 4); // four lines, each ending in CR LF
        w.close();
    }
};

QTEST_MAIN(TestBookInfoPanel)
#include "test_book_info_panel.moc"
