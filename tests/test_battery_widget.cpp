// The battery widget: what it draws for a list of batteries, how it refreshes
// and publishes, and the colours on grabbed images.
#include "BatteryRing.h"
#include "Colors.h"
#include "Fonts.h"
#include "Symbols.h"
#include "views/BatteryRingView.h"
#include "views/BatteryWidgetLayout.h"
#include "views/BatteryWidgetView.h"
#include "views/WidgetContainer.h"
#include "settings/SettingsManager.h"
#include "SharedDataFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
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

TEST(BatteryCategory, KeyboardsTrackpadsPencilsAndUnknownsGoWithMice)
{
    const std::pair<const char *, const char *> table[] = {
        {"macbook", "macbook"}, {"watch", "watch"}, {"mouse", "mouse"}, {"keyboard", "mouse"},
        {"trackpad", "mouse"}, {"pencil", "mouse"}, {"airpods", "airpods"}, {"accessory", "mouse"},
        {"", "mouse"}, {"Watch", "mouse"},
    };
    for (const auto &[type, category] : table)
        EXPECT_EQ(batteryCategory(type), QString(category)) << type;
}

TEST(BatteryIcon, SymbolPerTypeAndEveryOneDrawable)
{
    const std::pair<const char *, const char *> table[] = {
        {"macbook", "laptopcomputer"}, {"watch", "applewatch"}, {"mouse", "mouse"}, {"keyboard", "keyboard"},
        {"trackpad", "ipad.and.trackpad"}, {"airpods", "airpods"}, {"pencil", "battery.100"},
        {"accessory", "battery.100"}, {"toaster", "battery.100"},
    };
    for (const auto &[type, symbol] : table) {
        EXPECT_EQ(BatteryWidgetView::iconName(type), QString(symbol)) << type;
        EXPECT_TRUE(symbolLigature(symbol).has_value()) << symbol << " has no glyph";
    }
    EXPECT_TRUE(symbolLigature("bolt.fill").has_value());
}

