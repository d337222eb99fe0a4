// The now-playing widget: cover art and its colour, the art change rule, layouts
// and the buttons (a real player and what it publishes: system/now_playing.sh).
#include "Colors.h"
#include "LocalHttpServer.h"
#include "settings/SettingsManager.h"
#include "test_support.h"
#include "views/MusicArtwork.h"
#include "views/MusicContentView.h"
#include "views/MusicVisualizer.h"
#include "views/MusicWidgetView.h"
#include "views/TransportButton.h"
#include "views/WidgetContainer.h"
#include "views/WidgetSpeech.h"

#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace pellix::test;
using pellix::ui::rgba;

namespace {

TEST(MusicArtwork, AverageOfTheSampleGridAtFullOpacityAndDataUrlsWithinBounds)
{
    QImage quarters(2, 2, QImage::Format_ARGB32);
    quarters.setPixel(0, 0, qRgb(255, 0, 0));
    quarters.setPixel(1, 0, qRgb(0, 0, 255));
    quarters.setPixel(0, 1, qRgb(0, 0, 0));
    quarters.setPixel(1, 1, qRgba(255, 255, 255, 0));
    // 20 columns by 1 row: the samples take columns 0, 2, ..., 18, never an odd one.
    QImage stripes(20, 1, QImage::Format_RGB32);
    for (int x = 0; x < 20; ++x)
        stripes.setPixel(x, 0, x % 2 ? qRgb(0, 0, 0) : qRgb(40, 80, 120));
    EXPECT_EQ(averageColor(quarters), QColor::fromRgbF(0.5f, 0.25f, 0.5f, 1.0f));
    EXPECT_EQ(averageColor(stripes), rgba(40, 80, 120));
    EXPECT_EQ(decodeArtwork(onePixel(qRgba(10, 200, 30, 77)))->averageColor, rgba(10, 200, 30));
    // A text chunk claiming 2 GB in a 90-byte PNG: refused before libpng allocates it.
    QByteArray bomb = onePixel(qRgb(1, 2, 3));
    bomb.insert(bomb.size() - 12, QByteArray::fromHex("79000025") + "tEXtdate");
    EXPECT_FALSE(pngChunksFit(bomb));
    const std::optional<Artwork> large = decodeArtwork(png(QImage(2000, 1000, QImage::Format_RGB32)));
    ASSERT_TRUE(large);
    EXPECT_EQ(large->image.size(), QSize(512, 256));

    const QByteArray bytes = onePixel(qRgb(1, 2, 3));
    const std::pair<QString, std::optional<QByteArray>> urls[] = {
        {"DATA:;BASE64," + bytes.toBase64(), bytes},  // (the usual spelling: the covers of the widget tests)
        {"data:text/plain,a%20b", QByteArray("a b")},
        {"data:image/png;base64,@@@", std::nullopt},
        {"https://example.com/a.png", std::nullopt},
    };
    for (const auto &[url, expected] : urls)
        EXPECT_EQ(decodeDataUrl(url), expected) << url.left(40).toStdString();
    EXPECT_EQ(decodeDataUrl("data:;base64," + QByteArray(16, 'A'), 11), std::nullopt);
}

TEST(MusicVisualizer, BarsEaseToRandomHeightsStandingOnTheBottom)
{
    // ease-in-out, cubic-bezier(0.42, 0, 0.58, 1): a quarter of the time gives 12.9 % of the way.
    EXPECT_NEAR(easedBarHeight(4, 20, 0.25), 4 + 16 * 0.12916, 0.001);
    EXPECT_DOUBLE_EQ(easedBarHeight(20, 4, 1.5), 4);

    MusicVisualizer meter(rgba(255, 0, 0));
    for (int round = 0; round < 8; ++round) {
        QThread::msleep(40);  // the bars move on the clock
        meter.frame();
        QImage image(meter.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        meter.render(&image, {}, {}, QWidget::DrawChildren);
        for (int bar = 0; bar < 4; ++bar) {
            const double height = meter.heights()[bar], target = meter.targets()[bar];
            EXPECT_TRUE(height >= 4 && height <= 20 && target >= 4 && target <= 20) << height << " " << target;
            int lit = 0;
            for (int y = 0; y < image.height(); ++y)
                lit += image.pixelColor(bar * 7 + 1, y).alpha() > 127;
            EXPECT_NEAR(lit, height, 1.0) << "bar " << bar;
            EXPECT_GT(image.pixelColor(bar * 7 + 1, 19).alpha(), 127);
        }
    }
}

MusicData playing(std::optional<QString> art, const char *source = "music")
{
    return {"Titolo", "Artista", std::move(art), source, true};
}

class MusicWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        settings.setSharedDataPath(dir.filePath("widget-data.json"));
        settings.setSize("music", "medium");
        view.setCollector([this] { ++asked; view.showNowPlaying(NowPlaying{answer, {}, {}}); },
                          [this](const QString &a, const std::optional<PlayerAddress> &) { commands << a; });
        view.resize(340, 170);
    }
    void refreshWith(const MusicData &data)
    {
        answer = data;
        view.refreshMusic();
    }
    bool glowBecomes(const QColor &c) { return waitUntil([&] { return view.glowColor() == c; }, 5000); }

