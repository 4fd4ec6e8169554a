#pragma once
// Answers the next modal window from inside its own event loop: the test arms it before the
// command that opens the window, and the action runs once the window is up.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

inline void AnswerNextModal(std::function<void(QWidget *)> action, int timeoutMs = 5000)
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=] {
        if (QWidget *w = QApplication::activeModalWidget(); w && w->isVisible()) {
            action(w);
            return;
        }
        if (clock->elapsed() < timeoutMs)
            QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
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
    {
    }
    const QStringList &Texts() const { return m_texts; }
    void Clear() { m_texts.clear(); }

private:
    TShowWatch m_watch;
    QStringList m_texts;
};
