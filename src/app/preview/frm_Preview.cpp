#include "preview/frm_Preview.h"

#include "AppErrors.h"
#include "globals/Errors.h"
#include "preview/PreviewModel.h"
#include "run/ProcessingRun.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The button's caption in full, whatever the desktop's font.
void FitCaption(QPushButton *b) { b->setFixedWidth(qMax(75, b->fontMetrics().horizontalAdvance(b->text()) + 20)); }

}  // namespace

TfrmPreview::TfrmPreview(QWidget *owner, const TRunRows &rows) : TProgramDialog(owner), m_rows(rows)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Предпросмотр"));
    setSizeGripEnabled(true);

    Model = m_model = new TPreviewModel(this);
    m_shownRows = new QSortFilterProxyModel(this);
    m_shownRows->setSourceModel(m_model);
    m_shownRows->setFilterKeyColumn(TPreviewModel::colOutcome);
    m_shownRows->setFilterRole(TPreviewModel::OutcomeRole);

    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    lblSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    chkProblems = new QCheckBox(QStringLiteral("Показать только книги, которые не будут размещены"), this);
    chkProblems->setObjectName(QStringLiteral("chkProblems"));
    connect(chkProblems, &QCheckBox::toggled, this, [this](bool on) {
        m_shownRows->setFilterRegularExpression(on ? QStringLiteral("^(?!%1$)").arg(int(TRowOutcome::Placed))
                                                   : QString());
    });

    lvPreview = new QTableView(this);
    lvPreview->setObjectName(QStringLiteral("lvPreview"));
    lvPreview->setModel(m_shownRows);
    lvPreview->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvPreview->setWordWrap(false);
    lvPreview->setTextElideMode(Qt::ElideMiddle);
    // Fixed heights and widths: thousands of rows are laid out without measuring each one.
    lvPreview->verticalHeader()->hide();
    lvPreview->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lvPreview->verticalHeader()->setDefaultSectionSize(lvPreview->fontMetrics().height() + 6);
    lvPreview->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    lvPreview->horizontalHeader()->setStretchLastSection(true);
    lvPreview->setColumnWidth(TPreviewModel::colBook, 320);
    lvPreview->setColumnWidth(TPreviewModel::colOutcome, 170);

    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setRange(0, 100);
    Progress->setValue(0);

    btnRun = DialogButton(QStringLiteral("Обработать"), QStringLiteral("btnRun"), this);
    btnStop = DialogButton(QStringLiteral("Остановить"), QStringLiteral("btnStop"), this);
    btnClose = DialogButton(QStringLiteral("Закрыть"), QStringLiteral("btnClose"), this);
    for (QPushButton *b : {btnRun, btnStop, btnClose})
        FitCaption(b);
    btnRun->setEnabled(false);
    btnStop->setEnabled(false);

    auto *top = new QVBoxLayout;
    top->setContentsMargins(6, 6, 6, 6);
    top->addWidget(lblSummary);
    top->addWidget(chkProblems);
    top->addWidget(lvPreview, 1);
    top->addWidget(Progress);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top, 1);
    layout->addWidget(ButtonPanel(this, {btnRun, btnStop}, btnClose));

    connect(btnRun, &QPushButton::clicked, this, [this] { done(mrRun); });
    connect(btnStop, &QPushButton::clicked, this, [] { CancelRequested = true; });
    connect(btnClose, &QPushButton::clicked, this, &TfrmPreview::reject);

    resize(980, 560);
    ShowSummary();
}

void TfrmPreview::showEvent(QShowEvent *e)
{
    TProgramDialog::showEvent(e);
    if (!m_started) {
        m_started = true;
        QTimer::singleShot(0, this, [this] { RunCommand(this, [this] { Plan(); }); });
    }
}

void TfrmPreview::reject()
{
    if (m_planning) {
        // The plan stops at its next row; the dialog closes then.
        m_closeWith = mrClose;
        CancelRequested = true;
        return;
    }
    done(mrClose);
}

int TfrmPreview::VisibleRows() const { return m_shownRows->rowCount(); }

void TfrmPreview::RowPlanned(const TRowReport &row)
{
    m_pending.append(row);
    m_shown.insert(row.Row);
    ++m_counts[int(row.Outcome)];
    if (m_sinceFlush.elapsed() >= 100)
        FlushRows();
}

void TfrmPreview::FlushRows()
{
    m_model->AppendRows(m_pending);
    m_pending.clear();
    ShowSummary();
    m_sinceFlush.restart();
}

void TfrmPreview::ShowSummary()
{
    QString head;
    if (m_planning)
        head = QStringLiteral("Идёт проверка книг, файлы не изменяются...");
    else if (!m_error.isEmpty())
        head = QStringLiteral("Предпросмотр остановлен ошибкой: ") + ErrorBoxText(m_error);
    else if (m_cancelled)
        head = QStringLiteral("Предпросмотр остановлен; \"Обработать\" обработает только показанные книги.");
    else
        head = QStringLiteral("Так пройдёт обработка отмеченных книг; файлы пока не изменены.");
    lblSummary->setText(head + QLatin1Char('\n')
                        + QStringLiteral("Будут размещены: %1, не пройдут проверку: %2, не будут размещены: %3.")
                              .arg(m_counts[int(TRowOutcome::Placed)])
                              .arg(m_counts[int(TRowOutcome::Invalid)])
                              .arg(m_counts[int(TRowOutcome::NotPlaced)]));
}

void TfrmPreview::Plan()
{
    if (m_planning || TProcessingRun::IsRunning())
        throw EOrvane(TProcessingRun::RunAlreadyGoing());
    m_planning = true;
    m_cancelled = false;
    m_error.clear();
    btnStop->setEnabled(true);
    btnRun->setEnabled(false);
    m_sinceFlush.start();
    ShowSummary();
    const auto stopped = qScopeGuard([this] {
        m_planning = false;
        FlushRows();
        btnStop->setEnabled(false);
        btnRun->setEnabled(!m_shown.isEmpty());
        if (m_closeWith)
            QTimer::singleShot(0, this, [this] { done(m_closeWith); });
    });

    TRunCallbacks cb;
    cb.ProcessMessages = [] { QCoreApplication::processEvents(); };
    cb.Progress = [this](int percent) { Progress->setValue(percent); };
    cb.RowDone = [this](const TRowReport &r) { RowPlanned(r); };
    TRunOptions options;
    options.DryRun = true;
    TProcessingRun run(m_rows, cb, options);
    try {
        run.Execute();
    } catch (...) {
        m_error = run.Summary().ErrorMessage;
        throw;
    }
    m_cancelled = run.Summary().Cancelled;
    if (!m_cancelled)
        Progress->setValue(100);
}
