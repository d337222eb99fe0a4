#include "MusicMonitor.h"

#include "AppleScriptPlayers.h"
#include "MprisPlayers.h"
#include "MusicBounds.h"

#include <QCoreApplication>
#include <QDBusConnection>
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

// The monitor's thread, and on it the MPRIS names it follows for the life of
// the app. It ends with the app's event loop, or at the latest with the app;
// either waits at most for the call under way, which is bounded.
class MusicThread : public QThread {
public:
    explicit MusicThread(QObject *parent) : QThread(parent)
    {
        connect(qApp, &QCoreApplication::aboutToQuit, this, &MusicThread::stop);
    }
    ~MusicThread() override { stop(); }
    void stop()
    {
        quit();
        wait();
    }
};

class MusicWorker : public QObject {
public:
    MprisNames *names()
    {
        if (!m_names) {
            m_names = new MprisNames(QDBusConnection::sessionBus(), MprisPlayers::kCallTimeoutMs, this);
            connect(m_names, &MprisNames::changed, &MusicMonitor::shared(), &MusicMonitor::playersChanged);
        }
        return m_names;
    }

private:
    MprisNames *m_names = nullptr;
};

// Off the monitor's thread the names are listed at each call.
MprisPlayers sessionPlayers(const QThread *thread, QObject *worker)
{
    MprisNames *names = thread && QThread::currentThread() == thread ? static_cast<MusicWorker *>(worker)->names()
                                                                      : nullptr;
    return MprisPlayers(QDBusConnection::sessionBus(), MprisPlayers::kCallTimeoutMs, names);
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
    MprisPlayers players = sessionPlayers(m_thread, m_worker);
    return getNowPlaying(players);
}

void MusicMonitor::controlMusic(const QString &action, const std::optional<PlayerAddress> &shown) const
{
    if (selectedSource() == Source::AppleScript) {
        AppleScriptPlayers players;
        controlMusic(players, action, shown);
        return;
    }
    MprisPlayers players = sessionPlayers(m_thread, m_worker);
    controlMusic(players, action, shown);
}

void MusicMonitor::post(std::function<void()> work)
{
    if (!m_thread) {
        m_thread = new MusicThread(qApp);
        m_worker = new MusicWorker;
        m_worker->moveToThread(m_thread);
        connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
        m_thread->start();
    } else if (m_thread->isFinished()) {
        return;  // the app is quitting
    }
    QMetaObject::invokeMethod(m_worker, std::move(work), Qt::QueuedConnection);
}

void MusicMonitor::requestNowPlaying()
{
    if (m_refreshWaiting.exchange(true))
        return;
    post([this] {
        m_refreshWaiting = false;
        emit nowPlayingRead(getNowPlaying());
    });
}

void MusicMonitor::requestControl(const QString &action, const std::optional<PlayerAddress> &shown)
{
    post([this, action, shown] { controlMusic(action, shown); });
}

// Whatever a player sends is bounded here, before the view or the shared file sees it.
NowPlaying MusicMonitor::getNowPlaying(MusicPlayers &players)
{
    for (const MusicPlayer player : {MusicPlayer::Spotify, MusicPlayer::Music})
        if (std::optional<NowPlaying> playing = players.playing(player))
            return boundedNowPlaying(std::move(*playing));
    return NowPlaying{};
}

// The buttons act on the track on screen; with none, the target is the player
// that runs, not the one that plays.
void MusicMonitor::controlMusic(MusicPlayers &players, const QString &action,
                                const std::optional<PlayerAddress> &shown)
{
    if (shown) {
        const std::optional<TransportCommand> command = transportCommand(action);
        if (command && players.isRunning(*shown))
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
