#include "ExposureWait.h"

#include <QEvent>
#include <QWindow>

ExposureWait::ExposureWait(const QList<QWindow *> &windows, QObject *parent) : QObject(parent)
{
    for (QWindow *window : windows) {
        m_pending.append(window);
        window->installEventFilter(this);
    }
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, &ExposureWait::finish);
    m_timeout.start(kLaunchWaitMs);
}

bool ExposureWait::eventFilter(QObject *watched, QEvent *event)
{
    auto *window = static_cast<QWindow *>(watched);
    const bool settled = (event->type() == QEvent::Expose && window->isExposed()) || event->type() == QEvent::Hide;
    if (settled && m_pending.removeAll(window) > 0) {
        window->removeEventFilter(this);
        m_pending.removeAll(nullptr);
        // Queued: the window paints for the first time before what waits runs.
        if (m_pending.isEmpty())
            QMetaObject::invokeMethod(this, &ExposureWait::finish, Qt::QueuedConnection);
    }
    return false;
}

void ExposureWait::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    for (QWindow *window : std::as_const(m_pending))
        if (window)
            window->removeEventFilter(this);
    emit done();
}
