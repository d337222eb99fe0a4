#include "TemperatureUnit.h"

#include "UiLanguage.h"

namespace pellix::i18n {

TemperatureUnit temperatureUnit(const QLocale &region)
{
    return region.measurementSystem() == QLocale::ImperialUSSystem ? TemperatureUnit::Fahrenheit
                                                                    : TemperatureUnit::Celsius;
}

TemperatureUnit displayTemperatureUnit()
{
    return temperatureUnit(regionLocale());
}

double inUnit(double celsius, TemperatureUnit unit)
{
    return unit == TemperatureUnit::Fahrenheit ? celsius * 9.0 / 5.0 + 32.0 : celsius;
}

}  // namespace pellix::i18n
