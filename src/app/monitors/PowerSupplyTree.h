#pragma once

#include "SharedWidgetData.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// One entry of /sys/class/power_supply, with only the attributes we use.
struct PowerSupply {
    QString name;           // the directory name (BAT0, AC, hid-…-battery)
    QString type;           // "Battery", "Mains", "USB", …
    QString scope;          // "Device" marks a peripheral; empty or "System" is the computer's
    QString status;         // "Charging", "Discharging", "Full", …
    QString modelName;
    std::optional<bool> present;
    std::optional<bool> online;
    std::optional<int64_t> capacity;  // percent
    std::optional<int64_t> energyNow, energyFull;  // µWh
    std::optional<int64_t> chargeNow, chargeFull;  // µAh

    friend bool operator==(const PowerSupply &, const PowerSupply &) = default;
};

QString defaultPowerSupplyRoot();

// Every supply under `root`, sorted by name; nothing when the root is missing.
QList<PowerSupply> readPowerSupplies(const QString &root);

namespace battery {

// The computer's entry: its batteries' level weighted by energy (or charge),
// charging while on external power or while a battery charges; a machine
// without a battery reads 100.
BatteryDevice computerEntryFromSupplies(const QList<PowerSupply> &supplies);
// Peripheral batteries (scope "Device") that report a percentage and a model name.
QList<BatteryDevice> accessoriesFromSupplies(const QList<PowerSupply> &supplies);

}  // namespace battery
