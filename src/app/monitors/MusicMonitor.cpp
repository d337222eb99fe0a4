#include "MusicMonitor.h"

#include "AppleScriptPlayers.h"
#include "MprisPlayers.h"
#include "MusicBounds.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QPointer>
#include <QThread>

std::optional<TransportCommand> transportCommand(const QString &action)
{
    if (action == QLatin1String("playpause"))
        return TransportCommand::PlayPause;
    if (action == QLatin1String("next"))
        return TransportCommand::Next;
    if (action == QLatin1String("previous"))
        return TransportCommand::Previous;
    return std::nullopt;
}

namespace {

// The session bus's MPRIS names, followed for the life of the app. Only the
// app's main thread runs the event loop that keeps them fresh; elsewhere each
// call lists the names itself.
MprisNames *sessionNames()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return nullptr;
    static QPointer<MprisNames> names;
    if (!names)
        names = new MprisNames(QDBusConnection::sessionBus(), MprisPlayers::kCallTimeoutMs, app);
    return names;
}

// The players' own names, kept likewise on the main thread only.
MprisIdentities *sessionIdentities()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return nullptr;
    static MprisIdentities identities;
    return &identities;
}

MprisPlayers sessionPlayers()
{
    return MprisPlayers(QDBusConnection::sessionBus(), MprisPlayers::kCallTimeoutMs, sessionNames(),
                        sessionIdentities());
}

}  // namespace

MusicMonitor &MusicMonitor::shared()
{
    static MusicMonitor instance;
    return instance;
}

MusicMonitor::Source MusicMonitor::selectedSource()
{
    const QByteArray forced = qgetenv("PELLIX_MUSIC_SOURCE").trimmed().toLower();
    if (forced == "applescript")
        return Source::AppleScript;
    if (forced == "mpris")
        return Source::Mpris;
#ifdef Q_OS_MACOS
    return Source::AppleScript;
#else
    return Source::Mpris;
#endif
}

NowPlaying MusicMonitor::getNowPlaying() const
{
    if (selectedSource() == Source::AppleScript) {
        AppleScriptPlayers players;
        return getNowPlaying(players);
    }
    MprisPlayers players = sessionPlayers();
    return getNowPlaying(players);
}

void MusicMonitor::controlMusic(const QString &action, const std::optional<PlayerAddress> &shown) const
{
    if (selectedSource() == Source::AppleScript) {
        AppleScriptPlayers players;
        controlMusic(players, action, shown);
        return;
    }
    MprisPlayers players = sessionPlayers();
    controlMusic(players, action, shown);
}

// Whatever a player sends is bounded here, before the view or the shared file sees it.
NowPlaying MusicMonitor::getNowPlaying(MusicPlayers &players)
{
    for (const MusicPlayer player : {MusicPlayer::Spotify, MusicPlayer::Music})
        if (std::optional<NowPlaying> playing = players.playing(player))
            return boundedNowPlaying(std::move(*playing));
    return NowPlaying{};
}

// The buttons act on the track on screen; with none (or its player gone), the
// target is the player that runs, not the one that plays.
void MusicMonitor::controlMusic(MusicPlayers &players, const QString &action,
                                const std::optional<PlayerAddress> &shown)
{
    if (shown && players.isRunning(*shown)) {
        if (const std::optional<TransportCommand> command = transportCommand(action))
            players.send(*shown, *command);
        return;
    }
    const bool spotifyRuns = players.isRunning({MusicPlayer::Spotify, {}});
    const bool musicRuns = players.isRunning({MusicPlayer::Music, {}});
    if (!spotifyRuns && !musicRuns)
        return;
    if (const std::optional<TransportCommand> command = transportCommand(action))
        players.send({spotifyRuns ? MusicPlayer::Spotify : MusicPlayer::Music, {}}, *command);
}
