#include "PlatformChoice.h"

#include <pthread.h>
#include <sched.h>

PlatformChoice choosePlatform(const QByteArray &qtQpaPlatform, const QByteArray &waylandDisplay,
                              const QByteArray &sessionType, bool buildHasLayerShell,
                              const std::function<bool()> &compositorHasLayerShell)
{
    if (!qtQpaPlatform.isEmpty())
        return {};
    const bool wayland = !waylandDisplay.isEmpty() || sessionType.compare("wayland", Qt::CaseInsensitive) == 0;
    if (!wayland)
        return {};
    if (waylandDisplay.isEmpty())
        return {"xcb", QStringLiteral("Wayland session without WAYLAND_DISPLAY: the widgets run through XWayland")};
    if (!buildHasLayerShell)
        return {"xcb", QStringLiteral("this build has no layer-shell support (it needs Qt 6.5 and LayerShellQt): the "
                                      "widgets run through XWayland, where the compositor decides whether they stay "
                                      "on the desktop")};
    if (!compositorHasLayerShell())
        return {"xcb", QStringLiteral("the compositor offers no layer-shell (GNOME, for one): the widgets run through "
                                      "XWayland, where the compositor decides whether they stay on the desktop")};
    return {"wayland", QStringLiteral("native Wayland: the widgets are layer-shell surfaces on the desktop")};
}

void applyPlatformChoice(const PlatformChoice &choice)
{
    // Qt's X11 backing store, drawing through shared memory, waits for the X
    // server to be done with the segment before each repaint: a round trip that
    // wakes two more threads at every tick of the clock. The widgets' repaints
    // are small, so sending their pixels over the connection costs less.
    if (choice.platform != "wayland" && !qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    if (choice.platform.isEmpty())
        return;
    qputenv("QT_QPA_PLATFORM", choice.platform);
    // Qt's watchdog on frame callbacks wakes the app once more after every
    // frame; wayland::FrameAnswers learns of unanswered ones without it.
    if (choice.platform == "wayland" && !qEnvironmentVariableIsSet("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT"))
        qputenv("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT", "0");
}

static bool setThreadPolicy(int from, int to)
{
    int policy = 0;
    sched_param param{};
    if (pthread_getschedparam(pthread_self(), &policy, &param) != 0 || policy != from)
        return false;
    param.sched_priority = 0;
    return pthread_setschedparam(pthread_self(), to, &param) == 0;
}

PlatformThreadsPolicy::PlatformThreadsPolicy(const QByteArray &qtQpaPlatform)
{
    if (qtQpaPlatform.startsWith("wayland"))
        m_changed = setThreadPolicy(SCHED_OTHER, SCHED_BATCH);
}

PlatformThreadsPolicy::~PlatformThreadsPolicy()
{
    if (m_changed)
        setThreadPolicy(SCHED_BATCH, SCHED_OTHER);
}
