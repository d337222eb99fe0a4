#pragma once

// What the weather widget writes: WMO code tables, temperatures, day names and
// the forecast rows, as plain functions of the decoded answer.

#include "monitors/WeatherRecords.h"
#include "TemperatureUnit.h"

#include <QColor>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

QString wmoDesc(int64_t code);
QString wmoEmoji(int64_t code);
QColor weatherGlowColor(int64_t code);  // the colour updateGlow gives the container

// Halves away from zero, then an integer (-0.4 -> 0, 21.5 -> 22, -2.5 -> -3);
// values beyond the integer range stick to its ends.
int64_t roundedTemperature(double celsius);
// "22°", or "72°" for the same 22 °C in Fahrenheit.
QString temperatureText(double celsius,
                        pellix::i18n::TemperatureUnit unit = pellix::i18n::displayTemperatureUnit());

// "Lun", "Mar", ... (in the interface's language) for a "yyyy-MM-dd" date; "—"
// when the text is no such date.
QString shortDayName(const QString &date);

// The city as shown for a manual location: the text before the first comma.
QString displayCity(const QString &settingsCity);

// "H:21° L:12°" from today's maximum and minimum; nothing without both.
std::optional<QString> highLowText(const WeatherResponse &response);

struct ForecastRow {
    QString day;
    QString emoji;
    QString high;
    QString low;
    int64_t code = 0;

    friend bool operator==(const ForecastRow &, const ForecastRow &) = default;
};

// Days 1 to 4 (today is not listed); a day missing from any array is skipped.
QList<ForecastRow> forecastRows(const WeatherResponse::DailyForecast &daily);
