// The battery widget: what it draws for a list of batteries, how it refreshes
// and publishes, and the colours on grabbed images.
#include "Colors.h"
#include "views/BatteryRingView.h"
#include "views/BatteryWidgetLayout.h"
#include "views/BatteryWidgetView.h"
#include "views/WidgetContainer.h"
#include "views/WidgetSpeech.h"
#include "settings/SettingsManager.h"
#include "SharedDataFile.h"
#include "test_support.h"

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace pellix::ui;

namespace {

BatteryDevice mac(int64_t percent, bool charging = false) { return {"macbook", "MacBook", percent, charging, "macbook"}; }
BatteryDevice accessory(const char *name, const char *type, int64_t percent = 50)
{
    return {QString(name).toLower().replace(' ', '-'), name, percent, false, type};
}

const QStringList kDefaultVisible{"macbook", "watch", "mouse", "airpods"};

TEST(BatteryGlow, FromTheFirstComputerEntry)
{
    const std::pair<QList<BatteryDevice>, QColor> cases[] = {
        {{mac(19)}, systemRed()},           {{mac(19, true)}, systemOrange()},
        {{mac(20)}, systemGreen()},         {{mac(20, true)}, systemGreen()},
        {{mac(-5)}, systemRed()},           {{accessory("Magic Mouse", "mouse", 5)}, clear()},
        {{accessory("Magic Mouse", "mouse", 5), mac(80), mac(3)}, systemGreen()},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(batteryGlowColor(cases[i].first), cases[i].second) << "case " << i;
}

TEST(BatteryRings, SmallIsTheComputerOnlyAndRepeatedIdsGetRingsOfTheirOwn)
{
    const QList<BatteryDevice> devices{accessory("Magic Mouse", "mouse"), mac(64, true), mac(10)};
    EXPECT_EQ(batteryRings(devices, "small", {}, "Studio"),
              (QList<BatteryRingSpec>{BatteryRingSpec{"macbook", mac(64, true), true, "Studio"}}));
    EXPECT_TRUE(batteryRings({accessory("Magic Mouse", "mouse")}, "small", kDefaultVisible, "Studio").isEmpty());
    const QList<BatteryRingSpec> twice = batteryRings({accessory("Magic Mouse", "mouse", 10), accessory("Magic Mouse", "mouse", 90)},
                                                      "medium", kDefaultVisible, "Studio");
    ASSERT_EQ(twice.size(), 2);
    EXPECT_NE(twice[0].key, twice[1].key);
}

TEST(BatteryWidget, ShowRefreshesPublishesEverythingAndDrawsUpToFourFilteredRings)
{
    QTemporaryDir dir;
    SettingsManager settings(dir.filePath("settings.conf"));
    settings.setSharedDataPath(dir.filePath("widget-data.json"));
    settings.setSize("battery", "medium");
    settings.setBatteryVisibleDevices({"macbook", "watch", "mouse"});
    const QList<BatteryDevice> readings{accessory("Apple Watch", "watch"), mac(19, true), accessory("AirPods Pro", "airpods"),
        accessory("Magic Mouse", "mouse"), accessory("Magic Trackpad", "trackpad"), accessory("Apple Pencil", "pencil")};
    int collected = 0, namesAsked = 0;
    BatteryWidgetView view(settings);
    view.setCollector([&] { ++collected; return readings; }, [&] { ++namesAsked; return QString("Studio di Anna"); });
    view.resize(340, 170);
    view.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(collected, 1);
    EXPECT_TRUE(view.isRefreshing());
    EXPECT_EQ(view.container()->glowColor(), systemOrange());
    // The filter and the cap only hide: the shared file gets every device.
    EXPECT_EQ(readSharedDataFile(dir.filePath("widget-data.json")).value_or(SharedWidgetData{}).battery, readings);
    const QList<BatteryRingView *> rings = view.rings();
    ASSERT_EQ(rings.size(), 4);
    const QStringList ids{"apple-watch", "macbook", "magic-mouse", "magic-trackpad"};
    for (int i = 0; i < rings.size(); ++i) {
        EXPECT_EQ(rings[i]->device().id, ids[i]);
        EXPECT_NEAR(rings[i]->width(), rings[0]->width(), 1);
        EXPECT_TRUE(i == 0 || rings[i]->x() > rings[i - 1]->x() + rings[i - 1]->width());
    }
    EXPECT_EQ(rings[1]->customName(), "Studio di Anna");

    view.refreshDevices();
    view.hide();
    EXPECT_FALSE(view.isRefreshing());
    view.show();
    EXPECT_EQ(collected, 3);
    EXPECT_EQ(namesAsked, 1);
    // Switching size at run time gives the one large ring.
    settings.setSize("battery", "small");
    ASSERT_EQ(view.rings().size(), 1);
    EXPECT_TRUE(view.rings()[0]->isSmall());
}

bool near(const QColor &a, const QColor &b, int tolerance = 40)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance && a.alpha() > 200;
}

TEST(BatteryRingImage, ArcRedBelowTwentyAndBoltOnlyWhileCharging)
{
    for (const bool isSmall : {true, false})
        for (const BatteryDevice &device : {mac(19), mac(19, true), mac(20), mac(20, true)}) {
            SCOPED_TRACE((isSmall ? "small " : "medium ") + std::to_string(device.percent) + (device.charging ? " charging" : ""));
            BatteryRingView ring(device, isSmall, "MacBook");
            ring.resize(isSmall ? 134 : 67, 134 + 2 * BatteryRingView::kBleed);
            const QImage image = ring.grab().toImage().convertToFormat(QImage::Format_ARGB32);
            // The middle of the stroke at `degrees` clockwise from the top.
            const QPointF centre = batteryRingCentre(ring.cell(), ring.style(), ring.labels());
            auto onCircle = [&](double degrees) {
                const double a = degrees * M_PI / 180, r = ring.style().ringSize / 2;
                return image.pixelColor(int(std::lround(centre.x() + r * std::sin(a))), int(std::lround(centre.y() - r * std::cos(a))));
            };
            EXPECT_TRUE(near(onCircle(30), device.percent < 20 ? systemRed() : systemGreen())) << onCircle(30).name().toStdString();
            EXPECT_LT(onCircle(120).alpha(), 60);  // beyond both arcs: only the faint track
            const int yellow = pellix::test::countPixels(image, [](const QColor &c) { return near(c, systemYellow(), 30); });
            EXPECT_TRUE(device.charging ? yellow > 5 : yellow == 0) << yellow;
        }
}

// The first row (from the top) with ring green, and the longest green run in it.
std::pair<int, int> topOfGreen(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        int run = 0, longest = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = near(image.pixelColor(x, y), systemGreen(), 30) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (longest > 0)
            return {y, longest};
    }
    return {-1, 0};
}

