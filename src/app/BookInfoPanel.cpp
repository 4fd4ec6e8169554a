#include "BookInfoPanel.h"

#include "AppErrors.h"
#include "BookInfoView.h"
#include "ElidedLabel.h"
#include "config/AppSettings.h"
#include "config/Folders.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QThread>

TBookInfoPanel::TBookInfoPanel(QWidget *window, TBookInfoView *view, TElidedLabel *status)
    : QObject(window), m_window(window), m_view(view), m_status(status)
{
    // Key repeat moves the selection every 30 to 50 ms; a row the selection rests on longer is
    // one the user looks at.
    m_settle.setSingleShot(true);
    m_settle.setInterval(120);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        if (m_settling && !m_keyHeld)
            Ask(*std::exchange(m_settling, std::nullopt), TStatus::FullPath);
    });
}

TBookInfoPanel::~TBookInfoPanel() { Stop(); }

void TBookInfoPanel::WatchKeys(QWidget *list)
{
    m_list = list;
    list->installEventFilter(this);
}

bool TBookInfoPanel::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_list) {
        const bool press = e->type() == QEvent::KeyPress, release = e->type() == QEvent::KeyRelease;
        // Key repeat comes as presses and releases marked as repeats; only the real ones count.
        const bool focusOut = e->type() == QEvent::FocusOut;
        if (((press || release) && !static_cast<QKeyEvent *>(e)->isAutoRepeat()) || focusOut) {
            m_keyHeld = press;
            if (!press && m_settling)
                m_settle.start();
        }
    }
    return QObject::eventFilter(watched, e);
}

void TBookInfoPanel::SelectionChanged(const TListEntry *entry)
{
    if (!entry) {
        m_settle.stop();
        m_settling.reset();
        return;
    }
    if (AppSettings.ChangeInfo) {
        // The status pane changes with the page, so that a page that fails leaves both as they were.
        m_settling = *entry;
        m_settle.start();
    } else {
        m_status->SetFullText(QString());
    }
}

void TBookInfoPanel::ShowCommand(const TListEntry *entry)
{
    if (!entry)
        return;
    if (!AppSettings.ChangeInfo) {
        Ask(*entry, TStatus::BareName);
        return;
    }
    m_status->SetFullText(entry->FileName);
    // A page of the selection still on its way must not put the full path back afterwards.
    if (m_settling) {
        m_settle.stop();
        Ask(*std::exchange(m_settling, std::nullopt), TStatus::BareName);
    } else if (m_wanted) {
        m_wanted->Status = TStatus::BareName;
    }
}

void TBookInfoPanel::Ask(const TListEntry &entry, TStatus status)
{
    m_wanted = TRequest{entry, status, ++m_serial};
    SetBusyCursor(true);
    // One build at a time: the one under way finishes, is found stale, and the newest starts.
    if (!m_worker)
        Launch(*m_wanted);
}

void TBookInfoPanel::Launch(const TRequest &request)
{
    auto result = std::make_shared<TResult>();
    result->Serial = request.Serial;
    m_result = result;
    const TListEntry entry = request.Entry;
    const QString tempDir = TempDir, utilsDir = UtilsDir;
    m_worker = QThread::create([result, entry, tempDir, utilsDir] {
        try {
            DescribeEntry(entry, result->Info, tempDir, utilsDir);
        } catch (...) {
            result->Failed = true;
            result->Error = CurrentExceptionText();
        }
    });
    const quint64 serial = request.Serial;
    connect(m_worker, &QThread::finished, this, [this, serial] { WorkerFinished(serial); });
    m_worker->start();
}

void TBookInfoPanel::WorkerFinished(quint64 serial)
{
    // A worker that Stop already waited for has nothing more to say.
    if (!m_worker || !m_result || m_result->Serial != serial)
        return;
    m_worker->wait();
    m_worker->deleteLater();
    m_worker = nullptr;
    const TResult result = *std::exchange(m_result, nullptr);

    if (!m_wanted || m_wanted->Serial != result.Serial) {
        m_history.Discard(result.Info);
        if (m_wanted)
            Launch(*m_wanted);
        return;
    }
    const TRequest request = *std::exchange(m_wanted, std::nullopt);
    SetBusyCursor(false);
    Show(request, result);
    emit Done();
}

void TBookInfoPanel::Show(const TRequest &request, const TResult &result)
{
    // Files a failed build wrote stay a while, as those of a page shown do.
    m_history.Add(result.Info);
    if (result.Failed) {
        ShowErrorBox(m_window, result.Error);
        return;
    }
    if (result.Info.Book.Result == TBookInfoResult::Invalid) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("ERROR"), result.Info.Book.ErrorText, QMessageBox::Ok,
                        m_window);
        box.setObjectName(QStringLiteral("InvalidBookBox"));
        box.exec();
    }
    m_view->ShowPage(result.Info.Link);
    m_status->SetFullText(request.Status == TStatus::FullPath ? InfoStatusText(request.Entry) : request.Entry.FileName);
}

void TBookInfoPanel::Stop()
{
    m_settle.stop();
    m_settling.reset();
    m_wanted.reset();
    SetBusyCursor(false);
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
        if (m_result)
            m_history.Discard(std::exchange(m_result, nullptr)->Info);
    }
}

void TBookInfoPanel::SetBusyCursor(bool busy)
{
    if (busy == m_busyCursor)
        return;
    m_busyCursor = busy;
    // The arrow with the hourglass: the window stays usable while the page is made.
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}
