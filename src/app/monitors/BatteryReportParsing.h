#pragma once

#include "SharedWidgetData.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// Pure readers for the text of "pmset -g batt" (the power report) and of
// `ioreg -r -d 1 -k "BatteryPercent"` (the registry listing).
namespace battery {

// UTF-8 text, or the empty string when the bytes are not valid UTF-8.
QString decodeUtf8OrEmpty(const QByteArray &bytes);

// First `(\d+)%` of the report; 100 when there is none or it does not fit.
int64_t powerReportPercent(const QString &report);
// On mains power counts as charging; "discharging" never does.
bool powerReportCharging(const QString &report);
// Percentages are clamped to 0…100 and names bounded (ValueBounds.h): the
// sources pass on whatever they read, sane or not.
BatteryDevice computerEntry(int64_t percent, bool charging);
BatteryDevice computerEntryFromPowerReport(const QString &report);

QString accessoryType(const QString &name);
QString accessoryId(const QString &name);
BatteryDevice accessoryEntry(const QString &name, int64_t percent, const QString &type);

// One registry entry's block (the text after a "+-o" marker); nothing when the
// block carries no battery or no usable name.
std::optional<BatteryDevice> accessoryFromRegistryBlock(const QString &block);
QList<BatteryDevice> accessoriesFromRegistry(const QString &listing);

}  // namespace battery
