#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Which Qt platform the widgets run on, chosen before the application object exists.
struct PlatformChoice {
    QByteArray platform;  // for QT_QPA_PLATFORM; empty: leave it as it is
    QString note;         // on a Wayland session, what the user gets there (said once in the log)
};

// A user's own QT_QPA_PLATFORM wins. A Wayland session gets native layer-shell
// widgets when the build has them and the compositor offers layer-shell
// (`compositorHasLayerShell` is asked only then); otherwise XWayland.
PlatformChoice choosePlatform(const QByteArray &qtQpaPlatform, const QByteArray &waylandDisplay,
                              const QByteArray &sessionType, bool buildHasLayerShell,
                              const std::function<bool()> &compositorHasLayerShell);

// Puts a choice where Qt reads it at start. On native Wayland it also stops Qt
// from watching every frame for a compositor that no longer answers (a timer
// waking the app 100 ms after each frame): the widgets paint at most once a
// second and nothing waits on their frames. A user's own settings win.
void applyPlatformChoice(const PlatformChoice &choice);

// Qt's Wayland client reads the display connection on two threads it starts
// with the application object; every message from the compositor (one a repaint)
// wakes both, and they wake each other and the main thread in turn. Started as
// batch threads, a woken one waits for the thread that woke it to sleep instead
// of preempting it: about half the scheduling per repaint, for a relay delay of
// at most a time slice while the processor is busy. Hold one of these across
// the application object's construction: the threads started meanwhile inherit
// the policy, the main thread gets its own back. A policy the user chose stays.
class PlatformThreadsPolicy
{
public:
    explicit PlatformThreadsPolicy(const QByteArray &qtQpaPlatform);
    ~PlatformThreadsPolicy();
    PlatformThreadsPolicy(const PlatformThreadsPolicy &) = delete;
    PlatformThreadsPolicy &operator=(const PlatformThreadsPolicy &) = delete;

private:
    bool m_changed = false;
};
