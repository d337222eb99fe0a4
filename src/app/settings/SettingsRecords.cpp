#include "SettingsRecords.h"

#include "StrictJson.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

static bool finite(const std::optional<double> &v)
{
    return !v || std::isfinite(*v);
}

// X keeps window coordinates in 16 bits; beyond them a hand-edited 1e308 would
// overflow the window geometry's integers.
static double clampToScreen(double coordinate)
{
    return std::clamp(coordinate, -32768.0, 32767.0);
}

std::optional<QByteArray> encodePosition(const Position &position)
{
    if (!std::isfinite(position.x) || !std::isfinite(position.y))
        return std::nullopt;
    return QJsonDocument(QJsonObject{{"x", position.x}, {"y", position.y}}).toJson(QJsonDocument::Compact);
}

std::optional<Position> decodePosition(const QByteArray &json)
{
    const auto object = parseJsonObject(json);
    if (!object)
        return std::nullopt;
    StrictJson j(*object);
    const double x = j.number("x");
    const double y = j.number("y");
    if (!j.ok() || !std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    return Position{clampToScreen(x), clampToScreen(y)};
}

std::optional<QByteArray> encodeWeatherSettings(const WeatherSettings &s)
{
    if (!finite(s.lat) || !finite(s.lon))
        return std::nullopt;
    QJsonObject o{{"useManual", s.useManual}, {"city", s.city}};
    if (s.lat)
        o.insert("lat", *s.lat);
    if (s.lon)
        o.insert("lon", *s.lon);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<WeatherSettings> decodeWeatherSettings(const QByteArray &json)
{
    const auto object = parseJsonObject(json);
    if (!object)
        return std::nullopt;
    StrictJson j(*object);
    WeatherSettings s{j.boolean("useManual"), j.string("city"), j.optNumber("lat"), j.optNumber("lon")};
    return j.ok() ? std::optional(s) : std::nullopt;
}
