#pragma once

// The decoded answers of the three weather services. Field names are the
// services' own keys; keys not listed here are ignored when decoding.

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

struct IPLocation {
    double lat = 0;
    double lon = 0;
    QString city;
    QString country;

    friend bool operator==(const IPLocation &, const IPLocation &) = default;
};

struct GeocodingResponse {
    struct Result {
        QString name;
        double latitude = 0;
        double longitude = 0;
        QString country;

        friend bool operator==(const Result &, const Result &) = default;
    };
    std::optional<QList<Result>> results;

    friend bool operator==(const GeocodingResponse &, const GeocodingResponse &) = default;
};

struct WeatherResponse {
    struct CurrentWeather {
        double temperature_2m = 0;  // degrees Celsius
        int64_t weathercode = 0;    // WMO code as sent
        std::optional<double> relativehumidity_2m;
        std::optional<double> apparent_temperature;
        std::optional<double> windspeed_10m;

        friend bool operator==(const CurrentWeather &, const CurrentWeather &) = default;
    };
    // Parallel arrays, today first; taken as sent, lengths may differ.
    struct DailyForecast {
        QList<QString> time;  // "yyyy-MM-dd"
        QList<int64_t> weathercode;
        QList<double> temperature_2m_max;
        QList<double> temperature_2m_min;

        friend bool operator==(const DailyForecast &, const DailyForecast &) = default;
    };
    CurrentWeather current;
    std::optional<DailyForecast> daily;

    friend bool operator==(const WeatherResponse &, const WeatherResponse &) = default;
};

// Strict: a required key missing or null, a wrong JSON type, a fraction where an
// integer is due or a body that is not one JSON object gives nothing.
// Sane: a temperature outside −100…+100 °C counts as missing (the forecast ends
// before the first such day), and place names are bounded (ValueBounds.h).
// On failure `why` (when given) names the key at fault or the parser's error.
std::optional<IPLocation> decodeIPLocation(const QByteArray &json, QString *why = nullptr);
std::optional<GeocodingResponse> decodeGeocodingResponse(const QByteArray &json, QString *why = nullptr);
std::optional<WeatherResponse> decodeWeatherResponse(const QByteArray &json, QString *why = nullptr);

// Compact JSON with the same keys; nothing when a number is not finite.
std::optional<QByteArray> encodeIPLocation(const IPLocation &location);
std::optional<QByteArray> encodeGeocodingResponse(const GeocodingResponse &response);
std::optional<QByteArray> encodeWeatherResponse(const WeatherResponse &response);
