#pragma once

// Where the three weather services live and how their request URLs are built.

#include <QString>
#include <QUrl>

#include <optional>

struct WeatherEndpoints {
    QString ipLocation = "http://ip-api.com";
    QString geocoding = "https://geocoding-api.open-meteo.com";
    QString forecast = "https://api.open-meteo.com";

    // The defaults, each overridden by PELLIX_IPLOCATION_URL, PELLIX_GEOCODING_URL
    // or PELLIX_FORECAST_URL when set and not empty.
    static WeatherEndpoints fromEnvironment();
};

// The shortest decimal text that reads back to the same double, always with a
// fractional part and never in exponent form: 45.0, 45.4642, -0.5, 0.00001.
// Nothing for a value that is not finite.
std::optional<QString> coordinateText(double value);

// The text as one query value: every UTF-8 byte outside the unreserved characters
// (letters, digits, - . _ ~) becomes %XX, so "&", "=", "+", "#" and "?" cannot end
// the value or start another. Nothing for text that is not valid UTF-16.
std::optional<QByteArray> encodeQueryValue(const QString &text);

// Full request URLs; nothing when the base is not an absolute http(s) URL with a
// host, or an argument cannot be written.
std::optional<QUrl> ipLocationUrl(const QString &base);
// Place names come back in `language` (a two-letter code).
std::optional<QUrl> geocodingUrl(const QString &base, const QString &name,
                                 const QString &language = QStringLiteral("it"));
std::optional<QUrl> forecastUrl(const QString &base, double latitude, double longitude);
