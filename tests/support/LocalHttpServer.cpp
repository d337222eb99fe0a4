#include "LocalHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace pellix::test {

namespace {

void serve(QTcpSocket *socket, const HttpAnswer &answer)
{
    if (answer.kind == HttpAnswer::Kind::Endless) {
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nConnection: close\r\n\r\n");
        auto *ticker = new QTimer(socket);
        QObject::connect(ticker, &QTimer::timeout, socket, [socket, answer] {
            if (socket->bytesToWrite() < 1024 * 1024)
                socket->write(answer.body);
        });
        ticker->start(std::max(1, answer.delayMs));
    } else if (answer.kind == HttpAnswer::Kind::Complete) {
        QTimer::singleShot(answer.delayMs, socket, [socket, answer] {
            // Clients read the status code only; one reason phrase does for all.
            socket->write("HTTP/1.1 " + QByteArray::number(answer.status)
                          + " Status\r\nContent-Type: application/json; charset=utf-8\r\n"
                          + (answer.location.isEmpty() ? QByteArray() : "Location: " + answer.location + "\r\n")
                          + "Content-Length: "
                          + QByteArray::number(answer.body.size()) + "\r\nConnection: close\r\n\r\n" + answer.body);
            socket->disconnectFromHost();
        });
    }
}

}  // namespace

bool LocalHttpServer::start()
{
    m_server = new QTcpServer(this);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            auto request = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                if (request->contains("\r\n\r\n"))
                    return;  // one request per connection
                request->append(socket->readAll());
                if (!request->contains("\r\n\r\n"))
                    return;
                const QByteArray target = request->left(request->indexOf("\r\n")).split(' ').value(1);
                m_targets.append(target);
                // Keys sort before their extensions: backwards, the first prefix is the longest.
                const QList<QByteArray> routes = m_routes.keys();
                const auto route = std::find_if(routes.rbegin(), routes.rend(),
                                                [&](const QByteArray &r) { return target.startsWith(r); });
                serve(socket, route == routes.rend() ? HttpAnswer{404, R"({"error":true,"reason":"Not Found"})"}
                                                     : m_routes.value(*route));
            });
        }
    });
    return m_server->listen(QHostAddress::LocalHost, 0);
}

QString LocalHttpServer::baseUrl() const
{
    return QString("http://127.0.0.1:%1").arg(m_server ? m_server->serverPort() : 0);
}

bool waitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return done();
}

}  // namespace pellix::test
