#pragma once

// Bounds for values read from outside (sysfs, UPower, the battery tools, the
// weather services, and in the extension the shared file), so that a broken or
// hostile source cannot put absurd figures on screen or into the shared file.

#include <QString>

#include <cstdint>
#include <optional>

namespace bounds {

constexpr qsizetype kMaxNameCharacters = 64;

// 0…100.
int64_t clampPercent(int64_t percent);
// Rounded and clamped to 0…100; nothing when not a finite number.
std::optional<int64_t> percentFromDouble(double percent);

// A name fit to show: control characters and unpaired surrogates dropped, then
// at most `maxCharacters` Unicode characters (a pair of surrogates is never split),
// so it always encodes as valid UTF-8.
QString displayName(const QString &name, qsizetype maxCharacters = kMaxNameCharacters);

// A temperature a weather service can mean: finite and within −100…+100 °C.
bool isPlausibleCelsius(double celsius);
// The same for an optional one: a temperature no weather can have (1.7e308, −300) is missing.
std::optional<double> plausibleCelsius(std::optional<double> celsius);

}  // namespace bounds
