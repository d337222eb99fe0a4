#pragma once

#include "SharedWidgetData.h"

#include <QList>
#include <QString>

#include <functional>

class QObject;
class PowerSupplyEvents;
class UPowerDeviceCache;

// The list of batteries the battery widget shows: the computer first, then
// every accessory that reports a level.
//
// The source is the platform's (commands on macOS, sysfs + UPower on Linux)
// unless PELLIX_BATTERY_SOURCE says "commands" or "linux";
// PELLIX_POWER_SUPPLY_ROOT moves the sysfs root. The commands run afresh at
// every call; the Linux source reads sysfs afresh and keeps following UPower
// between calls, so a call never waits on it.
class BatteryMonitor {
public:
    static BatteryMonitor &shared();

    QList<BatteryDevice> getBatteryDevices() const;  // never empty
    QString getComputerName() const;                 // never empty

    // Calls `slot` (in `context`'s thread) whenever UPower or the kernel says a
    // battery, a charger or an accessory changed, so a view can poll slowly;
    // nothing for the commands, which have no signals. Ends with `context`.
    void onChanged(QObject *context, std::function<void()> slot) const;

    enum class Source { Commands, Linux };
    static Source selectedSource();
    static QString powerSupplyRoot();

private:
    BatteryMonitor() = default;
    // UPower on the system bus, followed from the application's thread; null
    // without an application object.
    static UPowerDeviceCache *upower();
    // The kernel's uevents, for the real sysfs tree only; null otherwise.
    static PowerSupplyEvents *uevents();
};
