#include "frm_Report.h"

#include "AppErrors.h"
#include "CentreOnOwner.h"
#include "OpenDialogs.h"
#include "RunReportModel.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const TRowOutcome kOutcomes[] = {TRowOutcome::Placed, TRowOutcome::Invalid, TRowOutcome::NotPlaced, TRowOutcome::Error,
                                 TRowOutcome::NotReached};

// The filter's name of the rows of each outcome.
QString FilterName(TRowOutcome outcome)
{
    switch (outcome) {
    case TRowOutcome::Placed: return QStringLiteral("Размещённые");
    case TRowOutcome::Invalid: return QStringLiteral("Не прошедшие проверку");
    case TRowOutcome::NotPlaced: return QStringLiteral("Не размещённые");
    case TRowOutcome::Error: return QStringLiteral("С ошибкой");
    case TRowOutcome::NotReached: return QStringLiteral("Не обработанные");
    }
    return QString();
}

}  // namespace

TfrmReport::TfrmReport(const TRunReport &report, QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(QStringLiteral("Отчёт об обработке"));
    setModal(false);

    m_model = new TRunReportModel(report, this);
    m_shown = new QSortFilterProxyModel(this);
    m_shown->setSourceModel(m_model);
    m_shown->setFilterKeyColumn(TRunReportModel::colOutcome);
    m_shown->setFilterRole(TRunReportModel::OutcomeRole);
    m_shown->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_shown->setSortLocaleAware(true);

    lblSummary = new QLabel(SummaryText(), this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    lblSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cbFilter = new QComboBox(this);
    cbFilter->setObjectName(QStringLiteral("cbFilter"));
    cbFilter->addItem(QStringLiteral("Все книги (%1)").arg(report.Rows.size()), -1);
    for (TRowOutcome o : kOutcomes)
        if (const int n = report.Count(o))
            cbFilter->addItem(QStringLiteral("%1 (%2)").arg(FilterName(o)).arg(n), int(o));
    connect(cbFilter, &QComboBox::currentIndexChanged, this, &TfrmReport::FilterChanged);
    auto *lblFilter = new QLabel(QStringLiteral("&Показать:"), this);
    lblFilter->setBuddy(cbFilter);

    lvReport = new QTableView(this);
    lvReport->setObjectName(QStringLiteral("lvReport"));
    lvReport->setModel(m_shown);
    lvReport->setSortingEnabled(true);
    lvReport->sortByColumn(-1, Qt::AscendingOrder);  // the run's order until a header is clicked
    lvReport->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvReport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvReport->setWordWrap(false);
    lvReport->setTextElideMode(Qt::ElideMiddle);
    lvReport->verticalHeader()->hide();
    lvReport->verticalHeader()->setDefaultSectionSize(lvReport->fontMetrics().height() + 6);
    lvReport->horizontalHeader()->setStretchLastSection(true);
    lvReport->setColumnWidth(TRunReportModel::colBook, 300);
    lvReport->setColumnWidth(TRunReportModel::colOutcome, 170);

    btnSave = new QPushButton(QStringLiteral("Сохранить отчёт..."), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnSave->setAutoDefault(false);
    connect(btnSave, &QPushButton::clicked, this, [this] { RunCommand(this, [this] { SaveReport(); }); });
    btnClose = new QPushButton(QStringLiteral("Закрыть"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);

    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(lblFilter);
    filterRow->addWidget(cbFilter);
    filterRow->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnSave);
    buttons->addStretch();
    buttons->addWidget(btnClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary);
    layout->addLayout(filterRow);
    layout->addWidget(lvReport, 1);
    layout->addWidget(FolderRow(QStringLiteral("Папка для книг:"), report.OutputDir, lblEndDir, btnOpenEndDir));
    layout->addWidget(FolderRow(QStringLiteral("Папка для плохих файлов:"), report.BadDir, lblBadDir, btnOpenBadDir));
    layout->addLayout(buttons);
    btnOpenEndDir->setObjectName(QStringLiteral("btnOpenEndDir"));
    btnOpenBadDir->setObjectName(QStringLiteral("btnOpenBadDir"));

    resize(820, 480);
}

QWidget *TfrmReport::FolderRow(const QString &caption, const QString &folder, QLabel *&label, QPushButton *&button)
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *name = new QLabel(caption, row);
    label = new QLabel(folder, row);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    button = new QPushButton(QStringLiteral("Открыть папку"), row);
    button->setAutoDefault(false);
    // A folder the run never made (no book went there) has nothing to show.
    button->setEnabled(!folder.isEmpty() && QFileInfo(folder).isDir());
    connect(button, &QPushButton::clicked, this, [folder] { OpenFolder(folder); });
    layout->addWidget(name);
    layout->addWidget(label, 1);
    layout->addWidget(button);
    return row;
}

QString TfrmReport::SummaryText() const
{
    const TRunReport &r = m_model->Report();
    QString head;
    if (!r.ErrorMessage.isEmpty())
        head = QStringLiteral("Обработка остановлена ошибкой: ") + ErrorBoxText(r.ErrorMessage);
    else if (r.Cancelled)
        head = QStringLiteral("Обработка прервана.");
    else
        head = QStringLiteral("Обработка завершена.");
    return head + QLatin1Char('\n')
        + QStringLiteral("Размещено: %1, не прошли проверку: %2, не размещено: %3, ошибок: %4, не обработано: %5.")
              .arg(r.Count(TRowOutcome::Placed))
              .arg(r.Count(TRowOutcome::Invalid))
              .arg(r.Count(TRowOutcome::NotPlaced))
              .arg(r.Count(TRowOutcome::Error))
              .arg(r.Count(TRowOutcome::NotReached));
}

void TfrmReport::FilterChanged()
{
    const int outcome = cbFilter->currentData().toInt();
    m_shown->setFilterRegularExpression(outcome < 0 ? QString() : QStringLiteral("^%1$").arg(outcome));
}

int TfrmReport::ShownRows() const { return m_shown->rowCount(); }

void TfrmReport::OpenFolder(const QString &folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::cleanPath(folder) + QLatin1Char('/')));
}

void TfrmReport::SaveReport()
{
    QFileDialog dlgSave(this, QStringLiteral("Сохранить отчёт"), QDir::homePath());
    dlgSave.setObjectName(QStringLiteral("dlgSave"));
    SpeakRussian(dlgSave);
    dlgSave.setAcceptMode(QFileDialog::AcceptSave);
    dlgSave.setFileMode(QFileDialog::AnyFile);
    dlgSave.setNameFilters({QStringLiteral("Текстовый файл (*.txt)"), QStringLiteral("Все файлы (*)")});
    dlgSave.setDefaultSuffix(QStringLiteral("txt"));
    dlgSave.selectFile(QStringLiteral("Отчёт об обработке.txt"));
    if (dlgSave.exec() != QDialog::Accepted || dlgSave.selectedFiles().isEmpty())
        return;
    WriteRunReport(dlgSave.selectedFiles().constFirst(), m_model->Report());
}

void TfrmReport::showEvent(QShowEvent *e)
{
    CentreOnOwner(this);
    QDialog::showEvent(e);
}
