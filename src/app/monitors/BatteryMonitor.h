#pragma once

#include "SharedWidgetData.h"

#include <QList>
#include <QString>

// The list of batteries the battery widget shows: the computer first, then
// every accessory that reports a level. Keeps no state; every call asks afresh.
//
// The source is the platform's (commands on macOS, sysfs + UPower on Linux)
// unless PELLIX_BATTERY_SOURCE says "commands" or "linux";
// PELLIX_POWER_SUPPLY_ROOT moves the sysfs root.
class BatteryMonitor {
public:
    static BatteryMonitor &shared();

    QList<BatteryDevice> getBatteryDevices() const;  // never empty
    QString getComputerName() const;                 // never empty

    enum class Source { Commands, Linux };
    static Source selectedSource();
    static QString powerSupplyRoot();

private:
    BatteryMonitor() = default;
};
