#include "FrameAnswers.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace wayland {

namespace {
// Longer than a compositor takes to answer while it shows the surface, and
// than the gap between an animation's frames; shorter than a clock's tick.
constexpr qint64 kUnansweredMs = 500;
}  // namespace

FrameAnswers *FrameAnswers::shared()
{
    static FrameAnswers *instance =
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ? new FrameAnswers : nullptr;
    return instance;
}

void FrameAnswers::watch(QWidget *view)
{
    view->installEventFilter(this);
}

bool FrameAnswers::eventFilter(QObject *watched, QEvent *event)
{
    if (auto *window = qobject_cast<QWindow *>(watched)) {
        switch (event->type()) {
        case QEvent::UpdateRequest:
            // Ours (the last commit answered): the widgets' repaints come as
            // their own events, this one would only repaint the whole window.
            if (m_asked.remove(window)) {
                setUnseen(window, false);
                return true;
            }
            break;
        case QEvent::Hide:  // its surface goes, and with it what was asked of it
            m_asked.remove(window);
            setUnseen(window, false);
            break;
        default:
            break;
        }
        return false;
    }
    auto *widget = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::Show) {
        // The view's window exists once it shows: followed from then on.
        QWidget *top = widget->window();
        QWindow *window = top->windowHandle();
        if (window && !m_windows.contains(window)) {
            m_windows.insert(window);
            top->installEventFilter(this);
            window->installEventFilter(this);
            connect(window, &QObject::destroyed, this, [this, window] {
                m_windows.remove(window);
                m_asked.remove(window);
                m_unseen.remove(window);
            });
        }
    } else if (event->type() == QEvent::UpdateRequest && widget->isWindow()) {
        // The window's widgets are about to repaint and commit.
        QWindow *window = widget->windowHandle();
        if (!window || !window->handle())  // without a platform window Qt would never deliver it
            return false;
        const auto asked = m_asked.constFind(window);
        if (asked == m_asked.constEnd()) {
            m_asked[window].start();
            window->requestUpdate();
        } else if (asked->hasExpired(kUnansweredMs)) {
            setUnseen(window, true);
        }
    }
    return false;
}

void FrameAnswers::setUnseen(const QWindow *window, bool unseen)
{
    if (unseen == m_unseen.contains(window))
        return;
    if (unseen)
        m_unseen.insert(window);
    else
        m_unseen.remove(window);
    emit changed();
}

}  // namespace wayland