// A ring cut by the edge of its view has a flat top: a long straight run of green
// (44 pixels for the large ring cut at the content's edge, 20 for its round top).
TEST(BatteryRingImage, EveryRingIsDrawnWholeInEverySizeAndTheme)
{
    QTemporaryDir dir;
    SettingsManager settings(dir.filePath("settings.conf"));
    settings.setSharedDataPath(dir.filePath("widget-data.json"));
    for (const char *theme : {"transparent", "opaque"})
        for (const char *size : {"small", "medium"}) {
            SCOPED_TRACE(std::string(size) + " " + theme);
            settings.setGlassTheme(theme);
            settings.setSize("battery", size);
            BatteryWidgetView view(settings);
            view.setCollector([] { return QList<BatteryDevice>{mac(100), accessory("Magic Mouse", "mouse", 100)}; },
                              [] { return QString("Portatile di Anna"); });
            view.resize(size == std::string("small") ? 170 : 340, 170);
            view.show();
            QCoreApplication::processEvents();
            const auto [top, run] = topOfGreen(view.grab().toImage().convertToFormat(QImage::Format_ARGB32));
            EXPECT_GT(top, 0);
            EXPECT_LT(run, 30) << "top row " << top;
        }
}

}  // namespace

// What the battery widget tells a screen reader: the rings it draws, each with level and charging state.
TEST(BatteryRings, SpokenTextNamesEveryRingShown)
{
    const QList<BatteryDevice> devices{accessory("Magic Mouse", "mouse", 42), mac(64, true), accessory("AirPods", "airpods", 7)};
    const struct {
        const char *size;
        QList<BatteryDevice> devices;
        QStringList visible;
        const char *spoken;
    } cases[] = {
        {"small", devices, kDefaultVisible, "Studio, 64%, In carica"},
        {"medium", devices, kDefaultVisible, "Magic Mouse, 42%, Alimentazione. Studio, 64%, In carica. AirPods, 7%, Alimentazione"},
        {"medium", devices, {"airpods"}, "AirPods, 7%, Alimentazione"},
        {"small", {accessory("Magic Mouse", "mouse")}, kDefaultVisible, "Nessuna batteria"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(batterySpeech(batteryRings(c.devices, c.size, c.visible, "Studio")), c.spoken) << c.spoken;
}
