#pragma once

// What each desktop widget tells assistive technology: what it shows, as one
// line in the interface's language, with the units and formats of the screen.

#include "BatteryWidgetLayout.h"
#include "SharedWidgetData.h"
#include "WeatherViewState.h"

#include <QDateTime>
#include <QList>
#include <QString>

// "09:07, venerdì, 5 dicembre, Milano"; with the seconds after the time when `withSeconds`.
QString clockSpeech(const QDateTime &date, const QString &city, bool withSeconds = false);
// The loading or error text as shown, or city, temperature, condition and high
// and low, then the forecast days in the medium size.
QString weatherSpeech(const WeatherViewState &state, bool medium);
// Each ring's name, level and charging state.
QString batterySpeech(const QList<BatteryRingSpec> &rings);
// Title, artist, player and that it plays; the waiting text while nothing plays.
QString musicSpeech(const MusicData &music, const QString &playerName);
