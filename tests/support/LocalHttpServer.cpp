#include "LocalHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

namespace pellix::test {

namespace {

QByteArray reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

}  // namespace

LocalHttpServer::LocalHttpServer() : m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
}

LocalHttpServer::~LocalHttpServer() = default;

bool LocalHttpServer::start()
{
    if (!m_server->listen(QHostAddress::LocalHost, 0))
        return false;
    m_port = m_server->serverPort();
    return true;
}

void LocalHttpServer::stop()
{
    m_server->close();
}

QString LocalHttpServer::baseUrl() const
{
    return QString("http://127.0.0.1:%1").arg(m_port);
}

void LocalHttpServer::route(const QByteArray &targetPrefix, const HttpAnswer &answer)
{
    m_routes.insert(targetPrefix, answer);
}

HttpAnswer LocalHttpServer::answerFor(const QByteArray &target) const
{
    qsizetype best = -1;
    HttpAnswer answer{404, R"({"error":true,"reason":"Not Found"})"};
    for (auto it = m_routes.begin(); it != m_routes.end(); ++it) {
        if (target.startsWith(it.key()) && it.key().size() > best) {
            best = it.key().size();
            answer = it.value();
        }
    }
    return answer;
}

void LocalHttpServer::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        auto buffer = std::make_shared<QByteArray>();
        auto taken = std::make_shared<bool>(false);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer, taken] {
            if (*taken)
                return;  // one request per connection
            buffer->append(socket->readAll());
            if (!buffer->contains("\r\n\r\n"))
                return;
            const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
            *taken = true;
            const QByteArray target = requestLine.size() >= 2 ? requestLine[1] : QByteArray();
            m_targets.append(target);
            serve(socket, target);
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LocalHttpServer::serve(QTcpSocket *socket, const QByteArray &target)
{
    const HttpAnswer answer = answerFor(target);
    if (answer.kind == HttpAnswer::Kind::Silent)
        return;
    QPointer<QTcpSocket> guard(socket);
    const auto respond = [guard, answer] {
        if (!guard)
            return;
        if (answer.kind == HttpAnswer::Kind::Endless) {
            guard->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nConnection: close\r\n\r\n");
            auto *ticker = new QTimer(guard);
            connect(ticker, &QTimer::timeout, guard, [guard, answer] {
                if (guard && guard->bytesToWrite() < 1024 * 1024)
                    guard->write(answer.body);
            });
            ticker->start(std::max(1, answer.delayMs));
            return;
        }
        guard->write("HTTP/1.1 " + QByteArray::number(answer.status) + " " + reason(answer.status)
                     + "\r\nContent-Type: application/json; charset=utf-8\r\nContent-Length: "
                     + QByteArray::number(answer.body.size()) + "\r\nConnection: close\r\n\r\n" + answer.body);
        guard->disconnectFromHost();
    };
    if (answer.kind == HttpAnswer::Kind::Complete && answer.delayMs > 0)
        QTimer::singleShot(answer.delayMs, socket, respond);
    else
        respond();
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
