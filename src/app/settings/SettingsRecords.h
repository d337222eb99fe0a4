#pragma once

// The two records the settings store keeps as JSON text.

#include "shell/Position.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct WeatherSettings {
    bool useManual = false;  // false: the location is found from the IP address
    QString city;
    std::optional<double> lat;
    std::optional<double> lon;

    friend bool operator==(const WeatherSettings &, const WeatherSettings &) = default;
};

// Encoders give nothing for a non-finite number; decoders are strict. A decoded
// position is clamped to the range of X screen coordinates (-32768...32767).
std::optional<QByteArray> encodePosition(const Position &position);
std::optional<Position> decodePosition(const QByteArray &json);
std::optional<QByteArray> encodeWeatherSettings(const WeatherSettings &settings);
std::optional<WeatherSettings> decodeWeatherSettings(const QByteArray &json);
