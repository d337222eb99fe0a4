#include "WeatherRecords.h"

#include "StrictJson.h"
#include "ValueBounds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

template <typename T>
std::optional<T> valid(const StrictJson &j, T value)
{
    return j.ok() ? std::optional<T>(std::move(value)) : std::nullopt;
}

// Place names are shown and stored: bounded like every name from outside.
QString placeName(StrictJson &j, const QString &key) { return bounds::displayName(j.string(key)); }

// A temperature no weather can have (1.7e308, −300) is read as missing: a
// required one fails the decode, an optional one is absent.
std::optional<double> plausible(std::optional<double> celsius)
{
    return celsius && bounds::isPlausibleCelsius(*celsius) ? celsius : std::nullopt;
}

// The days from the first implausible temperature on are missing.
QList<double> plausibleDays(QList<double> days)
{
    const auto bad = std::find_if_not(days.cbegin(), days.cend(), bounds::isPlausibleCelsius);
    days.erase(bad, days.cend());
    return days;
}

std::optional<GeocodingResponse::Result> decodeResult(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    StrictJson j(value.toObject());
    GeocodingResponse::Result r{placeName(j, "name"), j.number("latitude"), j.number("longitude"),
                                placeName(j, "country")};
    return valid(j, r);
}

std::optional<WeatherResponse::CurrentWeather> decodeCurrent(const QJsonObject &object)
{
    StrictJson j(object);
    const double temperature = j.number("temperature_2m");
    if (j.ok() && !bounds::isPlausibleCelsius(temperature))
        j.fail();
    WeatherResponse::CurrentWeather c{temperature, j.integer("weathercode"), j.optNumber("relativehumidity_2m"),
                                      plausible(j.optNumber("apparent_temperature")), j.optNumber("windspeed_10m")};
    return valid(j, c);
}

std::optional<WeatherResponse::DailyForecast> decodeDaily(const QJsonObject &object)
{
    StrictJson j(object);
    const auto time = StrictJson::toStrings(j.array("time"));
    const auto codes = StrictJson::toIntegers(j.array("weathercode"));
    const auto max = StrictJson::toNumbers(j.array("temperature_2m_max"));
    const auto min = StrictJson::toNumbers(j.array("temperature_2m_min"));
    if (!j.ok() || !time || !codes || !max || !min)
        return std::nullopt;
    return WeatherResponse::DailyForecast{*time, *codes, plausibleDays(*max), plausibleDays(*min)};
}

bool isFinite(double v) { return std::isfinite(v); }
bool isFinite(const std::optional<double> &v) { return !v || std::isfinite(*v); }

template <typename T>
QJsonArray toArray(const QList<T> &list)
{
    QJsonArray a;
    for (const T &v : list) {
        if constexpr (std::is_same_v<T, int64_t>)
            a.append(QJsonValue(qint64(v)));
        else
            a.append(v);
    }
    return a;
}

QByteArray compact(const QJsonObject &o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

}  // namespace

std::optional<IPLocation> decodeIPLocation(const QByteArray &json)
{
    const auto root = parseJsonObject(json);
    if (!root)
        return std::nullopt;
    StrictJson j(*root);
    IPLocation l{j.number("lat"), j.number("lon"), placeName(j, "city"), placeName(j, "country")};
    return valid(j, l);
}

std::optional<GeocodingResponse> decodeGeocodingResponse(const QByteArray &json)
{
    const auto root = parseJsonObject(json);
    if (!root)
        return std::nullopt;
    // Open-Meteo's error object ({"error":true,"reason":...}) has no "results"
    // either; it must not read as "no such city".
    if (root->value("error").toBool(false))
        return std::nullopt;
    StrictJson j(*root);
    GeocodingResponse response;
    if (const auto results = j.optArray("results")) {
        const auto list = StrictJson::toList(*results, decodeResult);
        if (!list)
            return std::nullopt;
        response.results = *list;
    }
    return valid(j, response);
}

std::optional<WeatherResponse> decodeWeatherResponse(const QByteArray &json)
{
    const auto root = parseJsonObject(json);
    if (!root)
        return std::nullopt;
    StrictJson j(*root);
    const auto current = decodeCurrent(j.object("current"));
    if (!j.ok() || !current)
        return std::nullopt;
    WeatherResponse response{*current, std::nullopt};
    if (const auto daily = j.optObject("daily")) {
        response.daily = decodeDaily(*daily);
        if (!response.daily)
            return std::nullopt;
    }
    return valid(j, response);
}

std::optional<QByteArray> encodeIPLocation(const IPLocation &l)
{
    if (!isFinite(l.lat) || !isFinite(l.lon))
        return std::nullopt;
    return compact({{"lat", l.lat}, {"lon", l.lon}, {"city", l.city}, {"country", l.country}});
}

std::optional<QByteArray> encodeGeocodingResponse(const GeocodingResponse &response)
{
    QJsonObject root;
    if (response.results) {
        QJsonArray results;
        for (const auto &r : *response.results) {
            if (!isFinite(r.latitude) || !isFinite(r.longitude))
                return std::nullopt;
            results.append(QJsonObject{{"name", r.name},
                                       {"latitude", r.latitude},
                                       {"longitude", r.longitude},
                                       {"country", r.country}});
        }
        root.insert("results", results);
    }
    return compact(root);
}

std::optional<QByteArray> encodeWeatherResponse(const WeatherResponse &response)
{
    const auto &c = response.current;
    if (!isFinite(c.temperature_2m) || !isFinite(c.relativehumidity_2m) || !isFinite(c.apparent_temperature)
        || !isFinite(c.windspeed_10m))
        return std::nullopt;
    QJsonObject current{{"temperature_2m", c.temperature_2m}, {"weathercode", QJsonValue(qint64(c.weathercode))}};
    if (c.relativehumidity_2m)
        current.insert("relativehumidity_2m", *c.relativehumidity_2m);
    if (c.apparent_temperature)
        current.insert("apparent_temperature", *c.apparent_temperature);
    if (c.windspeed_10m)
        current.insert("windspeed_10m", *c.windspeed_10m);
    QJsonObject root{{"current", current}};
    if (const auto &d = response.daily) {
        for (const auto *list : {&d->temperature_2m_max, &d->temperature_2m_min})
            for (double v : *list)
                if (!isFinite(v))
                    return std::nullopt;
        root.insert("daily", QJsonObject{{"time", toArray(d->time)},
                                         {"weathercode", toArray(d->weathercode)},
                                         {"temperature_2m_max", toArray(d->temperature_2m_max)},
                                         {"temperature_2m_min", toArray(d->temperature_2m_min)}});
    }
    return compact(root);
}
