#include "UPowerDeviceCache.h"

#include "PellixLogging.h"
#include "UPowerAccessories.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>

namespace {

const QString kService = QStringLiteral("org.freedesktop.UPower");
const QString kPath = QStringLiteral("/org/freedesktop/UPower");
const QString kDeviceInterface = QStringLiteral("org.freedesktop.UPower.Device");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// Only what accessoryFromUPower reads is kept, however much a device sends.
QVariantMap usedProperties(const QVariantMap &all)
{
    QVariantMap used;
    for (const char *key : {"Type", "PowerSupply", "Model", "Percentage"})
        if (const auto it = all.constFind(QLatin1String(key)); it != all.constEnd())
            used.insert(it.key(), it.value());
    return used;
}

// An error reply (a time-out reads org.freedesktop.DBus.Error.NoReply), or an answer of the wrong shape.
QString failure(const QDBusMessage &reply)
{
    if (reply.type() == QDBusMessage::ErrorMessage)
        return reply.errorName() + ": " + reply.errorMessage();
    return "unexpected answer of signature \"" + reply.signature() + '"';
}

}  // namespace

UPowerDeviceCache::UPowerDeviceCache(const QDBusConnection &bus, int callTimeoutMs, QObject *parent)
    : QObject(parent), m_bus(bus), m_callTimeoutMs(callTimeoutMs)
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(kService, kPath, kService, QStringLiteral("DeviceAdded"), this, SLOT(onDeviceAdded(QDBusMessage)));
    m_bus.connect(kService, kPath, kService, QStringLiteral("DeviceRemoved"), this,
                  SLOT(onDeviceRemoved(QDBusMessage)));
    m_bus.connect(kService, QString(), kPropertiesInterface, QStringLiteral("PropertiesChanged"), this,
                  SLOT(onPropertiesChanged(QDBusMessage)));
    auto *owner = new QDBusServiceWatcher(kService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(owner, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &newOwner) { restart(!newOwner.isEmpty()); });
}

UPowerDeviceCache::~UPowerDeviceCache() = default;

std::optional<QList<BatteryDevice>> UPowerDeviceCache::accessories()
{
    QMetaObject::invokeMethod(this, &UPowerDeviceCache::syncIfDue);  // queued when called from another thread
    const QMutexLocker lock(&m_snapshotLock);
    return m_snapshot;
}

// A new UPower (or none): whatever the old one said no longer holds.
void UPowerDeviceCache::restart(bool present)
{
    ++m_generation;
    m_devices.clear();
    m_state = present ? State::Unknown : State::Absent;
    {
        const QMutexLocker lock(&m_snapshotLock);
        m_snapshot.reset();
    }
    syncIfDue();
}

void UPowerDeviceCache::syncIfDue()
{
    if (m_state != State::Unknown || !m_bus.isConnected())
        return;
    m_state = State::Enumerating;
    const quint64 generation = ++m_generation;
    const QDBusMessage enumerate =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("EnumerateDevices"));
    auto *call = new QDBusPendingCallWatcher(m_bus.asyncCall(enumerate, m_callTimeoutMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call, generation] {
        onEnumerated(call->reply(), generation);
        call->deleteLater();
    });
}

void UPowerDeviceCache::onEnumerated(const QDBusMessage &reply, quint64 generation)
{
    if (generation != m_generation)
        return;
    // Checking the signature first keeps a misbehaving peer from feeding the demarshaller the wrong type.
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1String("ao")) {
        const bool absent = reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown");
        if (!absent)
            qCWarning(lcBattery).noquote() << "UPower EnumerateDevices:" << failure(reply);
        m_state = absent ? State::Absent : State::Unknown;  // silent or broken: ask again next time
        return;
    }
    // Read no further than the cap: a list of 10,000 paths is not demarshalled whole.
    const QDBusArgument paths = reply.arguments().constFirst().value<QDBusArgument>();
    paths.beginArray();
    while (!paths.atEnd() && m_devices.size() < kMaxDevices) {
        QDBusObjectPath path;
        paths >> path;
        if (!find(path.path()))
            m_devices.append({path.path(), std::nullopt});
    }
    m_state = State::Fetching;
    m_fetchesLeft = m_devices.size();
    for (const Device &device : std::as_const(m_devices))
        fetch(device.path, true);
    if (m_fetchesLeft == 0)
        finishSync();
}

