#include "WeatherRecords.h"

#include "StrictJson.h"
#include "ValueBounds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

// The value when every read succeeded; otherwise nothing, and the failing key
// (under `path`, the place of this object in the document) goes to `why`.
template <typename T>
std::optional<T> valid(const StrictJson &j, T value, QString *why, const QString &path = {})
{
    if (j.ok())
        return std::optional<T>(std::move(value));
    if (why)
        *why = QStringLiteral("key \"%1%2\" missing, null, out of range or of the wrong type").arg(path, j.failedKey());
    return std::nullopt;
}

// Place names are shown and stored: bounded like every name from outside.
QString placeName(StrictJson &j, const QString &key) { return bounds::displayName(j.string(key)); }

// The days from the first implausible temperature on are missing.
QList<double> plausibleDays(QList<double> days)
{
    const auto bad = std::find_if_not(days.cbegin(), days.cend(), bounds::isPlausibleCelsius);
    days.erase(bad, days.cend());
    return days;
}

std::optional<GeocodingResponse::Result> decodeResult(const QJsonValue &value, QString *why)
{
    if (!value.isObject()) {
        if (why)
            *why = QStringLiteral("an element of \"results\" is not an object");
        return std::nullopt;
    }
    StrictJson j(value.toObject());
    GeocodingResponse::Result r{placeName(j, "name"), j.number("latitude"), j.number("longitude"),
                                placeName(j, "country")};
    return valid(j, r, why, QStringLiteral("results[]."));
}

std::optional<WeatherResponse::CurrentWeather> decodeCurrent(const QJsonObject &object, QString *why)
{
    StrictJson j(object);
    const double temperature = j.number("temperature_2m");
    if (j.ok() && !bounds::isPlausibleCelsius(temperature))
        j.fail("temperature_2m");
    WeatherResponse::CurrentWeather c{temperature, j.integer("weathercode"), j.optNumber("relativehumidity_2m"),
                                      bounds::plausibleCelsius(j.optNumber("apparent_temperature")), j.optNumber("windspeed_10m")};
    return valid(j, c, why, QStringLiteral("current."));
}

std::optional<WeatherResponse::DailyForecast> decodeDaily(const QJsonObject &object, QString *why)
{
    StrictJson j(object);
    const auto list = [&j](const QString &key, auto convert) {
        auto values = convert(j.array(key));
        if (!values)
            j.fail(key);
        return values;
    };
    const auto time = list("time", StrictJson::toStrings);
    const auto codes = list("weathercode", StrictJson::toIntegers);
    const auto max = list("temperature_2m_max", StrictJson::toNumbers);
    const auto min = list("temperature_2m_min", StrictJson::toNumbers);
    if (!j.ok())
        return valid(j, WeatherResponse::DailyForecast{}, why, QStringLiteral("daily."));
    return WeatherResponse::DailyForecast{*time, *codes, plausibleDays(*max), plausibleDays(*min)};
}

// Open-Meteo's error object, {"error":true,"reason":...}.
bool isServiceError(const QJsonObject &root, QString *why)
{
    if (!root.value("error").toBool(false))
        return false;
    if (why)
        *why = QStringLiteral("the service's error object: ") + root.value("reason").toString().left(200);
    return true;
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

std::optional<IPLocation> decodeIPLocation(const QByteArray &json, QString *why)
{
    const auto root = parseJsonObject(json, why);
    if (!root)
        return std::nullopt;
    StrictJson j(*root);
    IPLocation l{j.number("lat"), j.number("lon"), placeName(j, "city"), placeName(j, "country")};
    return valid(j, l, why);
}

std::optional<GeocodingResponse> decodeGeocodingResponse(const QByteArray &json, QString *why)
{
    const auto root = parseJsonObject(json, why);
    if (!root)
        return std::nullopt;
    // It has no "results" either; it must not read as "no such city".
    if (isServiceError(*root, why))
        return std::nullopt;
    StrictJson j(*root);
    GeocodingResponse response;
    if (const auto results = j.optArray("results")) {
        const auto list = StrictJson::toList(*results, [why](const QJsonValue &v) { return decodeResult(v, why); });
        if (!list)
            return std::nullopt;
        response.results = *list;
    }
    return valid(j, response, why);
}

std::optional<WeatherResponse> decodeWeatherResponse(const QByteArray &json, QString *why)
{
    const auto root = parseJsonObject(json, why);
    if (!root || isServiceError(*root, why))
        return std::nullopt;
    StrictJson j(*root);
    const QJsonObject currentObject = j.object("current");
    if (!j.ok())
        return valid(j, WeatherResponse{}, why);
    const auto current = decodeCurrent(currentObject, why);
    if (!current)
        return std::nullopt;
    WeatherResponse response{*current, std::nullopt};
    if (const auto daily = j.optObject("daily")) {
        response.daily = decodeDaily(*daily, why);
        if (!response.daily)
            return std::nullopt;
    }
    return valid(j, response, why);
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
