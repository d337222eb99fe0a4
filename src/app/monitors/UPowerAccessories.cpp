#include "UPowerAccessories.h"

#include "BatteryReportParsing.h"
#include "ValueBounds.h"

#include <QDBusVariant>

namespace battery {

namespace {

QVariant unwrapped(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

// Anything that is not a finite number keeps the default; the rest is clamped to 0…100.
int64_t roundedPercent(const QVariant &value)
{
    bool ok = false;
    const double p = unwrapped(value).toDouble(&ok);
    return ok ? bounds::percentFromDouble(p).value_or(100) : 100;
}

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
    const QString name = bounds::displayName(unwrapped(properties.value("Model")).toString());
    if (name.isEmpty())
        return std::nullopt;
    const int64_t percent = properties.contains("Percentage") ? roundedPercent(properties.value("Percentage")) : 100;
    return accessoryEntry(name, percent, upowerAccessoryType(kind, name));
}

}  // namespace battery
