#pragma once

// The players reached through MPRIS on a D-Bus bus: "Spotify" is whoever owns
// org.mpris.MediaPlayer2.spotify, "Music" any other MPRIS player (playerctld's
// proxy aside), a playing one preferred. Every call waits at most a short
// time-out; a player that does not answer in time reads as not playing.
//
// One object serves one monitor call. The bus names come from a long-lived
// MprisNames when given one; otherwise the object lists them once itself. A
// player other than Spotify is named by its Identity, asked afresh with its
// state (a player may change it, and one connection may own several names).

#include "MprisNames.h"
#include "MusicPlayers.h"

#include <QDBusConnection>
#include <QStringList>
#include <QVariantMap>

namespace mpris {

inline constexpr char kSpotifyName[] = "org.mpris.MediaPlayer2.spotify";

// The MPRIS players other than Spotify among the bus's names, sorted.
QStringList otherPlayers(const QStringList &busNames);

// A playing track from the Player interface's properties: title, the first
// kMaxArtists artists joined with ", ", the art URL when not empty, and
// `source`; nothing unless PlaybackStatus is "Playing". Values of an unexpected
// type count as absent.
std::optional<MusicData> musicFromProperties(const QVariantMap &properties, const QString &source);

// The badge's name: the player's Identity, cleaned and cut; when nothing of it
// shows, the bus name's own part ("vlc" of org.mpris.MediaPlayer2.vlc.instance7).
QString playerName(const QVariant &identity, const QString &busName);

}  // namespace mpris

class MprisPlayers : public MusicPlayers {
public:
    static constexpr int kCallTimeoutMs = 250;
    explicit MprisPlayers(QDBusConnection bus, int callTimeoutMs = kCallTimeoutMs, MprisNames *names = nullptr);

    std::optional<NowPlaying> playing(MusicPlayer player) override;
    bool isRunning(const PlayerAddress &player) override;
    void send(const PlayerAddress &player, TransportCommand command) override;

private:
    struct Answer {
        QString busName;
        QVariantMap properties;
        QVariant identity;  // asked only with `identities`
    };
    const QStringList &busNames();
    QStringList candidates(MusicPlayer player);
    // The players' properties (and Identities), asked of all at once; in the
    // candidates' order, without those that did not answer.
    QList<Answer> ask(const QStringList &names, bool identities);
    // The candidate that plays, else (with `anyIfNonePlays`) the first that answered.
    std::optional<Answer> choose(MusicPlayer player, bool anyIfNonePlays, bool identities = false);
    // The bus name a command goes to; empty when there is none.
    QString target(const PlayerAddress &player);

    QDBusConnection m_bus;
    int m_timeoutMs;
    MprisNames *m_names;
    std::optional<QStringList> m_busNames;
};
