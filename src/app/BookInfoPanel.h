#pragma once
// The book information panel's work: VSTChange and ShowBookInfo of the main window end here.
// A description is built on a worker thread, one at a time, so that a 40 MB book never holds up
// the window; a selection must rest for a moment before its page is built, and a page whose row
// is no longer wanted when it is ready is thrown away, so holding an arrow key through the list
// queues up nothing. Only the newest few description folders stay on disk.

#include "info/DescriptionHistory.h"
#include "info/EntryInfo.h"
#include "list/ListEntry.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

class QThread;
class QWidget;
class TBookInfoView;
class TElidedLabel;

class TBookInfoPanel : public QObject {
    Q_OBJECT
public:
    TBookInfoPanel(QWidget *window, TBookInfoView *view, TElidedLabel *status);
    ~TBookInfoPanel() override;

    // VSTChange: the row whose selection changed, or none.
    void SelectionChanged(const TListEntry *entry);
    // ShowBookInfo: the focused row, or none.
    void ShowCommand(const TListEntry *entry);
    // Waits for a build under way and forgets what was asked for; nothing more is shown.
    void Stop();
    // While a key is held down on this list the selection is on its way, not at rest: no page
    // is built (and no box about an invalid book stops the user) until the key comes up.
    void WatchKeys(QWidget *list);

    // True while a description is asked for and not yet shown (or failed).
    bool Busy() const { return m_wanted.has_value() || m_settling.has_value(); }
    // How long a selection must rest before its page is built.
    void SetSettleTime(int ms) { m_settle.setInterval(ms); }
    const TDescriptionHistory &History() const { return m_history; }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

signals:
    // A description asked for has been dealt with: shown, found invalid, or failed.
    void Done();

private:
    enum class TStatus { FullPath, BareName };
    struct TRequest {
        TListEntry Entry;
        TStatus Status = TStatus::FullPath;
        quint64 Serial = 0;
    };
    struct TResult {
        quint64 Serial = 0;
        TEntryInfo Info;
        bool Failed = false;
        QString Error;
    };

    void Ask(const TListEntry &entry, TStatus status);
    void Launch(const TRequest &request);
    void WorkerFinished(quint64 serial);
    void Show(const TRequest &request, const TResult &result);
    void SetBusyCursor(bool busy);

    QWidget *m_window;
    TBookInfoView *m_view;
    TElidedLabel *m_status;
    QTimer m_settle;
    std::optional<TListEntry> m_settling;  // the selected row, until it has rested
    std::optional<TRequest> m_wanted;  // the description to show next
    QThread *m_worker = nullptr;
    std::shared_ptr<TResult> m_result;  // written by the worker, read after it ended
    quint64 m_serial = 0;
    bool m_busyCursor = false;
    QWidget *m_list = nullptr;
    bool m_keyHeld = false;
    TDescriptionHistory m_history;
};
