#pragma once

// What Spotify or the Music player is playing, and the transport buttons'
// commands to them. Every call asks the players afresh (only the MPRIS names
// and the players' own names are followed between calls), every question is
// bounded in time, so a player that does not answer only reads as not playing
// (or not running), and every answer is bounded in size (MusicBounds).
//
// On Linux the players are reached through MPRIS on the session bus, on macOS
// through AppleScript run by `osascript`; PELLIX_MUSIC_SOURCE=mpris|applescript
// chooses, read at every call.

#include "MusicPlayers.h"

class MusicMonitor {
public:
    static MusicMonitor &shared();

    NowPlaying getNowPlaying() const;
    // `shown`: the player whose track the widget shows, if any.
    void controlMusic(const QString &action, const std::optional<PlayerAddress> &shown = std::nullopt) const;

    enum class Source { AppleScript, Mpris };
    static Source selectedSource();

    // The rules over any way of reaching the players: Spotify first; a command
    // goes to the shown player while it runs, else to Spotify when it runs,
    // else to the Music player when that runs.
    static NowPlaying getNowPlaying(MusicPlayers &players);
    static void controlMusic(MusicPlayers &players, const QString &action,
                             const std::optional<PlayerAddress> &shown = std::nullopt);

private:
    MusicMonitor() = default;
};
