// Readers of the power report and the registry listing, on texts shaped like
// the real tools' output.
#include "monitors/BatteryReportParsing.h"

#include <gtest/gtest.h>

using namespace battery;

namespace {

struct PowerReportCase {
    const char *label;
    const char *report;
    int64_t percent;
    bool charging;
};

const PowerReportCase kPowerReports[] = {
    {"battery_discharging", "Now drawing from 'Battery Power'\n -InternalBattery-0 (id=4653155)\t85%; discharging; 5:12 remaining present: true\n", 85, false},
    {"mains_charged", "Now drawing from 'AC Power'\n -InternalBattery-0 (id=4653155)\t100%; charged; 0:00 remaining present: true\n", 100, true},
    {"battery_charging", "Now drawing from 'Battery Power'\n -InternalBattery-0 (id=4653155)\t57%; charging; 1:10 remaining present: true\n", 57, true},
    {"mains_not_charging", "Now drawing from 'AC Power'\n -InternalBattery-0 (id=7012451)\t80%; AC attached; not charging present: true\n", 80, true},
    {"finishing_charge", "Now drawing from 'AC Power'\n -InternalBattery-0 (id=7012451)\t99%; finishing charge; 0:05 remaining present: true\n", 99, true},
    {"desktop_mac", "Now drawing from 'AC Power'\n", 100, true},
    {"ups_line", "Now drawing from 'UPS Power'\n -Back-UPS ES 700 (id=25165824)\t64%; discharging; 0:24 remaining present: true\n", 64, false},
    {"empty", "", 100, false},
    {"no_percent_no_power_words", "Now drawing from 'Battery Power'\n", 100, false},
    {"percent_too_long", "Now drawing from 'Battery Power'\n -InternalBattery-0\t99999999999999999999%; discharging\n", 100, false},
    {"over_hundred_not_clamped", " -InternalBattery-0\t250%; discharging\n", 250, false},
};

class PowerReport : public ::testing::TestWithParam<PowerReportCase> {};

TEST_P(PowerReport, GivesPercentAndCharging)
{
    const PowerReportCase &c = GetParam();
    const BatteryDevice mac = computerEntryFromPowerReport(QString::fromUtf8(c.report));
    EXPECT_EQ(mac.percent, c.percent);
    EXPECT_EQ(mac.charging, c.charging);
    EXPECT_EQ(mac, (BatteryDevice{"macbook", "MacBook", c.percent, c.charging, "macbook"}));
}

INSTANTIATE_TEST_SUITE_P(Formats, PowerReport, ::testing::ValuesIn(kPowerReports),
                         [](const auto &info) { return std::string(info.param.label); });

struct NameCase {
    const char *name;
    const char *type;
    const char *id;
};

const NameCase kNames[] = {
    {"Magic Mouse", "mouse", "magic-mouse"},
    {"Tom's AirPods Pro", "airpods", "tom's-airpods-pro"},
    {"Studio Headphones", "airpods", "studio-headphones"},
    {"Apple Pencil", "pencil", "apple-pencil"},
    {"Apple Watch", "watch", "apple-watch"},
    {"Magic Keyboard", "keyboard", "magic-keyboard"},
    {"Magic Trackpad 2", "trackpad", "magic-trackpad-2"},
    {"Mouse and Keyboard Combo", "mouse", "mouse-and-keyboard-combo"},
    {"Keyboard Trackpad", "keyboard", "keyboard-trackpad"},
    {"Game Controller", "accessory", "game-controller"},
};

TEST(AccessoryName, ClassifiesInTableOrderAndBuildsId)
{
    for (const NameCase &c : kNames) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(accessoryType(QString::fromUtf8(c.name)), QString::fromUtf8(c.type));
        EXPECT_EQ(accessoryId(QString::fromUtf8(c.name)), QString::fromUtf8(c.id));
    }
}

// A listing shaped like `ioreg -r -d 1 -k BatteryPercent` on a Mac with a
// mouse, a keyboard known only by DeviceProduct and one entry named only by its tree line.
const char kRegistry[] = R"(+-o AppleDeviceManagementHIDEventService  <class AppleDeviceManagementHIDEventService, id 0x100000a3b, registered, matched, active, busy 0 (0 ms), retain 7>
    {
      "LowBatteryNotificationPercentage" = 2
      "PrimaryUsagePage" = 65280
      "BatteryPercent" = 42
      "Product" = "Magic Mouse"
      "VendorID" = 76
    }
    
+-o AppleDeviceManagementHIDEventService  <class AppleDeviceManagementHIDEventService, id 0x100000b12, registered, matched, active, busy 0 (0 ms), retain 7>
    {
      "BatteryPercent" = 80
      "DeviceProduct" = "Magic Keyboard"
    }
    
+-o BeatsStudio  <class AppleBluetoothBatteryDevice, id 0x100000c01, registered, matched, active, busy 0 (0 ms), retain 6>
    {
      "BatteryPercent" = 55
    }
    
+-o IOPMPowerSource  <class IOPMPowerSource, id 0x100000c02, registered, matched, active, busy 0 (0 ms), retain 6>
    {
      "CurrentCapacity" = 88
    }
)";