    QTemporaryDir dir;
    LocalHttpServer server;
    SettingsManager settings{dir.filePath("settings.json")};
    MusicWidgetView view{settings};
    MusicData answer;
    int asked = 0;
    QStringList commands;
};

// Art through a redirect gives its exact colour (file and data URLs: the MPRIS
// widget test's covers); a FIFO where the art should be is no art.
TEST_F(MusicWidgetTest, ArtGivesItsExactColourAndAPausedPlayerKeepsItWithoutGlow)
{
    server.route("/moved", {302, {}, HttpAnswer::Kind::Complete, 0, server.baseUrl().toUtf8() + "/cover.png"});
    server.route("/cover.png", {200, onePixel(qRgb(10, 200, 30))});
    refreshWith(playing(server.baseUrl() + "/moved"));
    EXPECT_TRUE(glowBecomes(rgba(10, 200, 30)));
    EXPECT_EQ(view.artImage().pixel(0, 0) & 0xffffff, 0x0ac81eu);
    EXPECT_EQ(view.container()->glowColor(), rgba(10, 200, 30));
    // No wait on the FIFO (the decoding thread would never end), no change of colour.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.png")).constData(), 0600), 0);
    refreshWith(playing(QUrl::fromLocalFile(dir.filePath("fifo.png")).toString()));
    waitUntil([] { return false; }, 300);
    EXPECT_TRUE(view.artImage().isNull());
    EXPECT_EQ(view.glowColor(), rgba(10, 200, 30));
    // A paused player keeps the image and colour but shows no glow; playing again, it has them at once.
    const QString art = "data:image/png;base64," + onePixel(qRgb(7, 8, 9)).toBase64();
    refreshWith(playing(art, "spotify"));
    ASSERT_TRUE(waitUntil([&] { return !view.artImage().isNull(); }));
    refreshWith(MusicData{});
    EXPECT_EQ(view.glowColor(), rgba(7, 8, 9));
    EXPECT_EQ(view.container()->glowColor(), pellix::ui::clear());
    refreshWith(playing(art, "spotify"));
    EXPECT_FALSE(view.artImage().isNull());
}

TEST_F(MusicWidgetTest, ArtChangeClearsAtOnceAndLateAnswersForOldUrlsAreDropped)
{
    server.route("/slow.png", {200, onePixel(qRgb(255, 0, 0)), HttpAnswer::Kind::Complete, 700});
    server.route("/fast.png", {200, onePixel(qRgb(0, 0, 255))});
    server.route("/broken.png", {200, "<html>"});
    refreshWith(playing(server.baseUrl() + "/fast.png"));
    ASSERT_TRUE(glowBecomes(rgba(0, 0, 255)));

    refreshWith(playing(server.baseUrl() + "/slow.png"));
    EXPECT_TRUE(view.artImage().isNull());
    EXPECT_EQ(view.glowColor(), rgba(0, 0, 255));  // until the new art arrives
    refreshWith(playing(server.baseUrl() + "/broken.png"));
    // The slow answer comes while the broken one is current: dropped.
    waitUntil([] { return false; }, 1200);
    EXPECT_EQ(server.targets(), (QList<QByteArray>{"/fast.png", "/slow.png", "/broken.png"}));
    EXPECT_TRUE(view.artImage().isNull());
    EXPECT_EQ(view.glowColor(), rgba(0, 0, 255));

    // The same URL again is no new download; no URL at all is the pink glow.
    refreshWith(playing(server.baseUrl() + "/broken.png"));
    refreshWith(playing(std::nullopt));
    EXPECT_EQ(server.targets().size(), 3);
    EXPECT_EQ(view.glowColor(), pellix::ui::musicPink());
    refreshWith(playing("not a url"));
    EXPECT_EQ(view.glowColor(), pellix::ui::musicPink());
}

