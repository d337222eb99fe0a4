#pragma once

// Whether anyone can see the widgets: not while the session is locked (logind's
// LockedHint on the system bus) or the desktop's screen saver is active
// (org.freedesktop.ScreenSaver on the session bus) or the X screen is blank
// (the X server's screen saver or DPMS), nor a view whose window is entirely
// covered by other windows (X11) or not shown by the compositor (Wayland).
// Views follow it to stop repaints and display-only timers while unseen,
// keeping the work whose results others read (the shared file).

#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <functional>

class QWidget;

class SessionSight : public QObject {
    Q_OBJECT

public:
    static SessionSight &shared();

    // The session: neither locked, nor behind the screen saver, nor blank.
    bool seen() const { return !m_locked && !m_saverActive && !m_blank; }
    // The session, and `view`'s window not covered.
    bool sees(const QWidget *view) const;

    // Holds `view`'s paints while unseen (so nothing queues up) and lets it
    // repaint once when seen again; `changed` then starts or stops the view's
    // own timers. Both end with `view`.
    void follow(QWidget *view, std::function<void(bool seen)> changed = {});

signals:
    void seenChanged(bool seen);

private slots:
    void onSessionProperties(const QString &interface, const QVariantMap &changed, const QStringList &invalidated);
    void onScreenSaverActive(bool active);

private:
    SessionSight();
    void watchLogind();
    void watchScreenSaver();
    void setFlag(bool &flag, bool value);

    bool m_locked = false;
    bool m_saverActive = false;
    bool m_blank = false;
};
