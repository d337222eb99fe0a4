#pragma once

// What the clock shows, as plain functions of the instant: texts (days and
// months named in the interface's language, the time as its region writes it),
// hand angles and the city line.

#include "ClockFormat.h"
#include "settings/SettingsRecords.h"
#include "SharedWidgetData.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace ClockText {

QString timeString(const QDateTime &date);        // "09:07", "9:07 AM"
pellix::i18n::ClockTimeParts timeParts(const QDateTime &date);  // "9:07" and "AM"
QString secondsString(const QDateTime &date);     // "5 s"
QString shortDateString(const QDateTime &date);   // "VEN 5"
QString fullDateString(const QDateTime &date);    // "VENERDÌ, 5 DIC"
// The same with the weekday abbreviated ("WED, DEC 10"), for a line too narrow.
QString compactDateString(const QDateTime &date);
// The same with the month's whole name and the language's own case, for speech ("venerdì, 5 dicembre").
QString spokenDateString(const QDateTime &date);
QString weekdayName(const QDateTime &date);       // "Venerdì"
QString dayNumString(const QDateTime &date);      // "5"

// First letter of every word upper case, the rest lower case.
QString capitalized(const QString &text);

// Degrees clockwise from 12 o'clock.
double hourAngle(const QTime &time);
double minuteAngle(const QTime &time);
double secondAngle(const QTime &time);

inline const QString kDefaultCity = QStringLiteral("MILANO");

// The city line after an update: the manual city's first comma-separated piece,
// else the last published weather city, else `current` unchanged.
QString updatedCity(const WeatherSettings &settings, const std::optional<WeatherData> &weather,
                    const QString &current);

}  // namespace ClockText
