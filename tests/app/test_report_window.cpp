// The report window after a run: its counts, the filter by outcome, sorting, the folders opened
// in the desktop's file manager, and the report saved as a text file.

#include "ModalAnswer.h"
#include "frm_Report.h"
#include "run/RunReport.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TRowReport Row(const QString &name, TRowOutcome outcome, const QString &output, const QString &message = {})
{
    TRowReport r;
    r.Entry.FileDir = QStringLiteral("/книги/");
    r.Entry.FileName = name;
    r.Outcome = outcome;
    r.OutputPath = output;
    r.Message = message;
    return r;
}

// Takes the file URLs the window asks the desktop to open.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

}  // namespace

class TestReportWindow : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    TRunReport m_report;

    QString folder(const QString &name) const { return m_dir.filePath(name) + QLatin1Char('/'); }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(folder("end")));
        QVERIFY(QDir().mkpath(folder("bad")));
        m_report.OutputDir = folder("end");
        m_report.BadDir = folder("bad");
        m_report.Cancelled = true;
        m_report.Rows << Row("в.fb2", TRowOutcome::Placed, folder("end") + "Ч/Чехов.fb2")
                      << Row("а.fb2", TRowOutcome::Invalid, folder("bad") + "а.fb2",
                             "Код ошибки 1\r\nСтрока 3\r\nСимвол 7\r\nElement 'x': not expected.\r\n")
                      << Row("б.fb2", TRowOutcome::Placed, folder("end") + "Т/Толстой.fb2")
                      << Row("г.fb2", TRowOutcome::NotPlaced, "/книги/г.fb2",
                             "Файл не перемещён в \"/x\": Файл существует\r\n")
                      << Row("д.fb2", TRowOutcome::NotReached, {}, NotReachedCancelled());
    }

    // The header counts each outcome; the filter offers only outcomes that occurred, with their
    // counts, and shows just their rows.
    void countsAndFilter_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QStringList>("books");  // the rows shown, in the run's order
        QTest::newRow("all") << "Все книги (5)" << QStringList{"в.fb2", "а.fb2", "б.fb2", "г.fb2", "д.fb2"};
        QTest::newRow("placed") << "Размещённые (2)" << QStringList{"в.fb2", "б.fb2"};
        QTest::newRow("invalid") << "Не прошедшие проверку (1)" << QStringList{"а.fb2"};
        QTest::newRow("not placed") << "Не размещённые (1)" << QStringList{"г.fb2"};
        QTest::newRow("not reached") << "Не обработанные (1)" << QStringList{"д.fb2"};
    }
    void countsAndFilter()
    {
        QFETCH(QString, choice);
        QFETCH(QStringList, books);
        TfrmReport w(m_report, nullptr);
        QCOMPARE(w.lblSummary->text(),
                 QStringLiteral("Обработка прервана.\nРазмещено: 2, не прошли проверку: 1, не размещено: 1, ошибок: 0, "
                                "не обработано: 1."));
        QStringList items;
        for (int i = 0; i < w.cbFilter->count(); ++i)
            items << w.cbFilter->itemText(i);
        QCOMPARE(items,
                 (QStringList{"Все книги (5)", "Размещённые (2)", "Не прошедшие проверку (1)", "Не размещённые (1)",
                              "Не обработанные (1)"}));
        w.cbFilter->setCurrentIndex(w.cbFilter->findText(choice));
        QCOMPARE(w.ShownRows(), int(books.size()));
        QStringList shown;
        for (int i = 0; i < w.ShownRows(); ++i)
            shown << w.lvReport->model()->index(i, 0).data().toString().section('/', -1);
        QCOMPARE(shown, books);
    }

    // Each row: the book, its outcome with its mark, its target or its reason on one line, the
    // whole reason in the tooltip; a header click sorts.
    void rowsAndSorting()
    {
        TfrmReport w(m_report, nullptr);
        const QAbstractItemModel *m = w.lvReport->model();
        QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Куда помещена или почему нет"));
        QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("/книги/в.fb2"));
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("Размещена"));
        QVERIFY(!m->index(0, 1).data(Qt::DecorationRole).value<QIcon>().isNull());
        QCOMPARE(m->index(0, 2).data().toString(), folder("end") + "Ч/Чехов.fb2");
        QCOMPARE(m->index(1, 2).data().toString(), QStringLiteral("Element 'x': not expected. (строка 3, символ 7)"));
        QVERIFY(m->index(1, 2).data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("Код ошибки 1")));
        QCOMPARE(m->index(4, 2).data().toString(), QStringLiteral("Обработка прервана"));

        w.lvReport->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
        QStringList sorted;
        for (int i = 0; i < m->rowCount(); ++i)
            sorted << m->index(i, 0).data().toString().section('/', -1);
        QCOMPARE(sorted, (QStringList{"а.fb2", "б.fb2", "в.fb2", "г.fb2", "д.fb2"}));
    }

    // "Открыть папку" hands the folder to the desktop; a folder that does not exist cannot be opened.
    void openFolders()
    {
        TUrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        TfrmReport w(m_report, nullptr);
        QCOMPARE(w.btnOpenEndDir->text(), QStringLiteral("Открыть папку"));
        w.btnOpenEndDir->click();
        w.btnOpenBadDir->click();
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(catcher.urls, (QList<QUrl>{QUrl::fromLocalFile(folder("end")), QUrl::fromLocalFile(folder("bad"))}));

        TRunReport noBadFolder = m_report;
        noBadFolder.BadDir = folder("missing");
        TfrmReport w2(noBadFolder, nullptr);
        QVERIFY(w2.btnOpenEndDir->isEnabled());
        QVERIFY(!w2.btnOpenBadDir->isEnabled());
    }

    // The save dialog speaks Russian and the file holds the lines of the command line's report.
    void saveAsText()
    {
        TfrmReport w(m_report, nullptr);
        const QString path = m_dir.filePath("отчёт");
        QString title;
        AnswerNextModal([&](QWidget *dlg) {
            auto *save = qobject_cast<QFileDialog *>(dlg);
            QVERIFY(save);
            title = save->windowTitle();
            save->selectFile(path);
            QMetaObject::invokeMethod(save, "accept");
        });
        w.btnSave->click();
        QCOMPARE(title, QStringLiteral("Сохранить отчёт"));
        QFile f(path + ".txt");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), RunReportData(m_report));
    }
};

QTEST_MAIN(TestReportWindow)
#include "test_report_window.moc"
