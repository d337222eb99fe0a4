#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for tests, run by the caller's event loop.
// A request gets the answer of the longest route prefixing its target (path and
// query); every target received is recorded.

#include <QMap>
#include <QObject>
#include <QString>

#include <functional>

class QTcpServer;

namespace pellix::test {

struct HttpAnswer {
    enum class Kind {
        Complete,  // status line, headers with Content-Length, body
        Silent,    // reads the request and never answers
        Endless,   // 200 without a length, then `body` every `delayMs`, forever
    };
    int status = 200;
    QByteArray body;
    Kind kind = Kind::Complete;
    int delayMs = 0;  // before a complete answer; between chunks for Endless
    QByteArray location = {};  // sent as a Location header when not empty
};

class LocalHttpServer : public QObject {
public:
    bool start();
    QString baseUrl() const;  // "http://127.0.0.1:<port>"
    void route(const QByteArray &targetPrefix, const HttpAnswer &answer) { m_routes.insert(targetPrefix, answer); }
    QList<QByteArray> targets() const { return m_targets; }

private:
    QTcpServer *m_server = nullptr;
    QMap<QByteArray, HttpAnswer> m_routes;
    QList<QByteArray> m_targets;
};

// Runs the event loop until `done` holds or `ms` have passed; returns `done()`.
bool waitUntil(const std::function<bool()> &done, int ms = 5000);

}  // namespace pellix::test
