// The Linux source: sysfs power supplies and UPower accessories on a private bus.
#include "monitors/BatteryMonitor.h"
#include "monitors/LinuxBatterySource.h"
#include "monitors/PowerSupplyTree.h"
#include "monitors/UPowerAccessories.h"

#include "FakePowerSupplyTree.h"
#include "UPowerPeer.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace battery;

// Designated initializers leave the other fields empty, as meant; GCC 12 warns regardless.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

BatteryDevice mac(int64_t percent, bool charging) { return {"macbook", "MacBook", percent, charging, "macbook"}; }
const BatteryDevice kMouse42{"magic-mouse", "Magic Mouse", 42, false, "mouse"};

TEST(ComputerEntry, FromSupplies)
{
    const PowerSupply mainsOn{.name = "AC", .type = "Mains", .online = true};
    const PowerSupply mainsOff{.name = "AC", .type = "Mains", .online = false};
    const PowerSupply bat57{.name = "BAT0", .type = "Battery", .status = "Discharging", .capacity = 57};
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
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(computerEntryFromSupplies(cases[i].first), cases[i].second) << "case " << i;
}

TEST(UPowerDevice, KindNamePercentAndExclusions)
{
    auto props = [](uint kind, const char *model, QVariant pct, bool powerSupply = false) {
        return QVariantMap{{"Type", kind}, {"Model", QString(model)}, {"PowerSupply", powerSupply}, {"Percentage", pct}};
    };
    const std::pair<QVariantMap, std::optional<BatteryDevice>> cases[] = {
        {props(6, "MX Keys", 79.5), BatteryDevice{"mx-keys", "MX Keys", 80, false, "keyboard"}},
        {props(26, "Pixel Watch", 50.0), BatteryDevice{"pixel-watch", "Pixel Watch", 50, false, "watch"}},
        {props(2, "Magic Mouse", 42.0), kMouse42},  // a peripheral's battery
        {props(5, "Mouse", qQNaN()), BatteryDevice{"mouse", "Mouse", 100, false, "mouse"}},
        {props(5, "Mouse", 1e300), BatteryDevice{"mouse", "Mouse", 100, false, "mouse"}},
        {props(2, "5B10W13930", 57.0, true), std::nullopt},  // the computer's own
        {props(5, "", 42.0), std::nullopt},
    };
    for (const auto &[properties, expected] : cases)
        EXPECT_EQ(accessoryFromUPower(properties), expected) << properties.value("Model").toString().toStdString();
}

TEST(LinuxSource, ComputerFromSysfsAccessoriesFromUPowerChangesAtTheNextCall)
{
    pellix::test::FakePowerSupplyTree tree;
    pellix::test::PrivateBus bus;
    ASSERT_TRUE(bus.start()) << "dbus-daemon did not start";
    pellix::test::UPowerPeer upower(bus);
    ASSERT_TRUE(upower.start()) << "dbusmock's UPower did not appear";
    upower.addLinePower("line_power_AC");
    upower.addDevice("battery_BAT0", 2, "5B10W13930", 57.0, true);
    const QString mouse = upower.addDevice("mouse_hid_a4o83oe7o12o34o56_battery", 5, "Magic Mouse", 42.0);
    upower.addDevice("headset_dev_70_BF_92_44_55_66", 17, "Jabra Evolve2 65", 65.0);
    const LinuxBatterySource source(tree.root(), bus.connection());

    QList<BatteryDevice> devices = source.getBatteryDevices();
    EXPECT_EQ(devices.value(0), mac(57, true));
    devices.removeFirst();
    // UPower's order is not ours to fix; compare as sets.
    std::sort(devices.begin(), devices.end(), [](auto &a, auto &b) { return a.id < b.id; });
    EXPECT_EQ(devices, (QList<BatteryDevice>{{"jabra-evolve2-65", "Jabra Evolve2 65", 65, false, "airpods"}, kMouse42}));

    upower.setProperties(mouse, {{"Percentage", 41.4}});
    tree.set("BAT0", "capacity", "58");
    devices = source.getBatteryDevices();
    EXPECT_EQ(devices.value(0), mac(58, true));
    EXPECT_TRUE(devices.contains(BatteryDevice{"magic-mouse", "Magic Mouse", 41, false, "mouse"}));
}

// Owns UPower's name but never answers: the call is queued to this (blocked) thread.
class SilentUPower : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.UPower")
public slots:
    QList<QDBusObjectPath> EnumerateDevices() { return {}; }
};

TEST(LinuxSource, WithoutAnAnsweringUPowerAccessoriesComeFromSysfs)
{
    pellix::test::FakePowerSupplyTree tree;
    pellix::test::PrivateBus bus;
    ASSERT_TRUE(bus.start());
    // The mouse has a percent; the keyboard reporting only a level is left out.
    const QList<BatteryDevice> expected{mac(57, true), kMouse42};
    EXPECT_EQ(LinuxBatterySource(tree.root(), bus.connection()).getBatteryDevices(), expected);
    EXPECT_EQ(LinuxBatterySource(tree.root(), QDBusConnection(QString())).getBatteryDevices(), expected);

    QDBusConnection peer = QDBusConnection::connectToBus(bus.address(), "silent-upower");
    SilentUPower silent;
    ASSERT_TRUE(peer.registerObject("/org/freedesktop/UPower", &silent, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(peer.registerService("org.freedesktop.UPower"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(LinuxBatterySource(tree.root(), bus.connection(), {}, 300).getBatteryDevices(), expected);
    EXPECT_LT(clock.elapsed(), 2000);
    QDBusConnection::disconnectFromBus("silent-upower");
}

TEST(BatteryMonitorSource, EnvironmentPicksTheLinuxSourceAndItsRoot)
{
    pellix::test::FakePowerSupplyTree tree;
    qputenv("PELLIX_BATTERY_SOURCE", "linux");
    qputenv("PELLIX_POWER_SUPPLY_ROOT", tree.root().toUtf8());
    EXPECT_EQ(BatteryMonitor::shared().getBatteryDevices().value(0), mac(57, true));
    qunsetenv("PELLIX_BATTERY_SOURCE");
    qunsetenv("PELLIX_POWER_SUPPLY_ROOT");
}

}  // namespace

#include "test_battery_linux.moc"
