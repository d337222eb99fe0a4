#pragma once

// What Spotify or the Music player is playing, and the transport buttons'
// commands to them. Every call asks the players afresh (only the MPRIS names
// are followed between calls), every question is bounded in time, so a player
// that does not answer only reads as not playing (or not running), and every
// answer is bounded in size (MusicBounds).
//
// On Linux the players are reached through MPRIS on the session bus, on macOS
// through AppleScript run by `osascript`; PELLIX_MUSIC_SOURCE=mpris|applescript
// chooses, read at every call.

#include "MusicPlayers.h"

#include <QObject>

#include <atomic>
#include <functional>

class QThread;

class MusicMonitor : public QObject {
    Q_OBJECT

public:
    static MusicMonitor &shared();

    // Blocking: the caller waits for the players' answers.
    NowPlaying getNowPlaying() const;
    // `shown`: the player whose track the widget shows, if any.
    void controlMusic(const QString &action, const std::optional<PlayerAddress> &shown = std::nullopt) const;

    // Without blocking the caller (the GUI): run one after the other on the
    // monitor's own thread, in the order asked. A refresh asked while another
    // still waits to start is that one; each answer comes as nowPlayingRead.
    void requestNowPlaying();
    void requestControl(const QString &action, const std::optional<PlayerAddress> &shown);

    enum class Source { AppleScript, Mpris };
    static Source selectedSource();

    // The rules over any way of reaching the players: Spotify first; a command
    // goes to the shown player while it runs and nowhere once it has gone (the
    // screen shows another state than the players'); with nothing shown, to
    // Spotify when it runs, else to the Music player when that runs.
    static NowPlaying getNowPlaying(MusicPlayers &players);
    static void controlMusic(MusicPlayers &players, const QString &action,
                             const std::optional<PlayerAddress> &shown = std::nullopt);

signals:
    // Emitted on the monitor's thread; connections to the GUI are queued.
    void nowPlayingRead(const NowPlaying &playing);
    // MPRIS only, once a request has started following the players: a player
    // came, went or changed what it plays. Emitted in this object's thread.
    void playersChanged();

private:
    MusicMonitor() = default;
    // Runs `work` on the monitor's thread (started with the first request).
    void post(std::function<void()> work);

    QThread *m_thread = nullptr;  // set once, by the GUI thread
    QObject *m_worker = nullptr;  // lives on m_thread, and goes with it
    std::atomic_bool m_refreshWaiting{false};
};
