#pragma once

// Fetches one cover image from an http, https, file or data: URL and decodes
// it off the main thread. Bounded: 10 MiB, a time-out for the network, no
// redirect to another scheme; any failure is silent (no artwork).

#include "MusicArtwork.h"

#include <QObject>
#include <QUrl>

#include <chrono>
#include <functional>

class QNetworkAccessManager;

class ArtworkLoader : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kTimeout{15000};

    explicit ArtworkLoader(QObject *parent = nullptr);
    ~ArtworkLoader() override;

    // `done` runs later on this object's thread, unless the loader is gone by then.
    // `url` is the text the player sent (a data: URL is read as it stands).
    void load(const QString &url, std::function<void(std::optional<Artwork>)> done);

private:
    void decodeInBackground(std::function<std::optional<QByteArray>()> bytes,
                            std::function<void(std::optional<Artwork>)> done);

    QNetworkAccessManager *m_network = nullptr;
};
