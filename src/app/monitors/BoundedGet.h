#pragma once

// One GET request that always ends: within a total time-out, and as soon as the
// body grows past a cap. Whatever the HTTP status, a body the server finished
// sending is handed on; only a request that got no complete answer fails.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

class QNetworkAccessManager;

struct RequestLimits {
    std::chrono::milliseconds timeout{20000};  // the whole transfer, not only a silence
    qint64 maxBodyBytes = 1024 * 1024;
    // Follow a redirect only to a URL of the request's own scheme (otherwise
    // Qt's default: any redirect that is not from https to http).
    bool sameSchemeRedirectsOnly = false;
};

// What one request came to.
struct GetResult {
    std::optional<QByteArray> body;  // a complete answer, whatever its HTTP status
    int httpStatus = 0;              // 0: no HTTP answer
    QString failure;                 // without a body: why (refused, time-out, body too long, ...)
};

// `done` runs once, on the manager's thread, unless a `context` was given and
// is gone by then.
void boundedGetResult(QNetworkAccessManager &manager, const QUrl &url, const RequestLimits &limits,
                      QObject *context, std::function<void(const GetResult &)> done);

// The same, for callers that only need the body or nothing (no network, refused,
// time-out, body too long).
void boundedGet(QNetworkAccessManager &manager, const QUrl &url, const RequestLimits &limits,
                QObject *context, std::function<void(std::optional<QByteArray>)> done);
