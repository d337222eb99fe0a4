#pragma once

// How the music monitor reaches the two players it knows, Spotify and the
// Music player, whatever carries the questions (AppleScript, MPRIS).

#include "SharedWidgetData.h"

#include <QString>

#include <optional>

enum class MusicPlayer { Spotify, Music };

enum class TransportCommand { PlayPause, Next, Previous };

// "playpause", "next" or "previous", exactly; nothing for any other word.
std::optional<TransportCommand> transportCommand(const QString &action);

// One of the two players; where several players stand for "Music" (MPRIS),
// `instance` names the one exactly (its bus name). Empty: whichever of them the
// monitor's rules pick.
struct PlayerAddress {
    MusicPlayer player = MusicPlayer::Spotify;
    QString instance;

    friend bool operator==(const PlayerAddress &, const PlayerAddress &) = default;
};

// What plays, and who plays it: the record the shared file gets, the player the
// buttons go to, and the player's own name for the badge (empty where the
// source alone names it).
struct NowPlaying {
    MusicData music;
    PlayerAddress player;
    QString name;

    friend bool operator==(const NowPlaying &, const NowPlaying &) = default;
};

class MusicPlayers {
public:
    virtual ~MusicPlayers() = default;
    // What the player is playing, or nothing when it does not run, is paused
    // or stopped, or gives no usable answer.
    virtual std::optional<NowPlaying> playing(MusicPlayer player) = 0;
    virtual bool isRunning(const PlayerAddress &player) = 0;
    // Fire and forget: a failure leaves no trace.
    virtual void send(const PlayerAddress &player, TransportCommand command) = 0;
};
