// The music monitor through AppleScript, against a fake `osascript` first on
// PATH that answers per script and records every script it was given.
#include "monitors/AppleScriptPlayers.h"
#include "monitors/MusicMonitor.h"
#include "test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

using pellix::test::track;

namespace {

// Each script is recognised by its text; the answer for a kind is the file of
// that name (its exact stdout), its exit status "<kind>.status", and a file
// "<kind>.hang" makes it hang.
constexpr char kFakeOsascript[] = R"sh(#!/bin/sh
dir=$(dirname "$0")
case "$2" in
  *'"Spotify")) > 0 then'*) kind=spotify-now ;;
  *'"Music")) > 0 then'*) kind=music-now ;;
  *'"Spotify")) > 0'*) kind=spotify-running ;;
  *'"Music")) > 0'*) kind=music-running ;;
  *'application "Spotify" to'*) kind=spotify-command ;;
  *'application "Music" to'*) kind=music-command ;;
  *) kind=unknown ;;
esac
echo "$kind" >>"$dir/kinds"
printf '%s' "$2" >"$dir/script.$(wc -l <"$dir/kinds")"
[ -e "$dir/$kind.hang" ] && exec sleep 30
[ -e "$dir/$kind" ] && cat "$dir/$kind"
exit $(cat "$dir/$kind.status" 2>/dev/null || echo 0)
)sh";

class FakeOsascript {
public:
    explicit FakeOsascript(const std::map<QString, QByteArray> &answers)
    {
        const QString tool = m_dir.filePath("osascript");
        pellix::test::writeFile(tool, kFakeOsascript);
        QFile::setPermissions(tool, QFile::permissions(tool) | QFileDevice::ExeOwner);
        for (const auto &[kind, bytes] : answers)
            pellix::test::writeFile(m_dir.filePath(kind), bytes);
        m_path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_dir.path()) + ":" + m_path);
    }
    ~FakeOsascript() { qputenv("PATH", m_path); }

    QStringList kinds() const
    {
        return QString::fromUtf8(pellix::test::readFile(m_dir.filePath("kinds"))).split('\n', Qt::SkipEmptyParts);
    }
    QByteArray script(int n) const { return pellix::test::readFile(m_dir.filePath("script." + QString::number(n))); }

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

const QByteArray kTrue = "true\n", kFalse = "false\n", kNothing = "\n";

// Through the shared monitor, which PELLIX_MUSIC_SOURCE (read at every call) points at osascript.
TEST(AppleScriptMusic, NowPlayingAsksBothPlayersAndACommandGoesToTheRunningOne)
{
    FakeOsascript fake({{"spotify-running", kTrue}, {"music-running", kTrue}});
    qputenv("PELLIX_MUSIC_SOURCE", " AppleScript ");
    EXPECT_EQ(MusicMonitor::shared().getNowPlaying(), NowPlaying{});
    MusicMonitor::shared().controlMusic("previous");
    qunsetenv("PELLIX_MUSIC_SOURCE");
    EXPECT_EQ(fake.kinds(), (QStringList{"spotify-now", "music-now", "spotify-running", "music-running",
                                         "spotify-command"}));
    // The scripts' texts are constants: the fake tells them apart by their key lines, and
    // Music's answer never carries the art field.
    EXPECT_TRUE(fake.script(2).contains(R"((artist of current track) & "||||||music")"));
    EXPECT_EQ(fake.script(5), R"(tell application "Spotify" to previous track)");
}

