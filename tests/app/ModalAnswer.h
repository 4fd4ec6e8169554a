#pragma once
// Answers the next modal window from inside its own event loop: the test arms it before the
// command that opens the window, and the action runs once the window is up.

#include <QApplication>
#include <QElapsedTimer>
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

// Closes every error box that comes up while it lives and keeps its text, so that an unexpected
// error fails the test at once instead of waiting on a box nobody answers.
class TErrorBoxWatch : public QObject {
public:
    TErrorBoxWatch()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *w = QApplication::activeModalWidget();
            if (w && w->objectName() == QLatin1String("ErrorBox") && w->isVisible()) {
                m_texts << w->property("text").toString();
                w->close();
            }
        });
        m_timer.start();
    }
    const QStringList &Texts() const { return m_texts; }
    void Clear() { m_texts.clear(); }

private:
    QTimer m_timer;
    QStringList m_texts;
};
