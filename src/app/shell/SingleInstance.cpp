#include "SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {
constexpr char kShowRequest[] = "show\n";
constexpr char kAck[] = "ok\n";
}  // namespace

SingleInstance::SingleInstance(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + "/pellix-widget.sock";
    return QDir::tempPath() + "/pellix-widget-" + QString::number(getuid()) + ".sock";
}

bool SingleInstance::askRunningInstanceToShow(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    return socket.readLine() == kAck;
}

SingleInstance::Role SingleInstance::claim()
{
    const QString name = serverName();
    if (askRunningInstanceToShow())
        return Role::HandedOver;
    if (m_server->listen(name))
        return Role::Primary;
    if (askRunningInstanceToShow())  // lost a race with another launch
        return Role::HandedOver;
    // Nobody answers on the existing socket: a crashed instance left it behind.
    QLocalServer::removeServer(name);
    m_server->listen(name);
    return Role::Primary;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == kShowRequest) {
                    socket->write(kAck);
                    emit showRequested();
                }
            }
            if (socket->bytesAvailable() > 64)  // not our protocol
                socket->abort();
        });
    }
}