TEST_F(MusicWidgetTest, ShowRefreshesEveryTimeAndShowsControlsOnlyWhenMediumAndPlaying)
{
    view.show();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(view.isRefreshing());
    MusicContentView *content = view.content();
    EXPECT_FALSE(content->visualizer()->isVisible());

    refreshWith(playing(std::nullopt, "spotify"));  // published: system/now_playing.sh
    EXPECT_TRUE(content->nextButton()->isVisible());
    EXPECT_TRUE(content->visualizer()->isTicking());
    EXPECT_EQ(content->visualizer()->color(), pellix::ui::spotifyGreen());

    // A tick of the meter repaints its own rectangle and nothing else.
    PaintSpy spy{view.container(), content};
    QCoreApplication::processEvents();
    spy.painted = {};
    content->visualizer()->frame();
    QCoreApplication::processEvents();
    EXPECT_FALSE(spy.painted.isEmpty());
    EXPECT_EQ(spy.painted.boundingRect() | content->visualizer()->geometry(), content->visualizer()->geometry());

    settings.setSize("music", "small");
    EXPECT_FALSE(content->visualizer()->isTicking());
    settings.setSize("music", "large");
    EXPECT_TRUE(content->visualizer()->isTicking());
    refreshWith(MusicData{});
    EXPECT_FALSE(content->visualizer()->isTicking());
    view.hide();
    EXPECT_FALSE(view.isRefreshing());

    // A button sends its action; a burst of presses reads the state again once, 0.3 s after the last.
    refreshWith(playing(std::nullopt));
    view.show();
    // Pressed just after a periodic refresh, so the next one is 3 s away.
    const int shown = asked;
    ASSERT_TRUE(waitUntil([&] { return asked > shown; }, 3500));
    const int before = asked;
    for (int press = 0; press < 3; ++press)
        QTest::mouseClick(content->previousButton(), Qt::LeftButton, {}, QPoint(16, 16));
    EXPECT_EQ(commands, QStringList(3, "previous"));
    EXPECT_EQ(asked, before);
    EXPECT_FALSE(waitUntil([&] { return asked > before + 1; }, 1000));
    EXPECT_EQ(asked, before + 1);
    // The corner of a button's square is background: no command, left to the window's drag.
    QTest::mouseClick(content->previousButton(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(commands, QStringList(3, "previous"));
}

// Sampled from the rendered widget: the play button's fill below its symbol
// (medium), the art above the texts (small).
TEST_F(MusicWidgetTest, LayoutsInBothSizesAndBothSources)
{
    view.show();
    const std::pair<const char *, QColor> sources[] = {
        {"spotify", pellix::ui::spotifyGreen()}, {"Spotify", pellix::ui::musicPink()}, {"music", pellix::ui::musicPink()}};
    for (const auto &[source, accent] : sources) {
        settings.setSize("music", "medium");
        refreshWith(playing(std::nullopt, source));
        const QColor play = view.grab().toImage().pixelColor(230, 147);
        EXPECT_LT(std::abs(play.hue() - accent.hue()), 8) << source << " " << play.name().toStdString();
        settings.setSize("music", "small");
        view.resize(170, 170);
        const QImage small = view.grab().toImage();
        EXPECT_FALSE(view.content()->playPauseButton()->isVisible());
        EXPECT_NE(small.pixelColor(85, 60), small.pixelColor(85, 150));
        view.resize(340, 170);
    }
}

}  // namespace

// What the now-playing widget tells a screen reader, and the play/pause button's name.
TEST_F(MusicWidgetTest, SpokenTextAndTheButtonNamedForWhatItWillDo)
{
    const std::tuple<MusicData, QString, QString, QString> cases[] = {
        {{"Onda", "Coro", {}, "music", true}, "mpv", "Onda, Coro, mpv, in riproduzione", "Metti in pausa"},
        {{{}, {}, {}, "spotify", true}, "", QString::fromUtf8("—, —, Spotify, in riproduzione"), "Metti in pausa"},
        {{"Brano", "Artista", {}, {}, true}, "", "Brano, Artista, Apple Music, in riproduzione", "Metti in pausa"},
        {{"Onda", "Coro", {}, "music", false}, "mpv", QString::fromUtf8("In attesa di musica…"), "Riproduci"},
    };
    for (const auto &[music, player, spoken, playPause] : cases) {
        view.showNowPlaying(NowPlaying{music, {}, player});
        EXPECT_EQ(view.spokenText(), spoken);
        EXPECT_EQ(view.content()->playPauseButton()->accessibleName(), playPause);
    }
}
