// The Linux source: sysfs power supplies and UPower accessories on a private bus,
// hostile values and peers included (the real app against them: system/hostile_sources.sh).
#include "monitors/BatteryMonitor.h"
#include "monitors/LinuxBatterySource.h"
#include "monitors/PowerSupplyTree.h"
#include "monitors/UPowerAccessories.h"
#include "monitors/UPowerDeviceCache.h"

#include "FakePowerSupplyTree.h"
#include "LocalHttpServer.h"
#include "UPowerPeer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>


using namespace battery;
using pellix::test::waitUntil;

// Designated initializers leave the other fields empty, as meant; GCC 12 warns regardless.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

BatteryDevice mac(int64_t percent, bool charging) { return {"macbook", "MacBook", percent, charging, "macbook"}; }
const BatteryDevice kMouse42{"magic-mouse", "Magic Mouse", 42, false, "mouse"};
constexpr int64_t kMax = INT64_MAX;

TEST(ComputerEntry, FromSupplies)
{
    const PowerSupply mainsOn{.name = "AC", .type = "Mains", .online = true};
    const PowerSupply mainsOff{.name = "AC", .type = "Mains", .online = false};
    const PowerSupply bat57{.name = "BAT0", .type = "Battery", .status = "Discharging", .capacity = 57};
    auto battery = [](int64_t capacity) { return PowerSupply{.name = "BAT0", .type = "Battery", .capacity = capacity}; };
    const std::pair<QList<PowerSupply>, BatteryDevice> cases[] = {
        {{mainsOn, bat57}, mac(57, true)},  // on mains counts as charging, as a Mac on AC power does
        {{mainsOff, bat57}, mac(57, false)},
        // 90 of 100 Wh plus 2 of 20 Wh is 77 %, not the 50 % an average would give.
        {{PowerSupply{.name = "BAT0", .type = "Battery", .capacity = 90, .energyNow = 90000000, .energyFull = 100000000},
          PowerSupply{.name = "BAT1", .type = "Battery", .capacity = 10, .energyNow = 2000000, .energyFull = 20000000}}, mac(77, false)},
        {{mainsOn, PowerSupply{.name = "BAT1", .type = "Battery", .present = false, .capacity = 3}}, mac(100, true)},
        {{}, mac(100, true)},  // a desktop reporting nothing
        // A charging peripheral is not the computer.
        {{mainsOff, bat57, {.name = "hid-1", .type = "Battery", .scope = "Device", .status = "Charging", .modelName = "Pen", .capacity = 5}},
         mac(57, false)},
        // Hostile figures: clamped, and sums that would overflow 64 bits still come out right
        // (energies of INT64_MAX, a FIFO as `capacity`, a 1e14 % peripheral: system/hostile_sources.sh).
        {{battery(kMax)}, mac(100, false)},
        {{battery(INT64_MIN)}, mac(0, false)},
        {{PowerSupply{.name = "BAT0", .type = "Battery", .capacity = kMax}, PowerSupply{.name = "BAT1", .type = "Battery", .capacity = kMax}},
         mac(100, false)},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(computerEntryFromSupplies(cases[i].first), cases[i].second) << "case " << i;
}

TEST(UPowerDevice, KindNamePercentAndExclusions)
{
    auto props = [](QVariant kind, const QString &model, QVariant pct, bool powerSupply = false) {
        return QVariantMap{{"Type", kind}, {"Model", model}, {"PowerSupply", powerSupply}, {"Percentage", pct}};
    };
    auto mouse = [](int64_t percent) { return BatteryDevice{"mouse", "Mouse", percent, false, "mouse"}; };
    const std::pair<QVariantMap, std::optional<BatteryDevice>> cases[] = {
        {props(6u, "MX Keys", 79.5), BatteryDevice{"mx-keys", "MX Keys", 80, false, "keyboard"}},
        {props(26u, "Pixel Watch", 50.0), BatteryDevice{"pixel-watch", "Pixel Watch", 50, false, "watch"}},
        {props(2u, "Magic Mouse", 42.0), kMouse42},  // a peripheral's battery
        {props(5u, "Mouse", qQNaN()), mouse(100)},
        {props(5u, "Mouse", 1e300), mouse(100)},
        {props(5u, "Mouse", -5.0), mouse(0)},
        {props(5u, "Mouse\x01\x7f" + QString(100000, 'x'), 9.0),
         BatteryDevice{"mouse" + QString(59, 'x'), "Mouse" + QString(59, 'x'), 9, false, "mouse"}},
        {props(2u, "5B10W13930", 57.0, true), std::nullopt},  // the computer's own
        {props(5u, "", 42.0), std::nullopt},
        {props(5u, "\x01\x02", 42.0), std::nullopt},  // nothing left to show
    };
    for (const auto &[properties, expected] : cases)
        EXPECT_EQ(accessoryFromUPower(properties), expected) << properties.value("Model").toString().left(20).toStdString();
}

// Runs the event loop for `ms`, calling `refresh` every 100 ms; returns the longest
// time the loop went without serving a 5 ms timer.
qint64 longestStall(int ms, const std::function<void()> &refresh)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, worst = 0;
    QTimer probe, ticks;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        worst = qMax(worst, clock.elapsed() - last);
        last = clock.elapsed();
    });
    QObject::connect(&ticks, &QTimer::timeout, refresh);
    probe.start(5);
    ticks.start(100);
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return qMax(worst, clock.elapsed() - last);
}