TEST(AppleScriptMusic, NowPlayingAsksSpotifyFirstAndSplitsAtSeparators)
{
    const struct {
        const char *name;
        std::map<QString, QByteArray> answers;
        MusicData expected;
        int scriptsRun;
    } cases[] = {
        {"spotify with art", {{"spotify-now", "Song|||Band|||https://i.scdn.co/a|||spotify\n"}},
         track("Song", "Band", "https://i.scdn.co/a", "spotify"), 1},
        {"spotify without art", {{"spotify-now", "Song|||Band||||||spotify\n"}}, track("Song", "Band", {}, "spotify"), 1},
        {"music", {{"spotify-now", kNothing}, {"music-now", "Brano|||Gruppo||||||music\n"}},
         track("Brano", "Gruppo", {}, "music"), 2},
        {"music never has art", {{"music-now", "Brano|||Gruppo|||file:///a.png|||music"}},
         track("Brano", "Gruppo", {}, "music"), 2},
        {"both", {{"spotify-now", "Song|||Band||||||spotify\n"}, {"music-now", "Brano|||Gruppo||||||music\n"}},
         track("Song", "Band", {}, "spotify"), 1},
        {"neither", {{"spotify-now", kNothing}, {"music-now", kNothing}}, MusicData{}, 2},
        {"title with separators shifts the fields", {{"spotify-now", "A|||B|||C|||D|||spotify\n"}},
         track("A", "B", "C", "D"), 1},
        {"three pieces are no answer", {{"spotify-now", "A|||B|||C\n"}}, MusicData{}, 2},
        {"a failing script is no answer", {{"spotify-now", "Song|||Band||||||spotify\n"}, {"spotify-now.status", "1"}},
         MusicData{}, 2},
        {"only the last line feed goes", {{"music-now", "Brano|||Gruppo||||||music\n\n"}},
         track("Brano", "Gruppo", {}, "music\n"), 2},
        {"a hanging script is cut short: no answer", {{"spotify-now.hang", {}}, {"music-now", "B|||G||||||music"}},
         track("B", "G", {}, "music"), 2},
    };
    QElapsedTimer clock;
    clock.start();
    for (const auto &c : cases) {
        FakeOsascript fake(c.answers);
        AppleScriptPlayers players({300, 64 * 1024});
        EXPECT_EQ(MusicMonitor::getNowPlaying(players).music, c.expected) << c.name;
        EXPECT_EQ(fake.kinds().size(), c.scriptsRun) << c.name;
    }
    EXPECT_LT(clock.elapsed(), 15000);  // the hang alone would last 30 s
}

// To the player on screen while it runs (none once it has quit); with none on
// screen, to the running one after both checks.
TEST(AppleScriptMusic, CommandsGoToThePlayerShownElseToTheRunningOne)
{
    const PlayerAddress music{MusicPlayer::Music, {}};
    const struct {
        const char *name;
        std::map<QString, QByteArray> answers;
        QString action;
        QStringList kinds;
        QByteArray command;
        std::optional<PlayerAddress> shown = std::nullopt;
    } cases[] = {
        {"music on screen takes it though spotify runs", {{"spotify-running", kTrue}, {"music-running", kTrue}},
         "playpause", {"music-running", "music-command"}, R"(tell application "Music" to playpause)", music},
        {"music on screen has quit: not another player", {{"spotify-running", kTrue}, {"music-running", kFalse}},
         "next", {"music-running"}, {}, music},
        {"paused spotify still takes it", {{"spotify-running", kTrue}, {"music-running", kTrue}}, "playpause",
         {"spotify-running", "music-running", "spotify-command"}, R"(tell application "Spotify" to playpause)"},
        {"music alone", {{"spotify-running", kFalse}, {"music-running", " true \n"}}, "next",
         {"spotify-running", "music-running", "music-command"}, R"(tell application "Music" to next track)"},
        {"neither runs", {{"spotify-running", "True\n"}, {"music-running", "yes\n"}}, "next",
         {"spotify-running", "music-running"}, {}},
        {"a failed check is not running", {{"spotify-running", kTrue}, {"spotify-running.status", "1"},
         {"music-running", kFalse}}, "next", {"spotify-running", "music-running"}, {}},
        {"unknown action", {{"spotify-running", kTrue}, {"music-running", kTrue}}, "Next",
         {"spotify-running", "music-running"}, {}},
    };
    for (const auto &c : cases) {
        FakeOsascript fake(c.answers);
        AppleScriptPlayers players;
        MusicMonitor::controlMusic(players, c.action, c.shown);
        EXPECT_EQ(fake.kinds(), c.kinds) << c.name;
        if (!c.command.isEmpty()) {
            EXPECT_EQ(fake.script(c.kinds.size()), c.command) << c.name;
        }
    }
}

}  // namespace
