#pragma once

// The widget's texts in the languages it speaks: Italian, English, German,
// French and Spanish; any other language gets English.

#include <QString>

struct SystemTexts {
    QString displayName;
    QString description;
    QString memory;
    QString disk;
    QString uptime;      // %1: a duration()
    QString ofTotal;     // "%1 of %2 GB"
    QString percent;     // "%1%" or "%1 %"
    QString days;        // the day and hour symbols of a duration
    QString hours;
    QString minutes;
};

SystemTexts systemTexts(const QString &language);

// Seconds as the largest two units: "3 d 4 h", "5 h 12 min", "7 min".
QString duration(const SystemTexts &texts, qint64 seconds);
