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

class MusicPlayers {
public:
    virtual ~MusicPlayers() = default;
    // What the player is playing, or nothing when it does not run, is paused
    // or stopped, or gives no usable answer.
    virtual std::optional<MusicData> playing(MusicPlayer player) = 0;
    virtual bool isRunning(MusicPlayer player) = 0;
    // Fire and forget: a failure leaves no trace.
    virtual void send(MusicPlayer player, TransportCommand command) = 0;
};
