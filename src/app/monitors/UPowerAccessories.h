#pragma once

#include "SharedWidgetData.h"

#include <QList>
#include <QVariantMap>

#include <optional>

namespace battery {

// UPower's device kinds that matter here (org.freedesktop.UPower.Device.Type).
enum UPowerKind : uint {
    UPowerLinePower = 1,
    UPowerBattery = 2,
    UPowerMouse = 5,
    UPowerKeyboard = 6,
    UPowerTablet = 10,
    UPowerPen = 13,
    UPowerTouchpad = 14,
    UPowerHeadset = 17,
    UPowerHeadphones = 19,
};

QString upowerAccessoryType(uint kind, const QString &name);
// The accessory one device's properties describe; nothing for line power, the
// computer's own batteries and devices without a model name.
std::optional<BatteryDevice> accessoryFromUPower(const QVariantMap &properties);

}  // namespace battery
