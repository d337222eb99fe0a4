#include "BoundedGet.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

namespace {

// Errors below 200 are the connection's own (refused, closed, time-out, proxy);
// above, the server answered with an HTTP error status and a body to decode.
bool answered(const QNetworkReply &reply)
{
    if (!reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        return false;
    const int error = reply.error();
    return error == QNetworkReply::NoError || error >= 200;
}

}  // namespace

void boundedGetResult(QNetworkAccessManager &manager, const QUrl &url, const RequestLimits &limits,
                      QObject *context, std::function<void(const GetResult &)> done)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(int(limits.timeout.count()));
    if (limits.sameSchemeRedirectsOnly)
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    QNetworkReply *reply = manager.get(request);
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    // Why the request was cut short by us; empty while it runs its course.
    auto overrun = std::make_shared<QString>();
    const auto stop = [reply, overrun](const QString &why) {
        *overrun = why;
        reply->abort();
    };
    QObject::connect(deadline, &QTimer::timeout, reply, [stop, limits] {
        stop(QStringLiteral("no complete answer within %1 ms").arg(limits.timeout.count()));
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [stop, cap = limits.maxBodyBytes](qint64 received, qint64 total) {
                         if (received > cap || total > cap)
                             stop(QStringLiteral("answer longer than %1 bytes").arg(cap));
                     });
    if (limits.sameSchemeRedirectsOnly)
        QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, stop, scheme = url.scheme()](const QUrl &to) {
            if (to.scheme() == scheme)
                emit reply->redirectAllowed();
            else
                stop(QStringLiteral("redirected to another scheme: ") + to.scheme());
        });
    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [reply, overrun, bound = context != nullptr, context = QPointer<QObject>(context),
                      done = std::move(done)] {
                         reply->deleteLater();
                         if (bound && !context)
                             return;
                         GetResult result;
                         result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                         if (!overrun->isEmpty())
                             result.failure = *overrun;
                         else if (!answered(*reply))
                             result.failure = reply->errorString();
                         else
                             result.body = reply->readAll();
                         done(result);
                     });
    deadline->start(limits.timeout);
}

void boundedGet(QNetworkAccessManager &manager, const QUrl &url, const RequestLimits &limits,
                QObject *context, std::function<void(std::optional<QByteArray>)> done)
{
    boundedGetResult(manager, url, limits, context,
                     [done = std::move(done)](const GetResult &result) { done(result.body); });
}
