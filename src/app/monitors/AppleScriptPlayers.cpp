#include "AppleScriptPlayers.h"

#include "PellixLogging.h"

#include <QStringList>

namespace applescript {

namespace {

QString applicationName(MusicPlayer player)
{
    return player == MusicPlayer::Spotify ? QStringLiteral("Spotify") : QStringLiteral("Music");
}

}  // namespace

QString nowPlayingScript(MusicPlayer player)
{
    const QString app = applicationName(player);
    const QString answer = player == MusicPlayer::Spotify
        ? QStringLiteral(R"((name of current track) & "|||" & (artist of current track) & "|||" & (artwork url of current track) & "|||spotify")")
        : QStringLiteral(R"((name of current track) & "|||" & (artist of current track) & "||||||music")");
    return QStringLiteral("tell application \"System Events\"\n"
                          "    if (count of (processes whose name is \"%1\")) > 0 then\n"
                          "        tell application \"%1\"\n"
                          "            if player state is playing then\n"
                          "                return %2\n"
                          "            end if\n"
                          "        end tell\n"
                          "    end if\n"
                          "end tell\n"
                          "return \"\"")
        .arg(app, answer);
}

QString runningCheckScript(MusicPlayer player)
{
    return QStringLiteral("tell application \"System Events\"\n"
                          "    return (count of (processes whose name is \"%1\")) > 0\n"
                          "end tell")
        .arg(applicationName(player));
}

QString commandScript(MusicPlayer player, TransportCommand command)
{
    static const char *const endings[] = {"\" to playpause", "\" to next track", "\" to previous track"};
    return QStringLiteral("tell application \"") + applicationName(player)
        + QLatin1String(endings[int(command)]);
}

std::optional<MusicData> musicFromAnswer(const QString &answer, bool keepArtwork)
{
    const QStringList pieces = answer.split(QStringLiteral("|||"));
    if (answer.isEmpty() || pieces.size() < 4)
        return std::nullopt;
    MusicData data;
    data.track = pieces[0];
    data.artist = pieces[1];
    if (keepArtwork && !pieces[2].isEmpty())
        data.artwork = pieces[2];
    data.source = pieces[3];
    data.playing = true;
    return data;
}

}  // namespace applescript

AppleScriptPlayers::AppleScriptPlayers(BoundedProcessLimits limits) : m_limits(limits)
{
    m_limits.diagnostics = &lcMusic();
}

std::optional<QString> AppleScriptPlayers::runAppleScript(const QString &source) const
{
    const std::optional<QByteArray> out = runBoundedProcess(QStringLiteral("osascript"), {QStringLiteral("-e"), source},
                                                            ProcessOutput::StdoutOnly, m_limits,
                                                            ExitRule::ZeroStatusOnly);
    if (!out)
        return std::nullopt;
    QByteArray text = *out;
    if (text.endsWith('\n'))
        text.chop(1);
    return QString::fromUtf8(text);
}

// The badge follows the source here ("Spotify" or "Apple Music"): no name of its own.
std::optional<NowPlaying> AppleScriptPlayers::playing(MusicPlayer player)
{
    const std::optional<QString> answer = runAppleScript(applescript::nowPlayingScript(player));
    if (!answer)
        return std::nullopt;
    const std::optional<MusicData> music = applescript::musicFromAnswer(*answer, player == MusicPlayer::Spotify);
    if (!music)
        return std::nullopt;
    return NowPlaying{*music, {player, {}}, {}};
}

bool AppleScriptPlayers::isRunning(const PlayerAddress &player)
{
    const std::optional<QString> answer = runAppleScript(applescript::runningCheckScript(player.player));
    return answer && answer->trimmed() == QLatin1String("true");
}

void AppleScriptPlayers::send(const PlayerAddress &player, TransportCommand command)
{
    runAppleScript(applescript::commandScript(player.player, command));
}