QList<BatteryDevice> sortedAccessories(QList<BatteryDevice> devices)
{
    devices.removeFirst();
    std::sort(devices.begin(), devices.end(), [](auto &a, auto &b) { return a.id < b.id; });  // UPower's order is not ours
    return devices;
}

// The fake sysfs tree and a system bus of the test's own.
class LinuxSource : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bus.start()) << "dbus-daemon did not start"; }
    pellix::test::FakePowerSupplyTree tree;
    pellix::test::PrivateBus bus;
};

TEST_F(LinuxSource, AccessoriesFollowUPowerBetweenCalls)
{
    pellix::test::UPowerPeer upower(bus);
    ASSERT_TRUE(upower.start()) << "dbusmock's UPower did not appear";
    upower.addLinePower("line_power_AC");
    const QString bat0 = upower.addDevice("battery_BAT0", 2, "5B10W13930", 57.0, true);
    const QString mouse = upower.addDevice("mouse_hid_a4o83oe7o12o34o56_battery", 5, "Magic Mouse", 42.0);
    UPowerDeviceCache cache(bus.connection());
    const LinuxBatterySource source(tree.root(), &cache);
    const BatteryDevice headset{"jabra-evolve2-65", "Jabra Evolve2 65", 65, false, "airpods"};

    // Until UPower answers, the sysfs peripherals stand in.
    EXPECT_EQ(source.getBatteryDevices(), (QList<BatteryDevice>{mac(57, true), kMouse42}));
    ASSERT_TRUE(waitUntil([&] { return cache.accessories().has_value(); }, 10000));
    EXPECT_EQ(source.getBatteryDevices(), (QList<BatteryDevice>{mac(57, true), kMouse42}));

    // The computer's own battery, read from sysfs, is followed through UPower's signals too.
    QSignalSpy changes(&cache, &UPowerDeviceCache::changed);
    upower.setProperties(bat0, {{"Percentage", 58.0}});
    EXPECT_TRUE(waitUntil([&] { return changes.count() > 0; }));

    const QString added = upower.addDevice("headset_dev_70_BF_92_44_55_66", 17, "Jabra Evolve2 65", 65.0);
    upower.setProperties(mouse, {{"Percentage", 41.4}});
    tree.set("BAT0", "capacity", "58");
    const QList<BatteryDevice> changed{headset, {"magic-mouse", "Magic Mouse", 41, false, "mouse"}};
    EXPECT_TRUE(waitUntil([&] { return sortedAccessories(source.getBatteryDevices()) == changed; }))
        << source.getBatteryDevices().size();
    EXPECT_EQ(source.getBatteryDevices().value(0), mac(58, true));

    QDBusMessage remove = QDBusMessage::createMethodCall("org.freedesktop.UPower", "/org/freedesktop/UPower",
                                                         "org.freedesktop.DBus.Mock", "RemoveDevice");
    remove << QVariant::fromValue(QDBusObjectPath(added));
    bus.connection().call(remove, QDBus::Block, 5000);
    EXPECT_TRUE(waitUntil([&] { return source.getBatteryDevices().size() == 2; }));

    // The mouse says its level changed without the value, and the re-read fails: its
    // last good reading stays until UPower removes it.
    upower.emitSignal(mouse, "org.freedesktop.DBus.Properties", "PropertiesChanged", "sa{sv}as",
                      {"org.freedesktop.UPower.Device", QVariantMap{}, QStringList{"Percentage"}});
    upower.failCallsOn(mouse);
    QTest::qWait(1000);  // the re-read's error arrives within milliseconds
    EXPECT_EQ(sortedAccessories(source.getBatteryDevices()), QList<BatteryDevice>{changed.value(1)});
    upower.emitSignal("/org/freedesktop/UPower", "org.freedesktop.UPower", "DeviceRemoved", "o",
                      {QVariant::fromValue(QDBusObjectPath(mouse))});
    EXPECT_TRUE(waitUntil([&] { return source.getBatteryDevices().size() == 1; }));
}

