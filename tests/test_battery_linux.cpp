// The Linux source: sysfs power supplies, UPower accessories on a private bus,
// and the computer's name.
#include "monitors/BatteryMonitor.h"
#include "monitors/LinuxBatterySource.h"
#include "monitors/PowerSupplyTree.h"
#include "monitors/UPowerAccessories.h"

#include "FakePowerSupplyTree.h"
#include "UPowerPeer.h"
#include "test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSysInfo>
#include <gtest/gtest.h>

using namespace battery;

namespace {

BatteryDevice mac(int64_t percent, bool charging) { return {"macbook", "MacBook", percent, charging, "macbook"}; }

PowerSupply supply(const char *name, const char *type, std::initializer_list<std::pair<const char *, const char *>> attrs)
{
    PowerSupply s;
    s.name = name;
    s.type = type;
    auto num = [](const char *v) { return std::optional<int64_t>(QByteArray(v).toLongLong()); };
    for (const auto &[k, v] : attrs) {
        const QByteArray key(k);
        if (key == "scope") s.scope = v;
        else if (key == "status") s.status = v;
        else if (key == "model_name") s.modelName = v;
        else if (key == "present") s.present = QByteArray(v) != "0";
        else if (key == "online") s.online = QByteArray(v) != "0";
        else if (key == "capacity") s.capacity = num(v);
        else if (key == "energy_now") s.energyNow = num(v);
        else if (key == "energy_full") s.energyFull = num(v);
        else if (key == "charge_now") s.chargeNow = num(v);
        else if (key == "charge_full") s.chargeFull = num(v);
    }
    return s;
}

const PowerSupply kMainsOn = supply("AC", "Mains", {{"online", "1"}});
const PowerSupply kMainsOff = supply("AC", "Mains", {{"online", "0"}});
const PowerSupply kBat57Charging = supply("BAT0", "Battery", {{"status", "Charging"}, {"capacity", "57"}, {"present", "1"}});
const PowerSupply kBat57Discharging = supply("BAT0", "Battery", {{"status", "Discharging"}, {"capacity", "57"}});
const PowerSupply kMouse = supply("hid-a4:83-battery", "Battery", {{"scope", "Device"}, {"capacity", "42"}, {"model_name", "Magic Mouse"}});
const PowerSupply kLevelOnly = supply("hidpp_battery_0", "Battery", {{"scope", "Device"}, {"model_name", "MX Keys"}});

struct ComputerCase {
    const char *label;
    QList<PowerSupply> supplies;
    BatteryDevice expected;
};

TEST(ComputerEntry, FromSupplies)
{
    const ComputerCase cases[] = {
        {"laptop_on_mains", {kMainsOn, kBat57Charging}, mac(57, true)},
        {"on_battery", {kMainsOff, kBat57Discharging}, mac(57, false)},
        // Full or "Not charging" on mains still counts as charging, as a Mac on AC power does.
        {"mains_full", {kMainsOn, supply("BAT0", "Battery", {{"status", "Full"}, {"capacity", "100"}})}, mac(100, true)},
        {"charging_without_mains_entry", {kBat57Charging}, mac(57, true)},
        {"usb_c_power", {supply("ucsi-source-psy-1", "USB", {{"online", "1"}}), kBat57Discharging}, mac(57, true)},
        // 90 of 100 Wh plus 2 of 20 Wh is 77 %, not the 50 % an average would give.
        {"two_batteries_by_energy",
         {supply("BAT0", "Battery", {{"capacity", "90"}, {"energy_now", "90000000"}, {"energy_full", "100000000"}}),
          supply("BAT1", "Battery", {{"capacity", "10"}, {"energy_now", "2000000"}, {"energy_full", "20000000"}})},
         mac(77, false)},
        {"two_batteries_by_charge",
         {supply("BAT0", "Battery", {{"capacity", "50"}, {"charge_now", "3000000"}, {"charge_full", "6000000"}}),
          supply("BAT1", "Battery", {{"capacity", "100"}, {"charge_now", "2000000"}, {"charge_full", "2000000"}})},
         mac(63, false)},
        {"two_batteries_capacity_only", {supply("BAT0", "Battery", {{"capacity", "40"}}), supply("BAT1", "Battery", {{"capacity", "81"}})}, mac(61, false)},
        {"removed_battery_ignored", {kMainsOn, supply("BAT1", "Battery", {{"present", "0"}, {"capacity", "3"}})}, mac(100, true)},
        {"desktop_nothing_reported", {}, mac(100, true)},
        {"peripherals_are_not_the_computer", {kMouse, kMainsOff}, mac(100, false)},
        {"peripheral_charging_does_not_count", {kMainsOff, kBat57Discharging,
          supply("hid-x", "Battery", {{"scope", "Device"}, {"status", "Charging"}, {"capacity", "5"}, {"model_name", "Pen"}})}, mac(57, false)},
    };
    for (const ComputerCase &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(computerEntryFromSupplies(c.supplies), c.expected);
    }
}

TEST(SysfsAccessories, OnlyPeripheralsWithAPercentAndAName)
{
    const QList<PowerSupply> supplies{
        kMainsOn, kBat57Charging, kMouse, kLevelOnly,
        supply("hid-nameless", "Battery", {{"scope", "Device"}, {"capacity", "9"}}),
        supply("hid-gone", "Battery", {{"scope", "Device"}, {"capacity", "9"}, {"present", "0"}, {"model_name", "Gone"}}),
        supply("hid-watch", "Battery", {{"scope", "Device"}, {"capacity", "71"}, {"model_name", "Galaxy Watch"}}),
    };
    EXPECT_EQ(accessoriesFromSupplies(supplies),
              (QList<BatteryDevice>{{"magic-mouse", "Magic Mouse", 42, false, "mouse"},
                                    {"galaxy-watch", "Galaxy Watch", 71, false, "watch"}}));
}

TEST(PowerSupplyReading, ReadsTheTreeThroughItsLinks)
{
    pellix::test::FakePowerSupplyTree tree;
    const QList<PowerSupply> supplies = readPowerSupplies(tree.root());
    ASSERT_EQ(supplies.size(), 5);
    EXPECT_EQ(supplies[0], supply("AC", "Mains", {{"online", "1"}}));
    EXPECT_EQ(supplies[1], supply("BAT0", "Battery", {{"status", "Charging"}, {"present", "1"}, {"capacity", "57"},
                                                      {"energy_now", "28500000"}, {"energy_full", "50000000"},
                                                      {"model_name", "5B10W13930"}}));
    EXPECT_EQ(supplies[2].modelName, "Magic Mouse");
    EXPECT_EQ(supplies[2].scope, "Device");
    EXPECT_FALSE(supplies[3].capacity.has_value());
    EXPECT_TRUE(readPowerSupplies(tree.root() + "/missing").isEmpty());
}

TEST(PowerSupplyReading, GarbageAttributesReadAsAbsent)
{
    pellix::test::FakePowerSupplyTree tree;
    tree.set("BAT0", "capacity", "lots");
    tree.set("BAT0", "energy_now", QByteArray(10000, '7'));
    tree.set("AC", "online", "\xff\xfe");
    const QList<PowerSupply> supplies = readPowerSupplies(tree.root());
    EXPECT_FALSE(supplies[1].capacity.has_value());
    EXPECT_FALSE(supplies[1].energyNow.has_value());
    EXPECT_FALSE(supplies[0].online.has_value());
}

struct UPowerCase {
    const char *label;
    QVariantMap properties;
    std::optional<BatteryDevice> expected;
};

TEST(UPowerDevice, KindNamePercentAndExclusions)
{
    auto props = [](uint kind, const char *model, QVariant pct, bool powerSupply = false) {
        QVariantMap m{{"Type", kind}, {"Model", QString(model)}, {"PowerSupply", powerSupply}};
        if (pct.isValid())
            m.insert("Percentage", pct);
        return m;
    };
    const UPowerCase cases[] = {
        {"mouse", props(5, "Magic Mouse", 42.0), BatteryDevice{"magic-mouse", "Magic Mouse", 42, false, "mouse"}},
        {"keyboard_rounds_up", props(6, "MX Keys", 79.5), BatteryDevice{"mx-keys", "MX Keys", 80, false, "keyboard"}},
        {"touchpad", props(14, "Touch Pad", 10.2), BatteryDevice{"touch-pad", "Touch Pad", 10, false, "trackpad"}},
        {"pen", props(13, "Stylus", 33.0), BatteryDevice{"stylus", "Stylus", 33, false, "pencil"}},
        {"headset", props(17, "Jabra Evolve2 65", 65.0), BatteryDevice{"jabra-evolve2-65", "Jabra Evolve2 65", 65, false, "airpods"}},
        {"wearable_named_watch", props(26, "Pixel Watch", 50.0), BatteryDevice{"pixel-watch", "Pixel Watch", 50, false, "watch"}},
        {"gamepad", props(12, "DualSense", 30.0), BatteryDevice{"dualsense", "DualSense", 30, false, "accessory"}},
        {"generic_bluetooth_named_keyboard", props(28, "K380 Keyboard", 30.0), BatteryDevice{"k380-keyboard", "K380 Keyboard", 30, false, "keyboard"}},
        {"peripheral_battery_kind", props(2, "Magic Mouse", 42.0, false), BatteryDevice{"magic-mouse", "Magic Mouse", 42, false, "mouse"}},
        {"no_percentage", props(5, "Mouse", QVariant()), BatteryDevice{"mouse", "Mouse", 100, false, "mouse"}},
        {"nan_percentage", props(5, "Mouse", qQNaN()), BatteryDevice{"mouse", "Mouse", 100, false, "mouse"}},
        {"huge_percentage", props(5, "Mouse", 1e300), BatteryDevice{"mouse", "Mouse", 100, false, "mouse"}},
        {"line_power", props(1, "AC", QVariant()), std::nullopt},
        {"computer_battery", props(2, "5B10W13930", 57.0, true), std::nullopt},
        {"no_model", props(5, "", 42.0), std::nullopt},
        {"nothing_at_all", QVariantMap{}, std::nullopt},
    };
    for (const UPowerCase &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(accessoryFromUPower(c.properties), c.expected);
    }
}

TEST(ComputerName, PrettyHostNameFromMachineInfo)
{
    EXPECT_EQ(prettyHostName("PRETTY_HOSTNAME=\"Portatile di Anna\"\nCHASSIS=laptop\n"), "Portatile di Anna");
    EXPECT_EQ(prettyHostName("PRETTY_HOSTNAME='Lab PC'"), "Lab PC");
    EXPECT_EQ(prettyHostName("PRETTY_HOSTNAME=bare"), "bare");
    EXPECT_EQ(prettyHostName("PRETTY_HOSTNAME=\"Say \\\"hi\\\"\""), "Say \"hi\"");
    EXPECT_EQ(prettyHostName("# PRETTY_HOSTNAME=commented\nCHASSIS=desktop"), "");
    EXPECT_EQ(prettyHostName("PRETTY_HOSTNAME=\"\""), "");
    EXPECT_EQ(prettyHostName("\""), "");
}

TEST(ComputerName, MachineInfoThenHostName)
{
    QTemporaryDir dir;
    const QString info = dir.filePath("machine-info");
    const QString host = QSysInfo::machineHostName().isEmpty() ? "MacBook" : QSysInfo::machineHostName();
    LinuxBatterySource source(dir.filePath("none"), QDBusConnection(QString()), info);
    EXPECT_EQ(source.getComputerName(), host);
    pellix::test::writeFile(info, "PRETTY_HOSTNAME=\"Portatile di Anna\"\n");
    EXPECT_EQ(source.getComputerName(), "Portatile di Anna");
    pellix::test::writeFile(info, "CHASSIS=laptop\n");
    EXPECT_EQ(source.getComputerName(), host);
}

// UPower on a bus of the test's own, over the fake sysfs tree.
class LinuxSourceWithUPower : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.start()) << "dbus-daemon did not start";
        upower = std::make_unique<pellix::test::UPowerPeer>(bus);
        ASSERT_TRUE(upower->start()) << "dbusmock's UPower did not appear";
        upower->addLinePower("line_power_AC");
        ASSERT_FALSE(upower->lastCallFailed());
        upower->addDevice("battery_BAT0", 2, "5B10W13930", 57.0, true);
        mouse = upower->addDevice("mouse_hid_a4o83oe7o12o34o56_battery", 5, "Magic Mouse", 42.0);
        upower->addDevice("keyboard_dev_F0_1D_BC_11_22_33", 6, "MX Keys", 80.0);
        upower->addDevice("headset_dev_70_BF_92_44_55_66", 17, "Jabra Evolve2 65", 65.0);
        ASSERT_FALSE(upower->lastCallFailed());
    }
    LinuxBatterySource source() const { return LinuxBatterySource(tree.root(), bus.connection()); }

    pellix::test::FakePowerSupplyTree tree;
    pellix::test::PrivateBus bus;
    std::unique_ptr<pellix::test::UPowerPeer> upower;
    QString mouse;
};

