#pragma once

#include "SharedWidgetData.h"

#include <QList>
#include <QString>

class UPowerDeviceCache;

// Linux: the computer's battery and mains from sysfs, accessories from UPower
// (or, while UPower is absent or silent, from sysfs peripheral batteries).
// Nothing here waits: sysfs is read without blocking on special files and
// UPower is followed asynchronously by the cache.
class LinuxBatterySource {
public:
    // `upower` may be null: sysfs alone.
    LinuxBatterySource(QString powerSupplyRoot, UPowerDeviceCache *upower,
                       QString machineInfoPath = QStringLiteral("/etc/machine-info"));

    QList<BatteryDevice> getBatteryDevices() const;
    // The pretty host name where one is set, else the host name, else "MacBook".
    QString getComputerName() const;

private:
    QString m_powerSupplyRoot;
    UPowerDeviceCache *m_upower;
    QString m_machineInfoPath;
};

namespace battery {
// PRETTY_HOSTNAME from the text of /etc/machine-info (an env-style file whose
// values may be quoted); empty when it is not set.
QString prettyHostName(const QString &machineInfo);
}
