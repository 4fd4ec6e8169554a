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