TEST_F(LinuxSource, ASilentUPowerNeverStallsTheEventLoop)
{
    pellix::test::HostileUPower silent(bus, {"--silent"});
    ASSERT_TRUE(silent.waitReady());
    UPowerDeviceCache cache(bus.connection(), 300);
    const LinuxBatterySource source(tree.root(), &cache);
    const QList<BatteryDevice> fromSysfs{mac(57, true), kMouse42};  // the level-only keyboard is left out
    bool allFromSysfs = true;
    const qint64 stall = longestStall(1500, [&] { allFromSysfs &= source.getBatteryDevices() == fromSysfs; });
    EXPECT_LT(stall, 50);
    EXPECT_TRUE(allFromSysfs);
    EXPECT_EQ(LinuxBatterySource(tree.root(), nullptr).getBatteryDevices(), fromSysfs);
}

TEST_F(LinuxSource, TenThousandHostileDevicesAreCappedAndBounded)
{
    pellix::test::HostileUPower hostile(bus, {"--devices", "10000"});
    ASSERT_TRUE(hostile.waitReady());
    UPowerDeviceCache cache(bus.connection());
    const LinuxBatterySource source(tree.root(), &cache);
    const qint64 stall = longestStall(300, [&] { source.getBatteryDevices(); });
    ASSERT_TRUE(waitUntil([&] { return cache.accessories().has_value(); }, 10000));
    EXPECT_LT(stall, 50);

    const QList<BatteryDevice> accessories = *cache.accessories();
    EXPECT_EQ(accessories.size(), 64);
    EXPECT_EQ(hostile.getAllCalls(), 64u);
    const QList<BatteryDevice> first{{QString(64, 'm'), QString(64, 'M'), 100, false, "mouse"},
                                     {"tastiera", "Tastiera", 0, false, "keyboard"},
                                     {"cuffie", "Cuffie", 100, false, "airpods"},
                                     {"strano", "Strano", 100, false, "accessory"},
                                     {"grande", "Grande", 100, false, "mouse"},
                                     {"mouse-5", "Mouse 5", 50, false, "mouse"}};
    EXPECT_EQ(accessories.mid(0, 6), first);
    EXPECT_EQ(accessories.last().name, "Mouse 63");
}

}  // namespace
