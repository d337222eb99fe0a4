// The extension's four views from fixture entries: what they show (texts and
// symbols, as drawn), their fall-backs field by field, and a few pixel probes.
#include "PellixBatteryWidgetView.h"
#include "PellixClockWidgetView.h"
#include "PellixMusicWidgetView.h"
#include "PellixWeatherWidgetView.h"
#include "SharedWidgetDataJson.h"
#include "BatteryRingView.h"
#include "test_support.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <set>

using namespace pellix::extension;

namespace {

const QDateTime kDate(QDate(2024, 9, 25), QTime(9, 5, 41));

WidgetEntry entry(const QByteArray &json = {})
{
    if (json.isEmpty())
        return WidgetEntry(kDate, std::nullopt);
    const auto data = decodeSharedWidgetData(json);
    EXPECT_TRUE(data) << json.toStdString();
    return WidgetEntry(kDate, data);
}

QByteArray devices(const QStringList &items)
{
    return "{\"battery\":[" + items.join(',').toUtf8() + "]}";
}

QString device(const QString &id, const QString &name, const QString &type, bool charging = false, qint64 percent = 100)
{
    return QStringLiteral(R"({"id":"%1","name":"%2","percent":%3,"charging":%4,"type":"%5"})")
        .arg(id, name)
        .arg(percent)
        .arg(charging ? "true" : "false", type);
}

template <typename View>
QImage render(const View &view, QSize size = {340, 170}, int scale = 2)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    view.paint(painter, QRectF(QPointF(), QSizeF(size)));
    return image;
}

// Pixels of exactly this opaque colour (give or take antialiasing's rounding).
int pixelsOf(const QImage &image, QColor color)
{
    return pellix::test::countPixels(image, [color](const QColor &c) {
        return c.alpha() == 255 && qAbs(c.red() - color.red()) <= 2 && qAbs(c.green() - color.green()) <= 2 &&
               qAbs(c.blue() - color.blue()) <= 2;
    });
}

const QColor kRed(255, 69, 58);

}  // namespace

TEST(ExtensionViews, EntryWithoutDataShowsTheDefaultContent)
{
    EXPECT_EQ(PellixClockWidgetView{entry()}.body(300).contents,
              QStringList({"MERCOLEDÌ 25 SETTEMBRE", "09:05", "PellixWidget"}));
    EXPECT_EQ(PellixWeatherWidgetView{entry()}.body(138).contents,
              QStringList({"MILANO", "20.0°", "sun.max.fill", "Percepito 20.0°"}));
    QRandomGenerator random(1);
    EXPECT_EQ(PellixMusicWidgetView{entry()}.body(308, random).contents,
              QStringList({"music.note", "Non in Riproduzione", "Riproduci della musica"}));
    EXPECT_EQ(PellixBatteryWidgetView{entry()}.body(308).contents,
              QStringList({"STATO BATTERIA", "MacBook", "100% - Carica"}));
    // An empty device list is no devices.
    EXPECT_EQ(PellixBatteryWidgetView{entry(R"({"battery":[]})")}.body(308).contents,
              QStringList({"STATO BATTERIA", "MacBook", "100% - Carica"}));
}

