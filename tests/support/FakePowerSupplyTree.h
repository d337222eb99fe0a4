#pragma once

// A fake /sys/class/power_supply: a laptop battery at 57 % charging on mains, a
// Bluetooth mouse's HID battery, a keyboard that reports only a level, and an idle
// USB-C port. As in the kernel's, class entries are symlinks into devices/.

#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace pellix::test {

class FakePowerSupplyTree {
public:
    FakePowerSupplyTree()
    {
        add("AC", {{"type", "Mains"}, {"online", "1"}});
        add("BAT0", {{"type", "Battery"}, {"status", "Charging"}, {"present", "1"}, {"capacity", "57"},
                     {"energy_now", "28500000"}, {"energy_full", "50000000"}, {"model_name", "5B10W13930"}});
        add("hid-a4:83:e7:12:34:56-battery", {{"type", "Battery"}, {"scope", "Device"}, {"status", "Discharging"},
                                              {"capacity", "42"}, {"model_name", "Magic Mouse"}});
        add("hidpp_battery_0", {{"type", "Battery"}, {"scope", "Device"}, {"capacity_level", "Normal"}, {"model_name", "MX Keys"}});
        add("ucsi-source-psy-USBC000:001", {{"type", "USB"}, {"online", "0"}});
    }
    QString root() const { return m_dir.filePath("class/power_supply"); }
    void set(const QString &supply, const char *attribute, const QByteArray &value)
    {
        writeFile(m_dir.filePath("devices/" + supply + "/" + attribute), value + "\n");
    }

private:
    void add(const QString &name, std::initializer_list<std::pair<const char *, const char *>> attrs)
    {
        QDir().mkpath(m_dir.filePath("devices/" + name));
        QDir().mkpath(root());
        for (const auto &[k, v] : attrs)
            set(name, k, v);
        QFile::link("../../devices/" + name, root() + "/" + name);
    }
    QTemporaryDir m_dir;
};

}  // namespace pellix::test