TEST_F(LinuxSourceWithUPower, ComputerFromSysfsAccessoriesFromUPower)
{
    QList<BatteryDevice> devices = source().getBatteryDevices();
    ASSERT_FALSE(devices.isEmpty());
    EXPECT_EQ(devices.takeFirst(), mac(57, true));
    // UPower's order is not ours to fix; compare as sets.
    std::sort(devices.begin(), devices.end(), [](auto &a, auto &b) { return a.id < b.id; });
    EXPECT_EQ(devices, (QList<BatteryDevice>{{"jabra-evolve2-65", "Jabra Evolve2 65", 65, false, "airpods"},
                                             {"magic-mouse", "Magic Mouse", 42, false, "mouse"},
                                             {"mx-keys", "MX Keys", 80, false, "keyboard"}}));
}

TEST_F(LinuxSourceWithUPower, ChangesShowAtTheNextCall)
{
    ASSERT_TRUE(source().getBatteryDevices().contains(BatteryDevice{"magic-mouse", "Magic Mouse", 42, false, "mouse"}));
    upower->setProperties(mouse, {{"Percentage", 41.4}});
    tree.set("BAT0", "capacity", "58");
    const QList<BatteryDevice> devices = source().getBatteryDevices();
    EXPECT_EQ(devices.value(0), mac(58, true));
    EXPECT_TRUE(devices.contains(BatteryDevice{"magic-mouse", "Magic Mouse", 41, false, "mouse"}));

    upower->removeDevice(mouse);
    const QList<BatteryDevice> after = source().getBatteryDevices();
    EXPECT_EQ(after.size(), 3);
    for (const BatteryDevice &d : after)
        EXPECT_NE(d.id, "magic-mouse");
}

