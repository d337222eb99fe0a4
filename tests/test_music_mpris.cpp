// The music monitor through MPRIS: the decoding of a player's properties, the
// bounds on what any player sends, and real players on a private session bus
// (scripted ones, on Spotify's name or another, mpv with its MPRIS plug-in),
// alone and behind the now-playing widget.
#include "Colors.h"
#include "LocalHttpServer.h"
#include "MusicPeers.h"
#include "SharedDataFile.h"
#include "monitors/MprisPlayers.h"
#include "monitors/MusicBounds.h"
#include "monitors/MusicMonitor.h"
#include "settings/SettingsManager.h"
#include "test_support.h"
#include "views/MusicWidgetLayout.h"
#include "views/MusicWidgetView.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace pellix::test;

namespace {

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
        {"twenty artists at most",
         player("Playing", {{"xesam:artist", QString("a;").repeated(25).split(';', Qt::SkipEmptyParts)}}),
         MusicData{{}, QString("a, ").repeated(20).chopped(2), {}, "music", true}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(mpris::musicFromProperties(c.properties, "music"), c.expected) << c.name;
    EXPECT_EQ(mpris::otherPlayers({"org.mpris.MediaPlayer2.vlc", ":1.4", "org.mpris.MediaPlayer2.spotify",
                                   "org.mpris.MediaPlayer2.playerctld", "org.freedesktop.DBus",
                                   "org.mpris.MediaPlayer2.mpv.instance42", "org.mpris.MediaPlayer2.Firefox"}),
              (QStringList{"org.mpris.MediaPlayer2.Firefox", "org.mpris.MediaPlayer2.mpv.instance42",
                           "org.mpris.MediaPlayer2.vlc"}));
}

// What the widget table below leaves out: a 10 M-character title costs no more
// than a short one; the cut never splits a character as drawn (a surrogate
// pair, an emoji sequence, a letter and its accent); separators and controls
// become single spaces, marks stay; an oversized art URL of either kind goes.
TEST(MusicBounds, PlayerTextsAreCutAndCleanedAndOversizedUrlsDropped)
{
    EXPECT_EQ(boundedPlayerText(QString("x").repeated(299) + QString::fromUtf16(u"\U0001F3B5")
                                    + QString("y").repeated(10'000'000), 300),
              QString("x").repeated(299));
    const QString family = QString::fromUtf16(u"\U0001F469\u200D\U0001F469\u200D\U0001F467");
    EXPECT_EQ(boundedPlayerText(QString(28, 'v') + family, 32), QString(28, 'v'));
    EXPECT_EQ(boundedPlayerText(QString(31, 'v') + "e\u0301", 32), QString(31, 'v'));
    EXPECT_EQ(boundedPlayerText("\r\n a\tb\u0085c\x01" "d\u202Ee\u2069\u200F\u2028\u2029 f \n", 300),
              "a b c de\u200F f");
    NowPlaying junk{{{}, {}, "data:," + QString("A").repeated(kMaxDataUrlLength), "music\n", true}, {}, QString(40, 'v')};
    EXPECT_EQ(boundedNowPlaying(junk), (NowPlaying{{{}, {}, {}, "music\n", true}, {}, QString(32, 'v')}));
    junk.music.artwork = "https://a.example/" + QString(5000, 'p');
    EXPECT_EQ(boundedNowPlaying(junk).music.artwork, std::nullopt);
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
    NowPlaying current()
    {
        MprisPlayers players(bus.connection(), MprisPlayers::kCallTimeoutMs, &*names);
        return MusicMonitor::getNowPlaying(players);
    }
    MusicData nowPlaying() { return current().music; }
    // Until the bus's signals have announced `count` players.
    bool announced(qsizetype count)
    {
        return waitUntil([&] { return names->names().size() == count; });
    }
    void control(const QString &action, const std::optional<PlayerAddress> &shown = std::nullopt)
    {
        MprisPlayers players(bus.connection(), MprisPlayers::kCallTimeoutMs, &*names);
        MusicMonitor::controlMusic(players, action, shown);
    }

    PrivateBus bus;
    std::optional<MprisNames> names;
    MpvPlayer mpv{bus};
};

// Spotify paused beside mpv: mpv's track is shown, a command goes to Spotify
// while it runs (the widget's steps below), to mpv once it quits; playerctld's
// proxy repeats another player and is nobody of its own.
TEST_F(MprisMusic, CommandsGoToSpotifyWhileItRunsThenToMpvNeverToPlayerctld)
{
    ScriptedPlayer playerctld(bus, "playerctld");
    ASSERT_TRUE(playerctld.start("Playing", {{"Proxy", "Proxy", ""}}));
    auto spotify = std::make_unique<ScriptedPlayer>(bus, "spotify");
    ASSERT_TRUE(spotify->start("Paused", {{"Song X", "A One;A Two", ""}}));
    ASSERT_TRUE(announced(3));
    EXPECT_EQ(nowPlaying(), track("Onda Lunga", "Coro di Prova", "file://" + mpv.mediaDir() + "/cover.png", "music"));
    control("Next");  // not an action word
    control("playpause");
    EXPECT_TRUE(waitUntil([&] { return spotify->calls() == QStringList{"PlayPause"}; }));
    spotify.reset();
    ASSERT_TRUE(announced(2));
    QSignalSpy told(&*names, &MprisNames::changed);  // the widget refreshes on it instead of polling
    control("next");
    EXPECT_TRUE(waitUntil([&] { return nowPlaying().track == "Seconda Onda"; }));
    EXPECT_TRUE(waitUntil([&] { return told.count() > 0; })) << "mpv's new track was not signalled";
    EXPECT_EQ(playerctld.calls(), QStringList{});
    // No players at all: nothing playing, and a command goes nowhere.
    PrivateBus empty;
    ASSERT_TRUE(empty.start());
    MprisPlayers none(empty.connection());
    EXPECT_EQ(MusicMonitor::getNowPlaying(none), NowPlaying{});
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

// The widget over this collector, step by step: each row does something to the
// players (or presses the widget's play/pause), then the widget refreshes until
// it shows the row's track; its badge, cover and glow (the cover's colour, else
// pink) must be that track's, and the shared file must hold the track without
// an oversized art URL. (What a pause does to the cover: MusicWidgetTest.)
TEST_F(MprisMusic, TheWidgetShowsTheTrackOnScreenAndCommandsItsPlayer)
{
    auto spotify = std::make_unique<ScriptedPlayer>(bus, "spotify"), odd = std::make_unique<ScriptedPlayer>(bus, "odd");
    // A phone bridge: one connection, two names, each with its own state and Identity.
    ScriptedPlayer silent(bus, "browser"), phone(bus, "PhoneVLC");
    // A red pixel with bytes after its end (which readers ignore): an art URL too long to publish.
    const QString longRedCover =
        "data:image/png;base64," + (onePixel(qRgb(200, 0, 0)) + QByteArray(4096, '\0')).toBase64();
    ASSERT_TRUE(spotify->start("Paused", {{"Song X", "A One;A Two", longRedCover}}));
    ASSERT_TRUE(announced(2));
    QTemporaryDir dir;
    SettingsManager settings(dir.filePath("settings.json"));
    settings.setSharedDataPath(dir.filePath("widget-data.json"));
    MusicWidgetView view(settings);
    view.setCollector([&] { view.showNowPlaying(current()); },
                      [&](const QString &action, const std::optional<PlayerAddress> &shown) { control(action, shown); });
    const QColor blue = QColor::fromRgb(MpvPlayer::kCoverColour), red(200, 0, 0);
    const QString mpvName = "org.mpris.MediaPlayer2.mpv";

    const struct {
        const char *name;
        std::function<void()> act;
        std::optional<QString> track;
        QString badge;
        std::optional<QColor> cover;  // none: the placeholder
    } steps[] = {
        {"spotify paused, mpv plays", [] {}, "Onda Lunga", "MPV", blue},
        {"play/pause goes to mpv on screen, not to the running spotify",
         [&] { view.control("playpause"); ASSERT_TRUE(waitUntil([&] { return mpv.playbackStatus() == "Paused"; })); },
         std::nullopt, "", blue},
        {"nothing on screen: to spotify, which runs", [&] { view.control("playpause"); }, "Song X", "SPOTIFY", red},
        {"spotify paused from the widget; separators and junk in the title, an invisible Identity: the bus name",
         [&] { view.control("playpause"); ASSERT_TRUE(odd->start("Playing", {{"\u202Eit\x01le\u2028line2\r\n\u2069",
                                                                               "n", ""}}, {"--identity", "\u200B\u200D"})); },
         "it le line2", "ODD", std::nullopt},
        {"the player on screen quits: play/pause goes to no other (spotify stays paused)",
         [&] { odd.reset(); ASSERT_TRUE(announced(2)); view.control("playpause"); }, std::nullopt, "", std::nullopt},
        {"spotify quits, nothing on screen: play/pause to the paused mpv that answers, not the silent first name",
         [&] { spotify.reset(); ASSERT_TRUE(silent.start("Paused", {}, {"--silent"}));
               ASSERT_TRUE(waitUntil([&] { return names->names() == QStringList{silent.busName(), mpvName}; }));
               view.control("playpause"); },
         "Onda Lunga", "MPV", blue},
        {"a phone bridge, one connection with two names: the playing one's Identity",
         [&] { ASSERT_TRUE(phone.start("Paused", {}, {"--identity", "Phone VLC", "--also", "PhoneSpotify", "Playing",
                                                       "Phone Spotify"})); },
         "Song", "PHONE SPOTIFY", std::nullopt},
        {"the other name plays instead: its Identity, not the connection's first",
         [&] { phone.tell("PhoneSpotify", "org.mpris.MediaPlayer2.Player.PlayPause");
               phone.tell("PhoneVLC", "org.mpris.MediaPlayer2.Player.PlayPause"); },
         "Song", "PHONE VLC", std::nullopt},
        {"it renames itself: read again",
         [&] { phone.tell("PhoneVLC", "org.pellix.TestPlayer.SetIdentity", {QString("Telefono")}); },
         "Song", "TELEFONO", std::nullopt},
    };
    for (const auto &step : steps) {
        step.act();
        const auto showing = [&] { view.refreshMusic(); return view.nowPlaying().music.track == step.track; };
        ASSERT_TRUE(waitUntil(showing)) << step.name;
        EXPECT_TRUE(waitUntil([&] { return view.artImage().isNull() == !step.cover; })) << step.name;
        if (step.cover) {
            EXPECT_EQ(view.artImage().pixel(0, 0) & 0xffffff, step.cover->rgb() & 0xffffff) << step.name;
        }
        EXPECT_TRUE(waitUntil([&] { return view.glowColor() == step.cover.value_or(pellix::ui::musicPink()); }))
            << step.name;
        const NowPlaying &shown = view.nowPlaying();
        if (!shown.music.playing)
            continue;
        EXPECT_EQ(musicBadgeText(shown.music.source, shown.name), step.badge) << step.name;
        const MusicData published = *readSharedDataFile(dir.filePath("widget-data.json"))->music;
        EXPECT_TRUE(published.track == step.track && published.artwork.value_or("").size() <= kMaxArtUrlLength)
            << step.name;
    }
}

}  // namespace
