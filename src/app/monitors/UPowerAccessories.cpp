#include "UPowerAccessories.h"

#include "BatteryReportParsing.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDeadlineTimer>

#include <cmath>

namespace battery {

namespace {

const QString kService = QStringLiteral("org.freedesktop.UPower");
const QString kDeviceInterface = QStringLiteral("org.freedesktop.UPower.Device");

QVariant unwrapped(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

int64_t roundedPercent(const QVariant &value)
{
    bool ok = false;
    const double p = unwrapped(value).toDouble(&ok);
    // Anything that is not a sane number keeps the default rather than overflowing.
    if (!ok || !std::isfinite(p) || std::fabs(p) > 1e15)
        return 100;
    return int64_t(std::llround(p));
}

int remaining(const QDeadlineTimer &deadline) { return int(qMax<qint64>(deadline.remainingTime(), 1)); }

}  // namespace

QString upowerAccessoryType(uint kind, const QString &name)
{
    switch (kind) {
    case UPowerMouse: return "mouse";
    case UPowerKeyboard: return "keyboard";
    case UPowerTouchpad: return "trackpad";
    case UPowerPen:
    case UPowerTablet: return "pencil";
    case UPowerHeadset:
    case UPowerHeadphones: return "airpods";
    default: return accessoryType(name);
    }
}

std::optional<BatteryDevice> accessoryFromUPower(const QVariantMap &properties)
{
    const uint kind = unwrapped(properties.value("Type")).toUInt();
    const bool powerSupply = unwrapped(properties.value("PowerSupply")).toBool();
    if (kind == UPowerLinePower || (kind == UPowerBattery && powerSupply))
        return std::nullopt;
    const QString name = unwrapped(properties.value("Model")).toString();
    if (name.isEmpty())
        return std::nullopt;
    const int64_t percent = properties.contains("Percentage") ? roundedPercent(properties.value("Percentage")) : 100;
    return accessoryEntry(name, percent, upowerAccessoryType(kind, name));
}

std::optional<QList<BatteryDevice>> queryUPowerAccessories(const QDBusConnection &bus, int timeoutMs)
{
    if (!bus.isConnected())
        return std::nullopt;
    const QDeadlineTimer deadline(timeoutMs);
    QDBusMessage enumerate = QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/UPower"),
                                                            kService, QStringLiteral("EnumerateDevices"));
    const QDBusMessage reply = bus.call(enumerate, QDBus::Block, remaining(deadline));
    // Checking the signature first keeps a misbehaving peer from feeding the demarshaller the wrong type.
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1String("ao"))
        return std::nullopt;
    const QList<QDBusObjectPath> paths = qdbus_cast<QList<QDBusObjectPath>>(reply.arguments().constFirst());

    // All property requests go out at once: one round trip instead of one per device.
    QList<QDBusPendingCall> pending;
    pending.reserve(paths.size());
    for (const QDBusObjectPath &path : paths) {
        QDBusMessage getAll = QDBusMessage::createMethodCall(
            kService, path.path(), QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
        getAll << kDeviceInterface;
        pending.append(bus.asyncCall(getAll, remaining(deadline)));
    }
    QList<BatteryDevice> devices;
    for (QDBusPendingCall &call : pending) {
        call.waitForFinished();
        const QDBusMessage answer = call.reply();
        if (answer.type() != QDBusMessage::ReplyMessage || answer.signature() != QLatin1String("a{sv}"))
            continue;
        const QVariantMap properties = qdbus_cast<QVariantMap>(answer.arguments().constFirst());
        if (std::optional<BatteryDevice> device = accessoryFromUPower(properties))
            devices.append(*device);
    }
    return devices;
}

}  // namespace battery
