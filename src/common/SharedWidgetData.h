#pragma once

// The record the app publishes to the shared file and the extension reads back.
// The battery and music collectors return these same values.

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

struct BatteryDevice {
    QString id;       // "macbook", or derived from the name, so equal names share an id
    QString name;
    int64_t percent = 0;
    bool charging = false;
    QString type;     // "macbook", "mouse", "keyboard", "trackpad", "pencil", "airpods", "watch", "accessory"

    friend bool operator==(const BatteryDevice &, const BatteryDevice &) = default;
};

struct WeatherData {
    std::optional<QString> city;
    std::optional<double> temp;
    std::optional<int64_t> code;
    std::optional<double> apparent;

    friend bool operator==(const WeatherData &, const WeatherData &) = default;
};

struct MusicData {
    std::optional<QString> track;
    std::optional<QString> artist;
    std::optional<QString> artwork;
    std::optional<QString> source;  // "spotify" or "music"
    bool playing = false;

    friend bool operator==(const MusicData &, const MusicData &) = default;
};

struct SharedWidgetData {
    std::optional<QList<BatteryDevice>> battery;
    std::optional<QString> clockStyle;
    std::optional<WeatherData> weather;
    std::optional<MusicData> music;

    friend bool operator==(const SharedWidgetData &, const SharedWidgetData &) = default;
};
