// "Предпросмотр": the plan it shows is what the run then does, it changes no file, it can be
// stopped or closed while it goes, and "Обработать" runs the rows it showed and no others.

#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "RunFixtures.h"
#include "config/IniFile.h"
#include "frm_Main.h"
#include "frm_Qwery.h"
#include "frm_Report.h"
#include "preview/PreviewModel.h"
#include "preview/frm_Preview.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace RunFixtures;

namespace {

// A row as the report and the preview both tell it: the book, its outcome, its target or reason.
QString RowLine(const TRowReport &r)
{
    return RowSource(r.Entry) + QLatin1Char('|') + OutcomeName(r.Outcome) + QLatin1Char('|') + RowReportDetail(r);
}

QStringList ReportLines(const TfrmReport &report)
{
    const QAbstractItemModel *m = report.lvReport->model();
    QStringList lines;
    for (int i = 0; i < m->rowCount(); ++i)
        lines << m->index(i, 0).data().toString() + QLatin1Char('|') + m->index(i, 1).data().toString()
                + QLatin1Char('|') + m->index(i, 2).data().toString();
    return lines;
}

}  // namespace

class TestPreview : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;
    QScopedPointer<TErrorBoxWatch> m_errors;
    QString m_books, m_end, m_bad;

    // What the user's folders hold, by path and bytes.
    QMap<QString, QByteArray> Tree() const
    {
        QMap<QString, QByteArray> all = ContentsBelow(m_books);
        all.insert(ContentsBelow(m_end));
        all.insert(ContentsBelow(m_bad));
        return all;
    }

    void Settings(bool rename, bool sort)
    {
        const TIniFile ini(m_folders->Config());
        ini.WriteBool("AUTO", "Rename", rename);
        ini.WriteBool("AUTO", "Sort", sort);
        UpdateSetting();
    }

    // `count` distinct valid loose books, all ticked.
    void FillPlain(TorvMain &w, int count)
    {
        for (int i = 1; i <= count; ++i) {
            const QString path = m_books + QStringLiteral("book%1.fb2").arg(i);
            PutFile(path, ValidBook("Чехов", "Антон", QStringLiteral("Книга %1").arg(i)));
            w.AddBook(path);
        }
        w.SelectAll();
    }

    static QStringList Files(const QString &folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init()
    {
        m_folders.reset(new TGuiTestFolders);
        m_books = m_folders->Path("books/");
        m_end = m_folders->Path("end/");
        m_bad = m_folders->Path("bad/");
        QVERIFY(QDir().mkpath(m_books) && QDir().mkpath(m_bad));
        const TIniFile ini(m_folders->Config());
        ini.WriteString("AUTO", "EndDir", m_end);
        ini.WriteString("AUTO", "BadDir", m_bad);
        UpdateSetting();
        m_errors.reset(new TErrorBoxWatch);
    }

    void cleanup()
    {
        if (m_errors)
            QCOMPARE(m_errors->Texts(), QStringList());
        m_errors.reset();
    }

    // A valid book, an invalid one, two books that come to one name and a book inside an
    // archive: the preview tells each row exactly as the report of the run started from it,
    // and nothing on disk changes before that run.
    void previewIsWhatTheRunDoes_data()
    {
        QTest::addColumn<bool>("badFolder");
        QTest::addColumn<QString>("badOutcome");
        QTest::newRow("bad-files folder there") << true << "Не пройдёт проверку";
        // The run never makes the bad-files folder: the bad book stays where it is.
        QTest::newRow("bad-files folder missing") << false << "Не будет размещена";
    }
    void previewIsWhatTheRunDoes()
    {
        QFETCH(bool, badFolder);
        QFETCH(QString, badOutcome);
        if (!badFolder)
            QVERIFY(QDir(m_bad).removeRecursively());
        Settings(true, true);
        TorvMain w;
        const QList<std::pair<QString, QByteArray>> loose = {
            {"valid.fb2", ValidBook("Чехов", "Антон", "Степь")},
            {"bad.fb2", SchemaInvalidBook()},
            {"twin1.fb2", ValidBook("Толстой", "Лев", "Война", "первая")},
            {"twin2.fb2", ValidBook("Толстой", "Лев", "Война", "вторая")},
        };
        for (const auto &[name, data] : loose) {
            PutFile(m_books + name, data);
            w.AddBook(m_books + name);
        }
        MakeZip(m_books + "shelf.zip", {{"inner/nos.fb2", ValidBook("Гоголь", "Николай", "Нос")}});
        w.AddBook(m_books + "shelf.zip");
        w.SelectAll();
        const QMap<QString, QByteArray> before = Tree();

        QStringList planned, summary;
        QMap<QString, QByteArray> afterPreview;
        AnswerNextModal([&](QWidget *m) {
            auto *p = qobject_cast<TfrmPreview *>(m);
            QVERIFY(p);
            QTRY_VERIFY(!p->Planning() && p->btnRun->isEnabled());
            QCOMPARE(p->Progress->value(), 100);
            for (const TRowReport &r : p->Model->Report().Rows)
                planned << RowLine(r);
            const QAbstractItemModel *shown = p->lvPreview->model();
            for (int i = 0; i < shown->rowCount(); ++i)
                summary << shown->index(i, 1).data().toString();
            if (badFolder)
                QVERIFY2(shown->index(1, 2).data().toString().endsWith(" \u2192 " + m_bad + "bad.fb2"),
                         qPrintable(shown->index(1, 2).data().toString()));
            p->chkProblems->setChecked(true);
            QCOMPARE(p->VisibleRows(), 2);
            afterPreview = Tree();
            p->btnRun->click();
        });
        w.mmPreview->trigger();

        QCOMPARE(
            summary,
            (QStringList{"Будет размещена", badOutcome, "Будет размещена", "Не будет размещена", "Будет размещена"}));
        QCOMPARE(afterPreview, before);
        auto *report = w.findChild<TfrmReport *>();
        QVERIFY(report);
        QCOMPARE(ReportLines(*report), planned);
        QVERIFY(Tree() != before);
        QCOMPARE(QFile::exists(m_bad + "bad.fb2"), badFolder);
        QVERIFY(QFile::exists(m_books + "twin2.fb2"));
    }

    // Stopped half-way, the preview keeps what it showed, and "Обработать" runs just those rows;
    // the rest stay ticked, in place.
    void stoppedPreviewRunsOnlyWhatItShowed()
    {
        Settings(false, false);
        TorvMain w;
        FillPlain(w, 5);
        const QMap<QString, QByteArray> before = Tree();
        QString head;
        AnswerNextModal([&](QWidget *m) {
            auto *p = qobject_cast<TfrmPreview *>(m);
            QVERIFY(p);
            connect(p->Progress, &QProgressBar::valueChanged, p, [p](int v) {
                if (v > 0 && p->btnStop->isEnabled())
                    p->btnStop->click();
            });
            QTRY_VERIFY(!p->Planning() && p->btnRun->isEnabled());
            QCOMPARE(p->VisibleRows(), 1);
            QCOMPARE(p->ShownRows().size(), 1);
            head = p->lblSummary->text().section('\n', 0, 0);
            QCOMPARE(Tree(), before);
            p->btnRun->click();
        });
        w.mmPreview->trigger();
        QVERIFY2(head.startsWith(QStringLiteral("Предпросмотр остановлен")), qPrintable(head));
        QCOMPARE(Files(m_end), QStringList{"book1.fb2"});
        QCOMPARE(Files(m_books), (QStringList{"book2.fb2", "book3.fb2", "book4.fb2", "book5.fb2"}));
        QCOMPARE(w.CheckCount(), 4);
    }

    // From the query dialog: its switches are stored as with OK; a row ticked while the preview
    // is open was not shown, so the run leaves it.
    void rowTickedAfterThePreviewIsNotRun()
    {
        Settings(false, true);
        TorvMain w;
        FillPlain(w, 3);
        w.Model->setData(w.Model->index(2, 0), int(Qt::Unchecked), Qt::CheckStateRole);
        AnswerNextModal([&](QWidget *m) {
            auto *q = qobject_cast<TfrmQwery *>(m);
            QVERIFY(q);
            q->chkSort->setChecked(false);
            AnswerNextModal([&](QWidget *shown) {
                auto *p = qobject_cast<TfrmPreview *>(shown);
                QVERIFY(p);
                QTRY_VERIFY(!p->Planning() && p->btnRun->isEnabled());
                QCOMPARE(p->VisibleRows(), 2);
                w.Model->setData(w.Model->index(2, 0), int(Qt::Checked), Qt::CheckStateRole);
                p->btnRun->click();
            });
            q->btnPreview->click();
        });
        w.mmRun->trigger();
        QCOMPARE(TIniFile(m_folders->Config()).ReadString("AUTO", "Sort", "?"), QStringLiteral("0"));
        QCOMPARE(Files(m_end), (QStringList{"book1.fb2", "book2.fb2"}));
        QCOMPARE(Files(m_books), QStringList{"book3.fb2"});
        QCOMPARE(w.Model->CheckState(2), Qt::Checked);
    }

    // Closing the preview while it goes stops it first; closed, it runs nothing.
    void closedPreviewRunsNothing()
    {
        Settings(false, false);
        TorvMain w;
        FillPlain(w, 4);
        const QMap<QString, QByteArray> before = Tree();
        bool closedAtOnce = true;
        AnswerNextModal([&](QWidget *m) {
            auto *p = qobject_cast<TfrmPreview *>(m);
            QVERIFY(p);
            connect(p->Progress, &QProgressBar::valueChanged, p, [p, &closedAtOnce](int v) {
                if (v > 0 && p->Planning() && p->isVisible()) {
                    p->close();
                    closedAtOnce = !p->isVisible();
                }
            });
        });
        w.mmPreview->trigger();
        QVERIFY(!closedAtOnce);  // it waited for the plan to stop
        QVERIFY(!w.findChild<TfrmPreview *>());
        QVERIFY(!w.findChild<TfrmReport *>());
        QCOMPARE(Tree(), before);
        QCOMPARE(w.CheckCount(), 4);
    }
};

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
