#pragma once

// What Spotify or the Music player is playing, and the transport buttons'
// commands to them. Keeps no state: every call asks the players afresh, and
// every question is bounded in time, so a player that does not answer only
// reads as not playing (or not running).
//
// On Linux the players are reached through MPRIS on the session bus, on macOS
// through AppleScript run by `osascript`; PELLIX_MUSIC_SOURCE=mpris|applescript
// chooses, read at every call.

#include "MusicPlayers.h"

class MusicMonitor {
public:
    static MusicMonitor &shared();

    MusicData getNowPlaying() const;
    void controlMusic(const QString &action) const;

    enum class Source { AppleScript, Mpris };
    static Source selectedSource();

    // The rules over any way of reaching the players: Spotify first; a command
    // goes to Spotify when it runs, else to the Music player when that runs.
    static MusicData getNowPlaying(MusicPlayers &players);
    static void controlMusic(MusicPlayers &players, const QString &action);

private:
    MusicMonitor() = default;
};
