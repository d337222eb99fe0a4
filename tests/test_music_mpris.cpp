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

#include <QBuffer>
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

TEST(MusicBounds, PlayerTextsAreCutAndCleanedAndLongUrlsDropped)
{
    const std::pair<QString, QString> texts[] = {
        {"Jóga", "Jóga"},
        {"a\tb\nc\x01" "d\x7f\u0085e", "a b cd e"},  // NEL is a line break too
        {"\u202Eevil\u202C \u2067x\u2069\u200F", "evil x\u200F"},  // marks stay, overrides go
        {QString("x").repeated(299) + QString::fromUtf16(u"\U0001F3B5"), QString("x").repeated(299)},
        {QString("y").repeated(10'000'000), QString("y").repeated(300)},
    };
    for (const auto &[text, kept] : texts)
        EXPECT_EQ(boundedPlayerText(text, kMaxTrackTextLength), kept) << text.left(20).toStdString();

    const QString longUrl = "https://a.example/" + QString("p").repeated(5000);
    const QString dataUrl = "data:image/png;base64," + QString("A").repeated(5000);
    const QString hugeData = "data:," + QString("A").repeated(kMaxDataUrlLength);
    NowPlaying junk{{"\x1b[2JT", QString("a").repeated(400), longUrl, "music\n", true}, {}, "vlc\u202E" + QString("v").repeated(40)};
    const NowPlaying bounded = boundedNowPlaying(junk);
    EXPECT_EQ(bounded.music, (MusicData{"[2JT", QString("a").repeated(300), {}, "music\n", true}));
    EXPECT_EQ(bounded.name, "vlc" + QString("v").repeated(28));
    junk.music.artwork = dataUrl;
    EXPECT_EQ(boundedNowPlaying(junk).music.artwork, dataUrl);  // for the view to decode...
    EXPECT_EQ(publishedMusic(boundedNowPlaying(junk).music).artwork, std::nullopt);  // ...but not the shared file's
    junk.music.artwork = hugeData;
    EXPECT_EQ(boundedNowPlaying(junk).music.artwork, std::nullopt);
    junk.music.artwork = "https://i.scdn.co/image/ab67";
    EXPECT_EQ(publishedMusic(boundedNowPlaying(junk).music).artwork, "https://i.scdn.co/image/ab67");
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
        return MusicMonitor::getNowPlaying(players).music;
    }
    // Until the bus's signals have announced `count` players.
    bool announced(qsizetype count)
    {
        return waitUntil([&] { return names->names().size() == count; });
    }
    void control(const QString &action, const std::optional<PlayerAddress> &shown = std::nullopt)
    {
        MprisPlayers players(bus.connection(), MprisPlayers::kCallTimeoutMs, &*names, &identities);
        MusicMonitor::controlMusic(players, action, shown);
    }
    NowPlaying playerOnScreen()
    {
        MprisPlayers players(bus.connection(), MprisPlayers::kCallTimeoutMs, &*names, &identities);
        return MusicMonitor::getNowPlaying(players);
    }
    // A Player method called on a player as another client would.
    void call(const QString &busName, const char *method)
    {
        bus.connection().call(QDBusMessage::createMethodCall(busName, "/org/mpris/MediaPlayer2",
                                                             "org.mpris.MediaPlayer2.Player", method),
                              QDBus::Block, 2000);
    }
    PrivateBus bus;
    std::optional<MprisNames> names;
    MprisIdentities identities;
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