TEST(LinuxSourceWithoutUPower, AccessoriesComeFromSysfs)
{
    pellix::test::FakePowerSupplyTree tree;
    pellix::test::PrivateBus bus;
    ASSERT_TRUE(bus.start());
    const QList<BatteryDevice> expected{mac(57, true), {"magic-mouse", "Magic Mouse", 42, false, "mouse"}};
    EXPECT_EQ(LinuxBatterySource(tree.root(), bus.connection()).getBatteryDevices(), expected);
    // No bus at all reads the same.
    EXPECT_EQ(LinuxBatterySource(tree.root(), QDBusConnection(QString())).getBatteryDevices(), expected);
}

// Owns UPower's name but never answers: the call is queued to this (blocked) thread.
class SilentUPower : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.UPower")
public slots:
    QList<QDBusObjectPath> EnumerateDevices() { return {}; }
};

TEST(LinuxSourceWithoutUPower, UPowerThatDoesNotAnswerIsBounded)
{
    pellix::test::FakePowerSupplyTree tree;
    pellix::test::PrivateBus bus;
    ASSERT_TRUE(bus.start());
    const QString peerName = "silent-upower";
    QDBusConnection peer = QDBusConnection::connectToBus(bus.address(), peerName);
    SilentUPower silent;
    ASSERT_TRUE(peer.registerObject("/org/freedesktop/UPower", &silent, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(peer.registerService("org.freedesktop.UPower"));

    QElapsedTimer clock;
    clock.start();
    const QList<BatteryDevice> devices = LinuxBatterySource(tree.root(), bus.connection(), {}, 300).getBatteryDevices();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(devices, (QList<BatteryDevice>{mac(57, true), {"magic-mouse", "Magic Mouse", 42, false, "mouse"}}));
    QDBusConnection::disconnectFromBus(peerName);
}

TEST(BatteryMonitorSource, EnvironmentPicksSourceAndRoot)
{
    pellix::test::FakePowerSupplyTree tree;
    tree.set("BAT0", "capacity", "23");
    tree.set("BAT0", "status", "Discharging");
    tree.set("AC", "online", "0");
    qputenv("PELLIX_BATTERY_SOURCE", "linux");
    qputenv("PELLIX_POWER_SUPPLY_ROOT", tree.root().toUtf8());
    EXPECT_EQ(BatteryMonitor::selectedSource(), BatteryMonitor::Source::Linux);
    EXPECT_EQ(BatteryMonitor::shared().getBatteryDevices().value(0), mac(23, false));
    qputenv("PELLIX_BATTERY_SOURCE", "commands");
    EXPECT_EQ(BatteryMonitor::selectedSource(), BatteryMonitor::Source::Commands);
    qunsetenv("PELLIX_POWER_SUPPLY_ROOT");
    EXPECT_EQ(BatteryMonitor::powerSupplyRoot(), "/sys/class/power_supply");
    qputenv("PELLIX_BATTERY_SOURCE", "bogus");
    EXPECT_EQ(BatteryMonitor::selectedSource(), BatteryMonitor::Source::Linux);
    qunsetenv("PELLIX_BATTERY_SOURCE");
}

}  // namespace

#include "test_battery_linux.moc"
