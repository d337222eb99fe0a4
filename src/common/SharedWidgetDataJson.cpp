#include "SharedWidgetDataJson.h"

#include "StrictJson.h"
#include "ValueBounds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

template <typename T>
void putOptional(QJsonObject &object, const QString &key, const std::optional<T> &value)
{
    if (value)
        object.insert(key, QJsonValue(*value));
}

QJsonObject encodeDevice(const BatteryDevice &d)
{
    return QJsonObject{
        {"id", d.id},
        {"name", d.name},
        {"percent", QJsonValue(qint64(d.percent))},
        {"charging", d.charging},
        {"type", d.type},
    };
}

std::optional<QJsonObject> encodeWeather(const WeatherData &w)
{
    const auto finite = [](const std::optional<double> &v) { return !v || std::isfinite(*v); };
    if (!finite(w.temp) || !finite(w.apparent))
        return std::nullopt;
    QJsonObject o;
    putOptional(o, "city", w.city);
    putOptional(o, "temp", w.temp);
    if (w.code)
        o.insert("code", QJsonValue(qint64(*w.code)));
    putOptional(o, "apparent", w.apparent);
    return o;
}

QJsonObject encodeMusic(const MusicData &m)
{
    QJsonObject o;
    putOptional(o, "track", m.track);
    putOptional(o, "artist", m.artist);
    putOptional(o, "artwork", m.artwork);
    putOptional(o, "source", m.source);
    o.insert("playing", m.playing);
    return o;
}

std::optional<BatteryDevice> decodeDevice(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    StrictJson j(value.toObject());
    // Read with the bounds the app applies to its sources: a value it would never
    // have written is brought within range, or missing (a temperature).
    BatteryDevice d{j.string("id"), bounds::displayName(j.string("name")), bounds::clampPercent(j.integer("percent")),
                    j.boolean("charging"), j.string("type")};
    return j.ok() ? std::optional(d) : std::nullopt;
}

std::optional<WeatherData> decodeWeather(const QJsonObject &object)
{
    StrictJson j(object);
    WeatherData w{j.optString("city"), bounds::plausibleCelsius(j.optNumber("temp")), j.optInteger("code"),
                  bounds::plausibleCelsius(j.optNumber("apparent"))};
    return j.ok() ? std::optional(w) : std::nullopt;
}

std::optional<MusicData> decodeMusic(const QJsonObject &object)
{
    StrictJson j(object);
    MusicData m{j.optString("track"), j.optString("artist"), j.optString("artwork"), j.optString("source"),
                j.boolean("playing")};
    return j.ok() ? std::optional(m) : std::nullopt;
}

}  // namespace

std::optional<QByteArray> encodeSharedWidgetData(const SharedWidgetData &data)
{
    QJsonObject root;
    if (data.battery) {
        QJsonArray devices;
        for (const BatteryDevice &d : *data.battery)
            devices.append(encodeDevice(d));
        root.insert("battery", devices);
    }
    putOptional(root, "clockStyle", data.clockStyle);
    if (data.weather) {
        const auto weather = encodeWeather(*data.weather);
        if (!weather)
            return std::nullopt;
        root.insert("weather", *weather);
    }
    if (data.music)
        root.insert("music", encodeMusic(*data.music));
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<SharedWidgetData> decodeSharedWidgetData(const QByteArray &json)
{
    const auto root = parseJsonObject(json);
    if (!root)
        return std::nullopt;
    StrictJson j(*root);
    SharedWidgetData data;
    if (const auto devices = j.optArray("battery")) {
        data.battery = StrictJson::toList(*devices, decodeDevice);
        if (!data.battery)
            return std::nullopt;
    }
    data.clockStyle = j.optString("clockStyle");
    if (const auto weather = j.optObject("weather")) {
        data.weather = decodeWeather(*weather);
        if (!data.weather)
            return std::nullopt;
    }
    if (const auto music = j.optObject("music")) {
        data.music = decodeMusic(*music);
        if (!data.music)
            return std::nullopt;
    }
    if (!j.ok())
        return std::nullopt;
    return data;
}