void UPowerDeviceCache::fetch(const QString &path, bool initial)
{
    QDBusMessage getAll =
        QDBusMessage::createMethodCall(kService, path, kPropertiesInterface, QStringLiteral("GetAll"));
    getAll << kDeviceInterface;
    const quint64 generation = m_generation;
    auto *call = new QDBusPendingCallWatcher(m_bus.asyncCall(getAll, m_callTimeoutMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call, generation, path, initial] {
        onFetched(call->reply(), generation, path, initial);
        call->deleteLater();
    });
}

void UPowerDeviceCache::onFetched(const QDBusMessage &reply, quint64 generation, const QString &path, bool initial)
{
    if (generation != m_generation)
        return;
    if (Device *device = find(path)) {
        const bool described =
            reply.type() == QDBusMessage::ReplyMessage && reply.signature() == QLatin1String("a{sv}");
        if (described)
            device->properties = usedProperties(qdbus_cast<QVariantMap>(reply.arguments().constFirst()));
        else
            qCWarning(lcBattery).noquote() << "UPower GetAll" << path + ":" << failure(reply);
        if (!described && !device->properties)
            m_devices.removeIf([&](const Device &d) { return d.path == path; });  // never described itself
    }
    if (initial && --m_fetchesLeft == 0)
        finishSync();
    else if (m_state == State::Synced)
        publish();
}

void UPowerDeviceCache::finishSync()
{
    m_state = State::Synced;
    publish();
}

void UPowerDeviceCache::onDeviceAdded(const QDBusMessage &message)
{
    // While enumerating, the answer to come already holds the device.
    if ((m_state != State::Fetching && m_state != State::Synced) || message.signature() != QLatin1String("o"))
        return;
    const QString path = qdbus_cast<QDBusObjectPath>(message.arguments().constFirst()).path();
    if (find(path) || m_devices.size() >= kMaxDevices)
        return;
    m_devices.append({path, std::nullopt});
    fetch(path, false);
}

void UPowerDeviceCache::onDeviceRemoved(const QDBusMessage &message)
{
    if (message.signature() != QLatin1String("o"))
        return;
    const QString path = qdbus_cast<QDBusObjectPath>(message.arguments().constFirst()).path();
    if (m_devices.removeIf([&](const Device &d) { return d.path == path; }) > 0 && m_state == State::Synced)
        publish();
}

void UPowerDeviceCache::onPropertiesChanged(const QDBusMessage &message)
{
    Device *device = find(message.path());
    // A device still waiting for GetAll gets an answer at least as new as this signal.
    if (!device || !device->properties || message.signature() != QLatin1String("sa{sv}as"))
        return;
    const QVariantList args = message.arguments();
    if (args.constFirst().toString() != kDeviceInterface)
        return;
    device->properties->insert(usedProperties(qdbus_cast<QVariantMap>(args.at(1))));
    if (!qdbus_cast<QStringList>(args.at(2)).isEmpty())
        fetch(device->path, false);  // names without values: ask for them
    if (m_state == State::Synced)
        publish();
}

UPowerDeviceCache::Device *UPowerDeviceCache::find(const QString &path)
{
    for (Device &device : m_devices)
        if (device.path == path)
            return &device;
    return nullptr;
}

void UPowerDeviceCache::publish()
{
    QList<BatteryDevice> accessories;
    for (const Device &device : std::as_const(m_devices))
        if (device.properties)
            if (std::optional<BatteryDevice> accessory = battery::accessoryFromUPower(*device.properties))
                accessories.append(*accessory);
    {
        const QMutexLocker lock(&m_snapshotLock);
        m_snapshot = std::move(accessories);
    }
    emit changed();
}
