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

void boundedGet(QNetworkAccessManager &manager, const QUrl &url, const RequestLimits &limits,
                QObject *context, std::function<void(std::optional<QByteArray>)> done)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(int(limits.timeout.count()));
    if (limits.sameSchemeRedirectsOnly)
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    QNetworkReply *reply = manager.get(request);
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    auto overrun = std::make_shared<bool>(false);
    const auto stop = [reply, overrun] {
        *overrun = true;
        reply->abort();
    };
    QObject::connect(deadline, &QTimer::timeout, reply, stop);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [stop, cap = limits.maxBodyBytes](qint64 received, qint64 total) {
                         if (received > cap || total > cap)
                             stop();
                     });
    if (limits.sameSchemeRedirectsOnly)
        QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, stop, scheme = url.scheme()](const QUrl &to) {
            if (to.scheme() == scheme)
                emit reply->redirectAllowed();
            else
                stop();
        });
    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [reply, overrun, bound = context != nullptr, context = QPointer<QObject>(context),
                      done = std::move(done)] {
                         reply->deleteLater();
                         if (bound && !context)
                             return;
                         if (*overrun || !answered(*reply))
                             done(std::nullopt);
                         else
                             done(reply->readAll());
                     });
    deadline->start(limits.timeout);
}
