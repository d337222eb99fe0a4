#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One process per user session: a second launch asks the first to show its
// control panel and leaves. The socket lives in XDG_RUNTIME_DIR.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Role { Primary, HandedOver };

    explicit SingleInstance(QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString serverName();

    // Hands over to a running instance if there is one, otherwise starts listening.
    // A failure to listen still yields Primary: better two processes than none.
    Role claim();

    // Asks a running instance to show its panel; true once it confirmed. Bounded in time.
    static bool askRunningInstanceToShow(int timeoutMs = 1000);

signals:
    void showRequested();

private:
    void acceptConnections();

    QLocalServer *m_server;
};
