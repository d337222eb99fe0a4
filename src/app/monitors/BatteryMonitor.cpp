#include "BatteryMonitor.h"

#include "CommandBatterySource.h"
#include "LinuxBatterySource.h"
#include "PowerSupplyEvents.h"
#include "PowerSupplyTree.h"
#include "UPowerDeviceCache.h"

#include <QCoreApplication>
#include <QMutex>
#include <QPointer>

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

UPowerDeviceCache *BatteryMonitor::upower()
{
    static QMutex lock;
    static QPointer<UPowerDeviceCache> cache;
    const QMutexLocker locker(&lock);
    QCoreApplication *app = QCoreApplication::instance();
    if (!cache && app) {
        // Owned by the application, so it goes before the bus connections do.
        cache = new UPowerDeviceCache(QDBusConnection::systemBus());
        cache->moveToThread(app->thread());
        cache->setParent(app);
    }
    return cache;
}

PowerSupplyEvents *BatteryMonitor::uevents()
{
    static QMutex lock;
    static QPointer<PowerSupplyEvents> events;
    static bool tried = false;
    const QMutexLocker locker(&lock);
    QCoreApplication *app = QCoreApplication::instance();
    if (!tried && app && powerSupplyRoot() == defaultPowerSupplyRoot()) {
        tried = true;
        events = new PowerSupplyEvents;
        events->moveToThread(app->thread());
        events->setParent(app);
    }
    return events;
}

QList<BatteryDevice> BatteryMonitor::getBatteryDevices() const
{
    if (selectedSource() == Source::Commands)
        return CommandBatterySource().getBatteryDevices();
    return LinuxBatterySource(powerSupplyRoot(), upower()).getBatteryDevices();
}

QString BatteryMonitor::getComputerName() const
{
    if (selectedSource() == Source::Commands)
        return CommandBatterySource().getComputerName();
    return LinuxBatterySource(powerSupplyRoot(), nullptr).getComputerName();
}

void BatteryMonitor::onChanged(QObject *context, std::function<void()> slot) const
{
    if (selectedSource() != Source::Linux)
        return;
    if (UPowerDeviceCache *cache = upower())
        QObject::connect(cache, &UPowerDeviceCache::changed, context, slot);
    if (PowerSupplyEvents *events = uevents())
        QObject::connect(events, &PowerSupplyEvents::changed, context, slot);
}
