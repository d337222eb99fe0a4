#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QLocalServer;

// One process per user and display. The primary holds an advisory lock for its
// whole life, so two launches can never both win and a frozen primary still
// counts as running. A later launch asks the primary to show its control panel
// (bounded) and leaves. Lock and socket live in XDG_RUNTIME_DIR, or else in a
// private 0700 directory of ours in the user's cache folder (in the temporary
// folder when the cache's path is too long for a socket address). With none of
// these no launch runs: two primaries would fight over the same settings.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Role { Primary, HandedOver, Refused };

    explicit SingleInstance(QObject *parent = nullptr);
    ~SingleInstance() override;

    // The directory of the lock and the socket; empty when no safe one exists.
    static QString runtimeDirectory();
    // The display of this session as a file-name part: "x11-0" for ":0" and ":0.0",
    // "wayland-…" when only WAYLAND_DISPLAY is set, "none" without either.
    static QString displayKey(const QByteArray &display, const QByteArray &waylandDisplay);
    // Socket and lock of this user and display (from the environment); empty
    // when runtimeDirectory() is.
    static QString serverName();
    static QString lockPath();

    // Primary when this process got the lock; HandedOver when another primary
    // holds it, whether or not that one answered the request to show its panel;
    // Refused when there is no lock to take (refusal() says why).
    Role claim();
    QString refusal() const { return m_refusal; }

    // Asks a running instance to show its panel; true once it confirmed. Bounded in time.
    static bool askRunningInstanceToShow(int timeoutMs = 1000);

signals:
    void showRequested();

private:
    void acceptConnections();
    void requestShow();

    QLocalServer *m_server;
    int m_lockFd = -1;
    int m_connections = 0;  // accepted and not yet closed
    QString m_refusal;
    QElapsedTimer m_lastShow;
    bool m_showPending = false;
};