TEST(BatteryGlow, FromTheFirstComputerEntry)
{
    struct Case {
        const char *label;
        QList<BatteryDevice> devices;
        QColor glow;
    };
    const Case cases[] = {
        {"19_not_charging", {mac(19)}, systemRed()},
        {"19_charging", {mac(19, true)}, systemOrange()},
        {"20_not_charging", {mac(20)}, systemGreen()},
        {"20_charging", {mac(20, true)}, systemGreen()},
        {"0", {mac(0)}, systemRed()},
        {"negative", {mac(-5)}, systemRed()},
        {"no_computer", {accessory("Magic Mouse", "mouse", 5)}, clear()},
        {"empty", {}, clear()},
        {"first_computer_wins", {accessory("Magic Mouse", "mouse", 5), mac(80), mac(3)}, systemGreen()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(batteryGlowColor(c.devices), c.glow) << c.label;
}

QStringList keysOf(const QList<BatteryRingSpec> &rings)
{
    QStringList keys;
    for (const BatteryRingSpec &r : rings)
        keys << r.key;
    return keys;
}

TEST(BatteryRings, SmallShowsOnlyTheComputerWithItsName)
{
    const QList<BatteryDevice> devices{accessory("Magic Mouse", "mouse"), mac(64, true), mac(10)};
    EXPECT_EQ(batteryRings(devices, "small", {}, "Studio"),
              (QList<BatteryRingSpec>{BatteryRingSpec{"macbook", mac(64, true), true, "Studio"}}));
    EXPECT_TRUE(batteryRings({accessory("Magic Mouse", "mouse")}, "small", kDefaultVisible, "Studio").isEmpty());
    EXPECT_TRUE(batteryRings({}, "small", kDefaultVisible, "Studio").isEmpty());
}

TEST(BatteryRings, MediumFiltersByCategoryAndKeepsTheFirstFour)
{
    const QList<BatteryDevice> devices{mac(50), accessory("Magic Keyboard", "keyboard"), accessory("AirPods", "airpods"),
                                       accessory("Apple Watch", "watch"), accessory("Magic Mouse", "mouse"),
                                       accessory("Apple Pencil", "pencil")};
    EXPECT_EQ(keysOf(batteryRings(devices, "medium", kDefaultVisible, "Studio")),
              (QStringList{"macbook", "magic-keyboard", "airpods", "apple-watch"}));
    // Without "mouse", keyboards, pencils and mice go together.
    EXPECT_EQ(keysOf(batteryRings(devices, "medium", {"macbook", "watch", "airpods"}, "Studio")),
              (QStringList{"macbook", "airpods", "apple-watch"}));
    EXPECT_EQ(keysOf(batteryRings(devices, "medium", {"mouse"}, "Studio")),
              (QStringList{"magic-keyboard", "magic-mouse", "apple-pencil"}));
    EXPECT_TRUE(batteryRings(devices, "medium", {}, "Studio").isEmpty());
    // Any size but "small" is the medium layout.
    EXPECT_EQ(batteryRings(devices, "huge", kDefaultVisible, "Studio"), batteryRings(devices, "medium", kDefaultVisible, "Studio"));
}

TEST(BatteryRings, MediumLabelsAndRepeatedIds)
{
    const QList<BatteryDevice> devices{accessory("Magic Mouse", "mouse", 10), mac(50),
                                       accessory("Magic Mouse", "mouse", 90)};
    const QList<BatteryRingSpec> rings = batteryRings(devices, "medium", kDefaultVisible, "Studio di Anna");
    ASSERT_EQ(rings.size(), 3);
    EXPECT_EQ(rings[0].customName, "Magic Mouse");
    EXPECT_EQ(rings[1].customName, "Studio di Anna");
    EXPECT_FALSE(rings[1].isSmall);
    EXPECT_EQ(rings[2].device.percent, 90);
    EXPECT_NE(rings[0].key, rings[2].key);
}

// A widget on a settings store of its own, with fixed readings.
class BatteryWidget : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        settings = std::make_unique<SettingsManager>(dir.filePath("settings.conf"));
        settings->setSharedDataPath(dir.filePath("widget-data.json"));
    }
    std::unique_ptr<BatteryWidgetView> makeView(const QString &size)
    {
        settings->setSize("battery", size);
        auto view = std::make_unique<BatteryWidgetView>(*settings);
        view->setCollector([this] { ++collected; return readings; }, [this] { ++namesAsked; return QString("Studio di Anna"); });
        view->resize(size == "small" ? 170 : 340, 170);
        return view;
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsManager> settings;
    QList<BatteryDevice> readings;
    int collected = 0;
    int namesAsked = 0;
};

TEST_F(BatteryWidget, FirstShowRefreshesAsksTheNameOnceAndPublishesTheWholeList)
{
    readings = {mac(64, true), accessory("Magic Keyboard", "keyboard", 30)};
    settings->setBatteryVisibleDevices({"macbook"});
    auto view = makeView("medium");
    EXPECT_TRUE(view->devices().isEmpty());
    EXPECT_EQ(view->computerName(), "MacBook");
    view->show();
    EXPECT_EQ(collected, 1);
    EXPECT_EQ(namesAsked, 1);
    EXPECT_TRUE(view->isRefreshing());
    EXPECT_EQ(view->devices(), readings);
    EXPECT_EQ(view->computerName(), "Studio di Anna");
    // The filter only hides: the shared file gets every device.
    const std::optional<SharedWidgetData> published = readSharedDataFile(dir.filePath("widget-data.json"));
    ASSERT_TRUE(published.has_value());
    EXPECT_EQ(published->battery, std::optional<QList<BatteryDevice>>(readings));
    ASSERT_EQ(view->rings().size(), 1);
    EXPECT_EQ(view->rings()[0]->customName(), "Studio di Anna");

    view->refreshDevices();
    view->hide();
    EXPECT_FALSE(view->isRefreshing());
    view->show();
    EXPECT_EQ(collected, 3);
    EXPECT_EQ(namesAsked, 1);
}

TEST_F(BatteryWidget, GlowFollowsTheComputer)
{
    readings = {mac(19, true)};
    auto view = makeView("small");
    view->show();
    EXPECT_EQ(view->container()->glowColor(), systemOrange());
    readings = {mac(19)};
    view->refreshDevices();
    EXPECT_EQ(view->container()->glowColor(), systemRed());
    readings = {mac(20)};
    view->refreshDevices();
    EXPECT_EQ(view->container()->glowColor(), systemGreen());
    readings = {};
    view->refreshDevices();
    EXPECT_FALSE(view->container()->hasGlowLayer());
    EXPECT_TRUE(view->rings().isEmpty());
}

TEST_F(BatteryWidget, MediumDrawsFourEqualRingsInCollectorOrder)
{
    readings = {accessory("Apple Watch", "watch"), mac(70), accessory("Magic Mouse", "mouse"),
                accessory("AirPods Pro", "airpods"), accessory("Magic Trackpad", "trackpad")};
    auto view = makeView("medium");
    view->show();
    QCoreApplication::processEvents();
    const QList<BatteryRingView *> rings = view->rings();
    ASSERT_EQ(rings.size(), 4);
    QStringList ids;
    for (BatteryRingView *ring : rings)
        ids << ring->device().id;
    EXPECT_EQ(ids, (QStringList{"apple-watch", "macbook", "magic-mouse", "airpods-pro"}));
    for (int i = 1; i < rings.size(); ++i) {
        EXPECT_NEAR(rings[i]->width(), rings[0]->width(), 1);
        EXPECT_GT(rings[i]->x(), rings[i - 1]->x() + rings[i - 1]->width());
    }
    // Switching size at run time gives the one large ring.
    settings->setSize("battery", "small");
    ASSERT_EQ(view->rings().size(), 1);
    EXPECT_TRUE(view->rings()[0]->isSmall());
}

TEST_F(BatteryWidget, UnchangedReadingRepaintsNothing)
{
    readings = {mac(70), accessory("Magic Mouse", "mouse")};
    auto view = makeView("medium");
    view->show();
    QCoreApplication::processEvents();
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *e) override { paints += e->type() == QEvent::Paint; return false; }
    } counter;
    for (BatteryRingView *ring : view->rings())
        ring->installEventFilter(&counter);
    view->refreshDevices();
    QCoreApplication::processEvents();
    view->repaint();  // a forced paint of the whole widget still reaches the rings
    EXPECT_EQ(counter.paints, 2);
    counter.paints = 0;
    view->refreshDevices();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
}

