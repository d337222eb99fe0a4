#pragma once

#include "SharedWidgetData.h"

#include <QDBusConnection>
#include <QList>
#include <QString>

// Linux: the computer's battery and mains from sysfs, accessories from UPower
// (or, without UPower, from sysfs peripheral batteries).
class LinuxBatterySource {
public:
    LinuxBatterySource(QString powerSupplyRoot, QDBusConnection bus,
                       QString machineInfoPath = QStringLiteral("/etc/machine-info"), int dbusTimeoutMs = 500);

    QList<BatteryDevice> getBatteryDevices() const;
    // The pretty host name where one is set, else the host name, else "MacBook".
    QString getComputerName() const;

private:
    QString m_powerSupplyRoot;
    QDBusConnection m_bus;
    QString m_machineInfoPath;
    int m_dbusTimeoutMs;
};

namespace battery {
// PRETTY_HOSTNAME from the text of /etc/machine-info (an env-style file whose
// values may be quoted); empty when it is not set.
QString prettyHostName(const QString &machineInfo);
}
