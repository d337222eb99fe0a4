#include "BatteryMonitor.h"

#include "CommandBatterySource.h"
#include "LinuxBatterySource.h"
#include "PowerSupplyTree.h"

BatteryMonitor &BatteryMonitor::shared()
{
    static BatteryMonitor instance;
    return instance;
}

BatteryMonitor::Source BatteryMonitor::selectedSource()
{
    const QByteArray forced = qgetenv("PELLIX_BATTERY_SOURCE").trimmed().toLower();
    if (forced == "commands")
        return Source::Commands;
    if (forced == "linux")
        return Source::Linux;
#ifdef Q_OS_MACOS
    return Source::Commands;
#else
    return Source::Linux;
#endif
}

QString BatteryMonitor::powerSupplyRoot()
{
    const QString root = qEnvironmentVariable("PELLIX_POWER_SUPPLY_ROOT");
    return root.isEmpty() ? defaultPowerSupplyRoot() : root;
}

QList<BatteryDevice> BatteryMonitor::getBatteryDevices() const
{
    if (selectedSource() == Source::Commands)
        return CommandBatterySource().getBatteryDevices();
    return LinuxBatterySource(powerSupplyRoot(), QDBusConnection::systemBus()).getBatteryDevices();
}

QString BatteryMonitor::getComputerName() const
{
    if (selectedSource() == Source::Commands)
        return CommandBatterySource().getComputerName();
    return LinuxBatterySource(powerSupplyRoot(), QDBusConnection::systemBus()).getComputerName();
}
