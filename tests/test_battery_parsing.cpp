// Readers of the power report and the registry listing, on texts shaped like
// the real tools' output.
#include "monitors/BatteryReportParsing.h"
#include "ValueBounds.h"

#include <gtest/gtest.h>

using namespace battery;

namespace {

BatteryDevice mac(int64_t percent, bool charging) { return {"macbook", "MacBook", percent, charging, "macbook"}; }

TEST(PowerReport, GivesTheComputerEntry)
{
    const std::pair<const char *, BatteryDevice> cases[] = {
        {"Now drawing from 'Battery Power'\n -InternalBattery-0 (id=4653155)\t85%; discharging; 5:12 remaining present: true\n", mac(85, false)},
        {"Now drawing from 'AC Power'\n -InternalBattery-0 (id=4653155)\t100%; charged; 0:00 remaining present: true\n", mac(100, true)},
        {"Now drawing from 'Battery Power'\n -InternalBattery-0 (id=4653155)\t57%; charging; 1:10 remaining present: true\n", mac(57, true)},
        {"Now drawing from 'AC Power'\n -InternalBattery-0 (id=7012451)\t80%; AC attached; not charging present: true\n", mac(80, true)},
        {"Now drawing from 'AC Power'\n -InternalBattery-0 (id=7012451)\t99%; finishing charge; 0:05 remaining present: true\n", mac(99, true)},
        {"Now drawing from 'AC Power'\n", mac(100, true)},  // a desktop Mac
        {"Now drawing from 'UPS Power'\n -Back-UPS ES 700 (id=25165824)\t64%; discharging; 0:24 remaining present: true\n", mac(64, false)},
        {"", mac(100, false)},
        {" -InternalBattery-0\t99999999999999999999%; discharging\n", mac(100, false)},  // does not fit
        {" -InternalBattery-0\t12345%; discharging\n", mac(100, false)},  // clamped
    };
    for (const auto &[report, expected] : cases)
        EXPECT_EQ(computerEntryFromPowerReport(QString::fromUtf8(report)), expected) << report;
}

TEST(AccessoryName, ClassifiesInTableOrderAndBuildsId)
{
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"Tom's AirPods Pro", "airpods", "tom's-airpods-pro"}, {"Studio Headphones", "airpods", "studio-headphones"},
        {"Apple Pencil", "pencil", "apple-pencil"},            {"Mouse and Keyboard Combo", "mouse", "mouse-and-keyboard-combo"},
        {"Keyboard Trackpad", "keyboard", "keyboard-trackpad"},
    };
    for (const auto &[name, type, id] : cases) {
        EXPECT_EQ(accessoryType(QString::fromUtf8(name)), QString(type)) << name;
        EXPECT_EQ(accessoryId(QString::fromUtf8(name)), QString::fromUtf8(id)) << name;
    }
}

// `ioreg -r -d 1 -k BatteryPercent`: names from Product, DeviceProduct and the tree line.
const char kListing[] = R"(+-o AppleDeviceManagementHIDEventService  <class AppleDeviceManagementHIDEventService, id 0x100000a3b, registered, matched, active, busy 0 (0 ms), retain 7>
    {
      "LowBatteryNotificationPercentage" = 2
      "BatteryPercent" = 42
      "Product" = "Magic Mouse"
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

)";

TEST(Registry, ReadsEachBlocksNameAndPercent)
{
    using List = QList<BatteryDevice>;
    const std::pair<const char *, List> cases[] = {
        {kListing, {{"magic-mouse", "Magic Mouse", 42, false, "mouse"}, {"magic-keyboard", "Magic Keyboard", 80, false, "keyboard"},
                    {"beatsstudio", "BeatsStudio", 55, false, "accessory"}}},
        {"+-o Foo  <class Bar>\n { \"BatteryPercent\" = 12\n \"Name\" = \"Apple Watch\" }", {{"apple-watch", "Apple Watch", 12, false, "watch"}}},
        {"+-o X  <class Y>\n \"Name\" = \"Other\"\n \"Product\" = \"Magic Trackpad\"\n \"BatteryPercent\" = 9",
         {{"magic-trackpad", "Magic Trackpad", 9, false, "trackpad"}}},
        {"+-o X  <class Y>\n \"Product\" = \"Magic Mouse\"\n \"BatteryPercent\" = \"high\"", {{"magic-mouse", "Magic Mouse", 100, false, "mouse"}}},
        {"+-o AirPods Max  <class AppleBluetoothDevice, id 0x1>\n {\n \"BatteryPercent\" = 66\n }", {{"airpods-max", "AirPods Max", 66, false, "airpods"}}},
        // Driver class names are not device names, and a block needs a percent.
        {"+-o AppleBluetoothHIDDevice  <class AppleBluetoothHIDDevice>\n \"BatteryPercent\" = 3", {}},
        {"+-o X  <class Y>\n \"Product\" = \"AppleDeviceBluetoothHIDDriver\"\n \"BatteryPercent\" = 3", {}},
        {"+-o X  <class Y>\n \"Product\" = \"Magic Mouse\"", {}},
        {"+-o X  <class Y>\n \"Product\" = \"\x01\x02\"\n \"BatteryPercent\" = 3", {}},  // nothing left to show
        {"+-o X  <class Y>\n \"BatteryPercent\" = 150\n \"Product\" = \"Magic\tMouse 2 with a very long name indeed, longer than any name ought to be\"",
         {{"magicmouse-2-with-a-very-long-name-indeed,-longer-than-any-name-", "MagicMouse 2 with a very long name indeed, longer than any name ", 100, false, "mouse"}}},
    };
    for (const auto &[listing, expected] : cases)
        EXPECT_EQ(accessoriesFromRegistry(QString::fromUtf8(listing)), expected) << listing;
}

TEST(ValueBounds, NamesAreCutOnCharacterBoundaries)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x96\xB1");  // one character, two UTF-16 units
    const std::pair<QString, QString> cases[] = {
        {QString(63, 'a') + emoji + "b", QString(63, 'a') + emoji},
        {QString(64, 'a') + emoji, QString(64, 'a')},
        {"a" + QString(QChar(0xD800)) + "b" + QString(QChar(0xDC00)), "ab"},  // unpaired halves are no text
        {"Mouse\r\n\x1b[31m", "Mouse[31m"},
    };
    for (const auto &[name, shown] : cases) {
        EXPECT_EQ(bounds::displayName(name), shown);
        EXPECT_EQ(QString::fromUtf8(bounds::displayName(name).toUtf8()), shown) << "round-trips through UTF-8";
    }
}

}  // namespace
