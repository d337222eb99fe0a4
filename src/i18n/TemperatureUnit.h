#pragma once

// Temperatures are kept and shared in degrees Celsius and converted only to be
// shown, in Fahrenheit where the region measures the US way.

#include <QLocale>

namespace pellix::i18n {

enum class TemperatureUnit { Celsius, Fahrenheit };

TemperatureUnit temperatureUnit(const QLocale &region);

// The region of the interface (regionLocale()).
TemperatureUnit displayTemperatureUnit();

double inUnit(double celsius, TemperatureUnit unit);

}  // namespace pellix::i18n
