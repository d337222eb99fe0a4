#include "ArtworkLoader.h"

#include "RegularFile.h"
#include "monitors/BoundedGet.h"

#include <QFutureWatcher>
#include <QNetworkAccessManager>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

ArtworkLoader::ArtworkLoader(QObject *parent) : QObject(parent) {}

ArtworkLoader::~ArtworkLoader() = default;

void ArtworkLoader::load(const QString &text, std::function<void(std::optional<Artwork>)> done)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("data")) {
        decodeInBackground([text] { return decodeDataUrl(text); }, std::move(done));
    } else if (scheme == QLatin1String("file") && url.isLocalFile()) {
        // Never waits on a FIFO or device put where the art should be.
        decodeInBackground(
            [path = url.toLocalFile()]() -> std::optional<QByteArray> {
                FileRead file = readRegularFile(path, kMaxArtworkBytes);
                if (file.status != FileRead::Ok)
                    return std::nullopt;
                return std::move(file.bytes);
            },
            std::move(done));
    } else if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        if (!m_network)
            m_network = new QNetworkAccessManager(this);
        const RequestLimits limits{kTimeout, kMaxArtworkBytes, true};
        boundedGet(*m_network, url, limits, this, [this, done = std::move(done)](std::optional<QByteArray> body) {
            if (!body)
                return done(std::nullopt);
            decodeInBackground([bytes = std::move(*body)] { return std::optional<QByteArray>(bytes); }, done);
        });
    } else {
        // Another scheme: no download, as a failed one (asynchronous all the same).
        QTimer::singleShot(0, this, [done = std::move(done)] { done(std::nullopt); });
    }
}

// The watcher belongs to this loader: if the loader goes first, the finished
// work is simply dropped.
void ArtworkLoader::decodeInBackground(std::function<std::optional<QByteArray>()> bytes,
                                       std::function<void(std::optional<Artwork>)> done)
{
    auto *watcher = new QFutureWatcher<std::optional<Artwork>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [watcher, done = std::move(done)] {
        watcher->deleteLater();
        done(watcher->result());
    });
    watcher->setFuture(QtConcurrent::run([bytes = std::move(bytes)]() -> std::optional<Artwork> {
        const std::optional<QByteArray> data = bytes();
        return data ? decodeArtwork(*data) : std::nullopt;
    }));
}
