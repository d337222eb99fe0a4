#pragma once

// The players asked through AppleScript, as macOS does it: each script runs in
// its own `osascript` (found on PATH), bounded in time and output. An answer is
// the script's standard output without the final line feed; a script that
// fails (non-zero exit) or overruns gives no answer.

#include "BoundedProcess.h"
#include "MusicPlayers.h"

#include <QString>

namespace applescript {

QString nowPlayingScript(MusicPlayer player);
QString runningCheckScript(MusicPlayer player);
QString commandScript(MusicPlayer player, TransportCommand command);

// A now-playing answer split at every "|||": with at least four pieces, the
// track (1), artist (2), artwork (3, absent when empty or not kept) and source
// (4) of a playing track; nothing otherwise.
std::optional<MusicData> musicFromAnswer(const QString &answer, bool keepArtwork);

}  // namespace applescript

class AppleScriptPlayers : public MusicPlayers {
public:
    static constexpr BoundedProcessLimits kScriptLimits{2000, 64 * 1024};
    explicit AppleScriptPlayers(BoundedProcessLimits limits = kScriptLimits);

    std::optional<NowPlaying> playing(MusicPlayer player) override;
    bool isRunning(const PlayerAddress &player) override;
    void send(const PlayerAddress &player, TransportCommand command) override;

    std::optional<QString> runAppleScript(const QString &source) const;

private:
    BoundedProcessLimits m_limits;
};
