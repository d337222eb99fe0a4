#pragma once

// Answers in the services' real formats, extra keys included, for tests.

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <functional>

namespace pellix::test {

inline const QByteArray kIpApiAnswer =
    R"({"status":"success","country":"Italy","city":"Milan","lat":45.4642,"lon":9.1895,"query":"93.44.1.2"})";

inline const QByteArray kIpApiFailure = R"({"status":"fail","message":"private range","query":"127.0.0.1"})";

inline const QByteArray kGeocodingMilano = R"({"results":[{"id":3173435,"name":"Milano","latitude":45.46427,
"longitude":9.18951,"elevation":122.0,"feature_code":"PPLA","country_code":"IT","admin1_id":3174618,
"admin2_id":3173434,"timezone":"Europe/Rome","population":1371498,"postcodes":["20121","20122"],
"country_id":3175395,"country":"Italia","admin1":"Lombardia","admin2":"Milano"}],"generationtime_ms":0.7}
)";

inline const QByteArray kOpenMeteoError = R"({"error":true,"reason":"Parameter 'name' is required"})";

inline const QByteArray kForecast = R"({"latitude":45.46,"longitude":9.18,"generationtime_ms":0.061,
"utc_offset_seconds":3600,"timezone":"Europe/Rome","timezone_abbreviation":"CET","elevation":122.0,
"current_units":{"time":"iso8601","interval":"seconds","temperature_2m":"°C","weathercode":"wmo code",
"windspeed_10m":"km/h","relativehumidity_2m":"%","apparent_temperature":"°C"},
"current":{"time":"2026-12-07T10:15","interval":900,"temperature_2m":6.3,"weathercode":3,
"windspeed_10m":4.2,"relativehumidity_2m":87,"apparent_temperature":3.9},
"daily_units":{"time":"iso8601","weathercode":"wmo code","temperature_2m_max":"°C","temperature_2m_min":"°C"},
"daily":{"time":["2026-12-07","2026-12-08","2026-12-09","2026-12-10","2026-12-11"],
"weathercode":[3,61,45,0,80],"temperature_2m_max":[8.1,7.4,9.5,10.2,-2.5],
"temperature_2m_min":[2.3,4.1,3.0,1.8,-0.4]}})";

// `json` with `value` put at the path of object keys (Undefined removes the key).
inline QByteArray edited(const QByteArray &json, const QStringList &path, const QJsonValue &value)
{
    const std::function<QJsonObject(QJsonObject, int)> edit = [&](QJsonObject o, int depth) {
        if (depth + 1 < path.size())
            o.insert(path[depth], edit(o.value(path[depth]).toObject(), depth + 1));
        else if (value.isUndefined())
            o.remove(path[depth]);
        else
            o.insert(path[depth], value);
        return o;
    };
    return QJsonDocument(edit(QJsonDocument::fromJson(json).object(), 0)).toJson(QJsonDocument::Compact);
}

}  // namespace pellix::test
