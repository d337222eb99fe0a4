#pragma once

#include "Colors.h"
#include "monitors/WeatherRecords.h"

#include <QColor>
#include <QString>

#include <optional>

// What the weather widget shows; the view paints nothing else.
struct WeatherViewState {
    bool loading = true;
    std::optional<WeatherResponse> weatherData;  // last forecast received, kept across failures
    QString cityName = QStringLiteral("MILANO");
    bool connectionError = false;
    QColor glowColor = pellix::ui::clear();
};