TEST(ExtensionViews, WeatherFallsBackFieldByField)
{
    const PellixWeatherWidgetView cityOnly{entry(R"({"weather":{"city":"Reggio nell'Emilia"}})")};
    EXPECT_EQ(cityOnly.body(300).contents,
              QStringList({"REGGIO NELL'EMILIA", "20.0°", "sun.max.fill", "Percepito 20.0°"}));
    const PellixWeatherWidgetView full{entry(R"({"weather":{"temp":21,"code":61,"apparent":-3.96}})")};
    EXPECT_EQ(full.body(300).contents, QStringList({"MILANO", "21.0°", "cloud.rain.fill", "Percepito -4.0°"}));
}

TEST(ExtensionViews, WeatherSymbolForEveryCode)
{
    const std::map<QString, std::set<int64_t>> table{
        {"sun.max.fill", {0, 1, 4, 100, -1, 52, INT64_MAX, INT64_MIN}},
        {"cloud.sun.fill", {2}},
        {"cloud.fill", {3}},
        {"cloud.fog.fill", {45, 48}},
        {"cloud.drizzle.fill", {51, 53, 55, 56, 57}},
        {"cloud.rain.fill", {61, 63, 65, 66, 67, 80, 81, 82}},
        {"snowflake", {71, 73, 75, 77, 85, 86}},
        {"cloud.bolt.rain.fill", {95, 96, 99}},
    };
    for (const auto &[symbol, codes] : table) {
        for (int64_t code : codes)
            EXPECT_EQ(PellixWeatherWidgetView::weatherSystemIcon(code), symbol) << code;
    }
}

TEST(ExtensionViews, NowPlayingTexts)
{
    QRandomGenerator random(1);
    const auto contents = [&](const QByteArray &music) {
        return PellixMusicWidgetView{entry("{\"music\":" + music + "}")}.body(308, random).contents;
    };
    EXPECT_EQ(contents(R"({"track":"Nuvole bianche","artist":"Ludovico Einaudi","playing":true})"),
              QStringList({"music.note", "Nuvole bianche", "Ludovico Einaudi"}));
    EXPECT_EQ(contents(R"({"playing":true})"), QStringList({"music.note", "In Riproduzione", "PellixWidget"}));
    // Only an absent artist falls back: an empty one is an empty line.
    EXPECT_EQ(contents(R"({"track":"Intro","artist":"","playing":true})"), QStringList({"music.note", "Intro", ""}));
    EXPECT_EQ(contents(R"({"track":"Intro","artist":"X","playing":false})"),
              QStringList({"music.note", "Non in Riproduzione", "Riproduci della musica"}));
}

TEST(ExtensionViews, BarHeightsCoverEightToFourteen)
{
    QRandomGenerator random(42);
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        const QList<int> heights = PellixMusicWidgetView::barHeights(random);
        ASSERT_EQ(heights.size(), 4);
        seen.insert(heights.begin(), heights.end());
    }
    EXPECT_EQ(seen, std::set<int>({8, 9, 10, 11, 12, 13, 14}));
}

// The bars are the only opaque red: drawn while playing only.
TEST(ExtensionViews, BarsOnlyWhilePlaying)
{
    const auto red = [](const QByteArray &music) {
        return pixelsOf(render(PellixMusicWidgetView{entry("{\"music\":" + music + "}")}), kRed);
    };
    EXPECT_EQ(red(R"({"track":"T","artist":"A","playing":false})"), 0);
    // Four bars 2 wide and at least 8 high, at scale 2, less their rounded ends.
    EXPECT_GE(red(R"({"track":"T","artist":"A","playing":true})"), 4 * 4 * 14);
}

TEST(ExtensionViews, BatteryShowsTheFirstFourDevicesInFileOrder)
{
    const PellixBatteryWidgetView view{entry(devices({
        device("macbook", "MacBook", "macbook", true),
        device("magic-mouse", "Magic Mouse", "mouse"),
        device("magic-keyboard", "Magic Keyboard", "keyboard"),
        device("apple-pencil", "Apple Pencil", "pencil"),
        device("airpods", "AirPods", "airpods"),
        device("apple-watch", "Apple Watch", "watch"),
    }))};
    // The Mac is labelled with the file's name, never the computer's. The bolt is
    // drawn by the app's ring code (test_battery_widget) and seen in system/extension_host.sh.
    EXPECT_EQ(view.body(308).contents,
              QStringList({"STATO BATTERIA", "laptopcomputer", "bolt.fill", "MacBook", "mouse", "Magic Mouse", "keyboard",
                           "Magic Keyboard", "battery.100", "Apple Pencil"}));
}

TEST(ExtensionViews, BackgroundGradientFromTopLeadingToBottomTrailing)
{
    QRandomGenerator random(1);
    const QImage clock = render(PellixClockWidgetView{entry()}, {170, 170}, 1);
    const QImage music = render(PellixMusicWidgetView{entry()}, {170, 170}, 1);
    EXPECT_NEAR(clock.pixelColor(0, 0).alpha(), 77, 3);     // black at 30 %
    EXPECT_NEAR(music.pixelColor(0, 0).alpha(), 102, 3);    // black at 40 %
    EXPECT_NEAR(clock.pixelColor(169, 169).alpha(), 153, 3);  // black at 60 %
    EXPECT_EQ(clock.pixelColor(169, 169).rgb() & 0xffffff, 0u);
}

// Values no app writes but a file can hold: drawn cut to the widget, never crashing.
TEST(ExtensionViews, HostileValuesAreCutWhenDrawn)
{
    const QString huge(100'000, QChar('W'));
    const QByteArray json = QStringLiteral(
        R"({"weather":{"city":"%1","temp":1e308,"code":-9223372036854775808,"apparent":-1e308},)"
        R"("music":{"track":"%1","artist":"%1","playing":true},"battery":[%2,%3]})")
        .arg(huge, device("x", huge, huge, true, INT64_MAX), device("y", "", "", false, INT64_MIN)).toUtf8();
    const WidgetEntry hostile = entry(json);
    ASSERT_TRUE(hostile.data);
    QRandomGenerator random(1);
    for (const QStringList &contents : {PellixWeatherWidgetView{hostile}.body(138).contents,
                                        PellixMusicWidgetView{hostile}.body(138, random).contents,
                                        PellixBatteryWidgetView{hostile}.body(138).contents}) {
        for (const QString &shown : contents)
            EXPECT_LE(shown.size(), 2 * kMaxTextLength) << shown.left(40).toStdString();
    }
    for (QSize size : {QSize(170, 170), QSize(340, 170)}) {
        render(PellixClockWidgetView{hostile}, size);
        render(PellixWeatherWidgetView{hostile}, size);
        render(PellixMusicWidgetView{hostile}, size);
        EXPECT_GT(pixelsOf(render(PellixBatteryWidgetView{hostile}, size), QColor(48, 209, 88)), 0);
    }
}
