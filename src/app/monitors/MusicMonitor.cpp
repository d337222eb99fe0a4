#include "MusicMonitor.h"

#include "AppleScriptPlayers.h"
#include "MprisPlayers.h"

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

MusicData MusicMonitor::getNowPlaying() const
{
    if (selectedSource() == Source::AppleScript) {
        AppleScriptPlayers players;
        return getNowPlaying(players);
    }
    MprisPlayers players(QDBusConnection::sessionBus(), MprisPlayers::kCallTimeoutMs, sessionNames());
    return getNowPlaying(players);
}

void MusicMonitor::controlMusic(const QString &action) const
{
    if (selectedSource() == Source::AppleScript) {
        AppleScriptPlayers players;
        controlMusic(players, action);
        return;
    }
    MprisPlayers players(QDBusConnection::sessionBus(), MprisPlayers::kCallTimeoutMs, sessionNames());
    controlMusic(players, action);
}

MusicData MusicMonitor::getNowPlaying(MusicPlayers &players)
{
    if (std::optional<MusicData> spotify = players.playing(MusicPlayer::Spotify))
        return *spotify;
    if (std::optional<MusicData> music = players.playing(MusicPlayer::Music))
        return *music;
    return MusicData{};
}

// The target is the player that runs, not the one that plays: a paused Spotify
// still takes the command while the Music player plays.
void MusicMonitor::controlMusic(MusicPlayers &players, const QString &action)
{
    const bool spotifyRuns = players.isRunning(MusicPlayer::Spotify);
    const bool musicRuns = players.isRunning(MusicPlayer::Music);
    if (!spotifyRuns && !musicRuns)
        return;
    if (const std::optional<TransportCommand> command = transportCommand(action))
        players.send(spotifyRuns ? MusicPlayer::Spotify : MusicPlayer::Music, *command);
}
