#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for tests, run by the test's own event
// loop. Answers are chosen by the longest route that prefixes the request target
// (path and query); every target received is recorded.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <functional>

class QTcpServer;
class QTcpSocket;

namespace pellix::test {

struct HttpAnswer {
    enum class Kind {
        Complete,  // status line, headers with Content-Length, body
        Silent,    // reads the request and never answers
        Endless,   // 200 without a length, then `body` again and again
    };
    int status = 200;
    QByteArray body;
    Kind kind = Kind::Complete;
    int delayMs = 0;  // before answering; between chunks for Endless
};

class LocalHttpServer : public QObject {
    Q_OBJECT

public:
    LocalHttpServer();
    ~LocalHttpServer() override;

    bool start();
    void stop();  // no longer listening: new connections are refused
    QString baseUrl() const;  // "http://127.0.0.1:<port>"

    void route(const QByteArray &targetPrefix, const HttpAnswer &answer);
    QList<QByteArray> targets() const { return m_targets; }

private:
    void accept();
    void serve(QTcpSocket *socket, const QByteArray &target);
    HttpAnswer answerFor(const QByteArray &target) const;

    QTcpServer *m_server;
    QMap<QByteArray, HttpAnswer> m_routes;
    QList<QByteArray> m_targets;
    quint16 m_port = 0;
};

// Runs the event loop until `done` holds or `ms` have passed; returns `done()`.
bool waitUntil(const std::function<bool()> &done, int ms = 5000);

}  // namespace pellix::test