TEST(Registry, ReadsEveryBatteryEntryInOrder)
{
    const QList<BatteryDevice> devices = accessoriesFromRegistry(QString::fromUtf8(kRegistry));
    const QList<BatteryDevice> expected{
        {"magic-mouse", "Magic Mouse", 42, false, "mouse"},
        {"magic-keyboard", "Magic Keyboard", 80, false, "keyboard"},
        {"beatsstudio", "BeatsStudio", 55, false, "accessory"},
    };
    EXPECT_EQ(devices, expected);
}

struct BlockCase {
    const char *label;
    const char *block;  // the text after one "+-o" marker
    std::optional<BatteryDevice> expected;
};

const BlockCase kBlocks[] = {
    {"name_key_only", " Foo  <class Bar>\n { \"BatteryPercent\" = 12\n \"Name\" = \"Apple Watch\" }",
     BatteryDevice{"apple-watch", "Apple Watch", 12, false, "watch"}},
    {"product_before_name", " X  <class Y>\n \"Name\" = \"Other\"\n \"Product\" = \"Magic Trackpad\"\n \"BatteryPercent\" = 9",
     BatteryDevice{"magic-trackpad", "Magic Trackpad", 9, false, "trackpad"}},
    {"deviceproduct_first_wins_via_product_pattern",
     " X  <class Y>\n \"DeviceProduct\" = \"First One\"\n \"Product\" = \"Second One\"\n \"BatteryPercent\" = 5",
     BatteryDevice{"first-one", "First One", 5, false, "accessory"}},
    {"unquoted_keys", " X  <class Y>\n Product = \"Magic Mouse 2\"\n BatteryPercent = 77",
     BatteryDevice{"magic-mouse-2", "Magic Mouse 2", 77, false, "mouse"}},
    {"name_untrimmed", " X  <class Y>\n \"Product\" = \" Pad \"\n \"BatteryPercent\" = 1",
     BatteryDevice{"-pad-", " Pad ", 1, false, "accessory"}},
    {"percent_not_a_number", " X  <class Y>\n \"Product\" = \"Magic Mouse\"\n \"BatteryPercent\" = \"high\"",
     BatteryDevice{"magic-mouse", "Magic Mouse", 100, false, "mouse"}},
    {"tree_line_name", " AirPods Max  <class AppleBluetoothDevice, id 0x1>\n {\n \"BatteryPercent\" = 66\n }",
     BatteryDevice{"airpods-max", "AirPods Max", 66, false, "airpods"}},
    {"driver_name_from_tree_line", " AppleBluetoothHIDDevice  <class AppleBluetoothHIDDevice>\n \"BatteryPercent\" = 3", std::nullopt},
    {"driver_name_from_key", " X  <class Y>\n \"Product\" = \"AppleDeviceBluetoothHIDDriver\"\n \"BatteryPercent\" = 3", std::nullopt},
    {"driver_name_other_case_kept", " X  <class Y>\n \"Product\" = \"applebluetoothhiddevice\"\n \"BatteryPercent\" = 3",
     BatteryDevice{"applebluetoothhiddevice", "applebluetoothhiddevice", 3, false, "accessory"}},
    {"no_battery_percent", " X  <class Y>\n \"Product\" = \"Magic Mouse\"", std::nullopt},
    {"no_name_at_all", "\n \"BatteryPercent\" = 10", std::nullopt},
};

class RegistryBlock : public ::testing::TestWithParam<BlockCase> {};

TEST_P(RegistryBlock, GivesTheAccessoryOrNothing)
{
    EXPECT_EQ(accessoryFromRegistryBlock(QString::fromUtf8(GetParam().block)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Blocks, RegistryBlock, ::testing::ValuesIn(kBlocks),
                         [](const auto &info) { return std::string(info.param.label); });

TEST(Registry, SameProductTwiceGivesTwoRecordsWithOneId)
{
    const QString listing = "+-o A  <class X>\n \"Product\" = \"Magic Mouse\"\n \"BatteryPercent\" = 10\n"
                            "+-o B  <class X>\n \"Product\" = \"Magic Mouse\"\n \"BatteryPercent\" = 90\n";
    const QList<BatteryDevice> devices = accessoriesFromRegistry(listing);
    ASSERT_EQ(devices.size(), 2);
    EXPECT_EQ(devices[0].id, devices[1].id);
    EXPECT_EQ(devices[0].percent, 10);
    EXPECT_EQ(devices[1].percent, 90);
}

TEST(Registry, TextBeforeTheFirstMarkerIsABlockToo)
{
    const QList<BatteryDevice> devices = accessoriesFromRegistry("\"Product\" = \"Pencil\" \"BatteryPercent\" = 4");
    ASSERT_EQ(devices.size(), 1);
    EXPECT_EQ(devices[0], (BatteryDevice{"pencil", "Pencil", 4, false, "pencil"}));
}

TEST(Utf8, InvalidBytesReadAsEmptyAndValidTextIsKept)
{
    EXPECT_EQ(decodeUtf8OrEmpty(QByteArray("85%\xff discharging")), QString());
    EXPECT_EQ(decodeUtf8OrEmpty(QByteArray("\xc3")), QString());  // cut mid-character
    EXPECT_EQ(decodeUtf8OrEmpty(QByteArray("Caff\xc3\xa8 \n")), QString::fromUtf8("Caff\xc3\xa8 \n"));
}

}  // namespace