TEST(BatteryRingAnimation, ArcEasesToTheNewPercentOverPointEightSeconds)
{
    BatteryRingView ring(mac(20), false, "MacBook");
    EXPECT_DOUBLE_EQ(ring.arcFraction(), 0.2);
    ring.setReading(mac(80), "MacBook");
    EXPECT_TRUE(ring.isAnimating());
    QElapsedTimer clock;
    clock.start();
    double midway = -1;
    while (ring.isAnimating() && clock.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (midway < 0 && clock.elapsed() >= 400)
            midway = ring.arcFraction();
    }
    EXPECT_GE(clock.elapsed(), 700);
    EXPECT_GT(midway, 0.2);
    EXPECT_LT(midway, 0.8);
    EXPECT_DOUBLE_EQ(ring.arcFraction(), 0.8);
    // A change of anything but the percentage does not move the arc.
    ring.setReading(mac(80, true), "Other");
    EXPECT_FALSE(ring.isAnimating());
}

// --- grabbed images ---------------------------------------------------------

QImage grabRing(const BatteryDevice &device, bool isSmall)
{
    BatteryRingView ring(device, isSmall, "MacBook");
    ring.resize(isSmall ? 134 : 67, 134);
    return ring.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// The most opaque pixel across a ring's stroke at `degrees` clockwise from the top.
QColor onCircle(const QImage &image, const QPointF &centre, const BatteryRingStyle &style, double degrees)
{
    const double a = degrees * M_PI / 180;
    QColor best(0, 0, 0, 0);
    for (double r = style.ringSize / 2 - style.lineWidth / 2; r <= style.ringSize / 2 + style.lineWidth / 2; r += 0.5) {
        const QColor c = image.pixelColor(int(std::lround(centre.x() + r * std::sin(a))),
                                          int(std::lround(centre.y() - r * std::cos(a))));
        if (c.alpha() > best.alpha())
            best = c;
    }
    return best;
}

QColor onCircle(const QImage &image, bool isSmall, double degrees)
{
    BatteryRingView ring(mac(50), isSmall, "MacBook");
    return onCircle(image, batteryRingCentre(QRectF(0, 0, image.width(), image.height()), ring.style(), ring.labels()),
                    ring.style(), degrees);
}

bool near(const QColor &a, const QColor &b, int tolerance = 40)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance && a.alpha() > 200;
}

