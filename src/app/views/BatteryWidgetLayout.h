#pragma once

// What the battery widget draws, decided from its state alone.

#include "SharedWidgetData.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

// The visible-devices category a device type belongs to.
QString batteryCategory(const QString &type);

// The container's glow: from the first "macbook" entry; clear without one.
QColor batteryGlowColor(const QList<BatteryDevice> &devices);

struct BatteryRingSpec {
    QString key;  // the device id, made unique for a repeated id
    BatteryDevice device;
    bool isSmall = false;
    QString customName;

    friend bool operator==(const BatteryRingSpec &, const BatteryRingSpec &) = default;
};

inline constexpr int kMaxMediumRings = 4;

// The rings of the widget, in order: the computer's one for the small size, up to
// four visible devices in collector order otherwise.
QList<BatteryRingSpec> batteryRings(const QList<BatteryDevice> &devices, const QString &size,
                                    const QStringList &visibleCategories, const QString &computerName);
