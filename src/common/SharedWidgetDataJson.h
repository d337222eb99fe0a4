#pragma once

#include "SharedWidgetData.h"

#include <QByteArray>

#include <optional>

// Compact JSON in the shared file's format; nothing when a number is not finite.
std::optional<QByteArray> encodeSharedWidgetData(const SharedWidgetData &data);

// Strict: any required key missing or null, or any wrong JSON type, gives nothing.
std::optional<SharedWidgetData> decodeSharedWidgetData(const QByteArray &json);
