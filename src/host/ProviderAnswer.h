#pragma once

// A provider may answer at once or later from any thread: its answer reaches
// the host on the GUI thread, and only while the object waiting for it lives.

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <functional>
#include <optional>

template <typename T>
std::function<void(T)> onGuiThread(QObject *receiver, std::function<void(T)> handler)
{
    return [guard = QPointer<QObject>(receiver), thread = receiver->thread(), handler](T value) {
        if (QThread::currentThread() == thread) {
            if (guard)
                handler(std::move(value));
            return;
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard, handler, value = std::move(value)]() mutable {
                if (guard)
                    handler(std::move(value));
            },
            Qt::QueuedConnection);
    };
}

// The first answer to `request`, waited for at most `timeoutMs`.
template <typename T>
std::optional<T> awaitAnswer(const std::function<void(const std::function<void(T)> &)> &request, int timeoutMs)
{
    QEventLoop loop;
    std::optional<T> answer;
    request(onGuiThread<T>(&loop, [&](T value) {
        if (!answer) {
            answer = std::move(value);
            loop.quit();
        }
    }));
    if (!answer) {
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return answer;
}