TEST(BatteryRingImage, ArcColourAndLengthSwitchAtTwenty)
{
    for (bool isSmall : {true, false}) {
        SCOPED_TRACE(isSmall ? "small" : "medium");
        const QImage at19 = grabRing(mac(19), isSmall);
        const QImage at20 = grabRing(mac(20, true), isSmall);
        EXPECT_TRUE(near(onCircle(at19, isSmall, 30), systemRed())) << onCircle(at19, isSmall, 30).name().toStdString();
        EXPECT_TRUE(near(onCircle(at20, isSmall, 30), systemGreen())) << onCircle(at20, isSmall, 30).name().toStdString();
        // 120° lies beyond both arcs: only the faint track is there.
        EXPECT_LT(onCircle(at19, isSmall, 120).alpha(), 60);
        EXPECT_LT(onCircle(at20, isSmall, 120).alpha(), 60);
    }
}

int countNear(const QImage &image, const QColor &colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += near(image.pixelColor(x, y), colour, 30);
    return n;
}

TEST(BatteryRingImage, BoltOnlyWhileCharging)
{
    for (bool isSmall : {true, false}) {
        SCOPED_TRACE(isSmall ? "small" : "medium");
        EXPECT_GT(countNear(grabRing(mac(60, true), isSmall), systemYellow()), 5);
        EXPECT_EQ(countNear(grabRing(mac(60, false), isSmall), systemYellow()), 0);
    }
}

}  // namespace

namespace {

TEST(BatteryRingImage, ExtensionRingHasOneLabelAndTheSameColours)
{
    QImage image(80, 100, QImage::Format_ARGB32_Premultiplied);
    for (const auto &[percent, colour] : {std::pair{19, systemRed()}, std::pair{20, systemGreen()}}) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        const QList<BatteryRingLabel> labels{{"Magic Mouse", systemFont(9, Weight::Semibold), white(0.6)}};
        paintBatteryRingCell(painter, image.rect(), extensionRingStyle(), {percent, true, "mouse"},
                             batteryArcFraction(percent), labels);
        painter.end();
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        const QPointF centre = batteryRingCentre(image.rect(), extensionRingStyle(), labels);
        EXPECT_TRUE(near(onCircle(argb, centre, extensionRingStyle(), 30), colour)) << percent;
        EXPECT_GT(countNear(argb, systemYellow()), 3);
        // One label: the cell is the ring, 4 points and one line of 9-point text.
        EXPECT_NEAR(batteryRingCellHeight(extensionRingStyle(), labels), 44 + 4 + QFontMetricsF(labels[0].font).height(), 0.01);
    }
}

}  // namespace