// A cover of one colour where the glow's samples fall (every tenth pixel of
// 100 x 100) and noise elsewhere, so that its data: URL is longer than any
// other art URL may be.
QString noisyCover(QRgb colour)
{
    QImage image(100, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            image.setPixel(x, y, x % 10 || y % 10 ? qRgb(x * y % 256, x * 7 % 256, y * 11 % 256) : colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return "data:image/png;base64," + bytes.toBase64();
}

// The widget over this collector, step by step: each row does something to the
// players (or presses the widget's play/pause), then the widget refreshes until
// it shows the row's track; its badge, cover and glow must be that track's, and
// the shared file must hold the record without an oversized art URL.
TEST_F(MprisMusic, TheWidgetShowsTheTrackOnScreenAndCommandsItsPlayer)
{
    const QString red = noisyCover(qRgb(200, 0, 0));
    ASSERT_GT(red.size(), kMaxArtUrlLength);
    ScriptedPlayer spotify(bus, "spotify"), odd(bus, "odd");
    ASSERT_TRUE(spotify.start("Paused", {{"Song X", "A One;A Two", red}, {"Song Y", "A One", ""}}));
    ASSERT_TRUE(announced(2));

    QTemporaryDir dir;
    SettingsManager settings(dir.filePath("settings.json"));
    settings.setSharedDataPath(dir.filePath("widget-data.json"));
    MusicWidgetView view(settings);
    view.setCollector([&] { return playerOnScreen(); },
                      [&](const QString &action, const std::optional<PlayerAddress> &shown) { control(action, shown); });
    const auto showing = [&](const std::optional<QString> &track) {
        return waitUntil([&] { view.refreshMusic(); return view.nowPlaying().music.track == track; });
    };
    const QColor mpvBlue = QColor::fromRgb(MpvPlayer::kCoverColour), pink = pellix::ui::musicPink();
    // mpv's Identity, asked as the app asks it.
    const QString mpvName = MprisIdentities::ask(bus.connection(), "org.mpris.MediaPlayer2.mpv", 1000);
    ASSERT_FALSE(mpvName.isEmpty());

    const struct {
        const char *name;
        std::function<void()> act;
        std::optional<QString> track;
        QString badge;
        std::optional<QColor> cover;  // the image's colour once loaded; none: the placeholder
        QColor glow;
        bool coverAtOnce;  // the cover is there at the first refresh that shows the track
    } steps[] = {
        {"spotify paused, mpv plays", [] {}, "Onda Lunga", mpvName.toUpper(), mpvBlue, mpvBlue, false},
        {"play/pause goes to mpv on screen, not to the running spotify",
         [&] { view.control("playpause"); ASSERT_TRUE(waitUntil([&] { return mpv.playbackStatus() == "Paused"; })); },
         std::nullopt, "", mpvBlue, mpvBlue, true},
        {"nothing on screen: to spotify, which runs", [&] { view.control("playpause"); }, "Song X", "SPOTIFY",
         QColor(200, 0, 0), QColor(200, 0, 0), false},
        {"paused and resumed: the same cover, not fetched again",
         [&] { call(spotify.busName(), "PlayPause"); ASSERT_TRUE(showing(std::nullopt)); call(spotify.busName(), "PlayPause"); },
         "Song X", "SPOTIFY", QColor(200, 0, 0), QColor(200, 0, 0), true},
        {"paused, a track without art, resumed: no cover, the pink glow",
         [&] {
             call(spotify.busName(), "PlayPause");
             ASSERT_TRUE(showing(std::nullopt));
             call(spotify.busName(), "Next");
             call(spotify.busName(), "PlayPause");
         },
         "Song Y", "SPOTIFY", std::nullopt, pink, true},
        {"a player with junk in its texts and no Identity: cleaned, named by its bus name",
         [&] {
             call(spotify.busName(), "PlayPause");
             ASSERT_TRUE(odd.start("Playing", {{"\u202Eit\x01le\u2069", QString("n;").repeated(30), ""}}));
         },
         "itle", "ODD", std::nullopt, pink, true},
    };
    for (const auto &step : steps) {
        step.act();
        ASSERT_TRUE(showing(step.track)) << step.name << ": " << view.nowPlaying().music.track.value_or("-").toStdString();
        const NowPlaying &shown = view.nowPlaying();
        const QImage image = view.artImage();
        if (step.coverAtOnce) {
            EXPECT_EQ(image.isNull(), !step.cover) << step.name;
        }
        if (step.cover) {
            EXPECT_TRUE(waitUntil([&] { return !view.artImage().isNull(); })) << step.name;
            EXPECT_EQ(view.artImage().pixel(0, 0) & 0xffffff, step.cover->rgb() & 0xffffff) << step.name;
        }
        EXPECT_TRUE(waitUntil([&] { return view.glowColor() == step.glow; })) << step.name;
        if (!shown.music.playing)
            continue;
        EXPECT_EQ(musicBadgeText(shown.music.source, shown.name), step.badge) << step.name;
        const std::optional<MusicData> published = readSharedDataFile(dir.filePath("widget-data.json"))->music;
        EXPECT_EQ(published, publishedMusic(shown.music)) << step.name;
        EXPECT_LE(published->artwork.value_or("").size(), kMaxArtUrlLength) << step.name;
    }
    EXPECT_EQ(view.nowPlaying().music.artist, QString("n, ").repeated(20).chopped(2));
    EXPECT_EQ(spotify.calls(), (QStringList{"PlayPause", "PlayPause", "PlayPause", "PlayPause", "Next", "PlayPause",
                                            "PlayPause"}));
}

}  // namespace
