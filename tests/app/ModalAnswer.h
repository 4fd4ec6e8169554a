#pragma once
// Answers the next modal window from inside its own event loop: the test arms it before the
// command that opens the window, and the action runs once the window is up.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <functional>

// Looks for the modal window every few milliseconds until it is up or the time is over. An
// object of the application's, so that nothing holds on to itself and whatever is left goes with
// the application.
class TModalAnswer : public QObject {
public:
    TModalAnswer(std::function<void(QWidget *)> action, int timeoutMs)
        : QObject(qApp), m_action(std::move(action)), m_timeoutMs(timeoutMs)
    {
        m_clock.start();
        QTimer::singleShot(0, this, &TModalAnswer::Poll);
    }

private:
    void Poll()
    {
        if (QWidget *w = QApplication::activeModalWidget(); w && w->isVisible()) {
            // The action may open the next window and wait in its loop; this object is gone
            // only once control is back here.
            const std::function<void(QWidget *)> action = std::move(m_action);
            deleteLater();
            action(w);
            return;
        }
        if (m_clock.elapsed() < m_timeoutMs)
            QTimer::singleShot(10, this, &TModalAnswer::Poll);
        else
            deleteLater();
    }

    std::function<void(QWidget *)> m_action;
    QElapsedTimer m_clock;
    int m_timeoutMs;
};

// The wait is long: a loaded machine may take seconds to bring up a file dialog, and a window
// that comes after the wait would never be answered. Pass a short one where no window may come.
inline void AnswerNextModal(std::function<void(QWidget *)> action, int timeoutMs = 60000)
{
    new TModalAnswer(std::move(action), timeoutMs);
}

// Calls `onShow` for every widget that is shown while it lives: a box is caught as it comes up,
// whatever its event loop does later.
class TShowWatch : public QObject {
public:
    explicit TShowWatch(std::function<void(QWidget *)> onShow) : m_onShow(std::move(onShow))
    {
        qApp->installEventFilter(this);
    }
    ~TShowWatch() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show && o->isWidgetType())
            m_onShow(static_cast<QWidget *>(o));
        return false;
    }

private:
    std::function<void(QWidget *)> m_onShow;
};

// Closes every error box that comes up while it lives and keeps its text, so that an unexpected
// error fails the test at once instead of waiting on a box nobody answers.
class TErrorBoxWatch : public QObject {
public:
    TErrorBoxWatch()
        : m_watch([this](QWidget *w) {
              if (w->objectName() != QLatin1String("ErrorBox"))
                  return;
              m_texts << w->property("text").toString();
              QTimer::singleShot(0, w, &QWidget::close);
          })
    {}
    const QStringList &Texts() const { return m_texts; }
    void Clear() { m_texts.clear(); }

private:
    TShowWatch m_watch;
    QStringList m_texts;
};
