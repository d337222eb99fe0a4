// The music monitor through MPRIS: the decoding of a player's properties, and
// real players on a private session bus (a scripted one on Spotify's name,
// mpv with its MPRIS plug-in).
#include "LocalHttpServer.h"
#include "MusicPeers.h"
#include "monitors/MprisPlayers.h"
#include "monitors/MusicMonitor.h"
#include "test_support.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace pellix::test;

namespace {

MusicData track(const char *title, std::optional<QString> artist, std::optional<QString> art, const char *source)
{
    return {title, std::move(artist), std::move(art), source, true};
}

QVariantMap player(const char *status, const QVariantMap &metadata)
{
    return {{"PlaybackStatus", status}, {"Metadata", metadata}};
}

TEST(MprisDecoding, PlayingTracksOnlyWithTextFieldsOfTheRightType)
{
    const struct {
        const char *name;
        QVariantMap properties;
        std::optional<MusicData> expected;
    } cases[] = {
        {"one artist as a string, empty art",
         player("Playing", {{"xesam:title", "Jóga"}, {"xesam:artist", "Björk"}, {"mpris:artUrl", ""}}),
         track("Jóga", "Björk", {}, "music")},
        {"wrong types are absent",
         player("Playing", {{"xesam:title", 42}, {"xesam:artist", QVariantList{1}}, {"mpris:artUrl", true}}),
         MusicData{{}, {}, {}, "music", true}},
        {"no metadata", {{"PlaybackStatus", "Playing"}}, MusicData{{}, {}, {}, "music", true}},
        {"status of the wrong type", {{"PlaybackStatus", 1}}, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(mpris::musicFromProperties(c.properties, "music"), c.expected) << c.name;
    EXPECT_EQ(mpris::otherPlayers({"org.mpris.MediaPlayer2.vlc", ":1.4", "org.mpris.MediaPlayer2.spotify",
                                   "org.mpris.MediaPlayer2.playerctld", "org.freedesktop.DBus",
                                   "org.mpris.MediaPlayer2.mpv.instance42", "org.mpris.MediaPlayer2.Firefox"}),
              (QStringList{"org.mpris.MediaPlayer2.Firefox", "org.mpris.MediaPlayer2.mpv.instance42",
                           "org.mpris.MediaPlayer2.vlc"}));
}

class MprisMusic : public ::testing::Test {
protected:
    // mpv playing on the test's own session bus in every case. The names are
    // listed before any player starts, so every player is found through the
    // bus's signals, as in the running app.
    void SetUp() override
    {
        ASSERT_TRUE(bus.start());
        names.emplace(bus.connection(), MprisPlayers::kCallTimeoutMs);
        ASSERT_EQ(names->names(), QStringList{});
        ASSERT_TRUE(mpv.start());
    }
    MusicData nowPlaying()
    {
        MprisPlayers players(bus.connection(), MprisPlayers::kCallTimeoutMs, &*names);
        return MusicMonitor::getNowPlaying(players);
    }
    // Until the bus's signals have announced `count` players.
    bool announced(qsizetype count)
    {
        return waitUntil([&] { return names->names().size() == count; });
    }
    void control(const QString &action)
    {
        MprisPlayers players(bus.connection(), MprisPlayers::kCallTimeoutMs, &*names);
        MusicMonitor::controlMusic(players, action);
    }
    PrivateBus bus;
    std::optional<MprisNames> names;
    MpvPlayer mpv{bus};
};

TEST_F(MprisMusic, SpotifyFirstAndCommandsToTheRunningPlayer)
{
    auto spotify = std::make_unique<ScriptedPlayer>(bus, "spotify");
    ASSERT_TRUE(spotify->start("Paused", {{"Song X", "A One;A Two", "https://i.scdn.co/image/ab67"}}));
    ASSERT_TRUE(announced(2));
    const QString cover = "file://" + mpv.mediaDir() + "/cover.png";

    // Spotify paused: mpv's track, with its cover.
    EXPECT_EQ(nowPlaying(), track("Onda Lunga", "Coro di Prova", cover, "music"));
    // ... but the command goes to Spotify, because it runs.
    control("playpause");
    EXPECT_TRUE(waitUntil([&] { return spotify->calls() == QStringList{"PlayPause"}; }));
    EXPECT_EQ(nowPlaying(), track("Song X", "A One, A Two", "https://i.scdn.co/image/ab67", "spotify"));
    control("Next");  // not an action word
    EXPECT_EQ(spotify->calls(), QStringList{"PlayPause"});
    // Spotify quits: its name leaves the list, so commands reach mpv again.
    spotify.reset();
    ASSERT_TRUE(announced(1));
    control("next");
    EXPECT_TRUE(waitUntil([&] { return nowPlaying().track == "Seconda Onda"; }));
}

TEST_F(MprisMusic, WithoutSpotifyTheCommandsChangeMpvItself)
{
    // playerctld's proxy repeats another player: it is nobody of its own.
    ScriptedPlayer playerctld(bus, "playerctld");
    ASSERT_TRUE(playerctld.start("Playing", {{"Proxy", "Proxy", ""}}));
    ASSERT_TRUE(announced(2));
    control("next");
    EXPECT_TRUE(waitUntil([&] { return nowPlaying().track == "Seconda Onda"; }));
    control("playpause");
    EXPECT_TRUE(waitUntil([&] { return mpv.playbackStatus() == "Paused"; }));
    EXPECT_EQ(nowPlaying(), MusicData{});
    control("playpause");
    EXPECT_TRUE(waitUntil([&] { return mpv.playbackStatus() == "Playing"; }));
    EXPECT_EQ(playerctld.calls(), QStringList{});
    // No players at all: nothing playing, and a command goes nowhere.
    PrivateBus empty;
    ASSERT_TRUE(empty.start());
    MprisPlayers none(empty.connection());
    EXPECT_EQ(MusicMonitor::getNowPlaying(none), MusicData{});
    MusicMonitor::controlMusic(none, "next");
}

TEST_F(MprisMusic, PlayersThatNeverAnswerAreWaitedForBriefly)
{
    ScriptedPlayer spotify(bus, "spotify"), hung(bus, "browser");
    ASSERT_TRUE(spotify.start("Playing", {}, {"--silent"}));
    ASSERT_TRUE(hung.start("Playing", {}, {"--silent"}));
    ASSERT_TRUE(announced(3));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(nowPlaying().track, "Onda Lunga");
    control("playpause");  // to the silent Spotify: sent, not waited for
    EXPECT_LT(clock.elapsed(), 3000);  // the silent players hold every call for an hour
}

}  // namespace
