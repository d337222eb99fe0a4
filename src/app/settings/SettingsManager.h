#pragma once

#include "SettingsRecords.h"
#include "SharedDataWriter.h"
#include "SharedWidgetData.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

#include <array>
#include <map>
#include <memory>
#include <optional>

class SettingsStore;

// The app's one settings object. Assigning a property only changes memory and
// notifies; persistence is explicit (saveSetting, saveWeatherSettings,
// setPosition), each written through at once. A widget name other than the four
// and the extension widgets' "ext:" names reads as the defaults and assignments
// to it do nothing.
class SettingsManager : public QObject {
    Q_OBJECT

public:
    static SettingsManager &shared();

    // A store on its own file (tests, tools). shared() uses defaultStorePath().
    explicit SettingsManager(const QString &storePath, QObject *parent = nullptr);
    ~SettingsManager() override;
    static QString defaultStorePath();

    void loadSettings();
    void saveSetting(const QVariant &value, const QString &key);
    void saveWeatherSettings(const WeatherSettings &settings);
    std::optional<Position> getPosition(const QString &widget) const;  // read from the store every time
    void setPosition(const std::optional<Position> &position, const QString &widget);
    void updateSharedWidgetData();

    static QString enabledKey(const QString &widget) { return "widget." + widget + ".enabled"; }
    static QString clickThroughKey(const QString &widget) { return "widget." + widget + ".clickThrough"; }
    static QString sizeKey(const QString &widget) { return "widget." + widget + ".size"; }
    static QString positionKey(const QString &widget) { return "widget." + widget + ".position"; }
    static constexpr char kClockStyleKey[] = "widget.clock.style";
    static constexpr char kGlassThemeKey[] = "glass-theme";
    static constexpr char kWeatherKey[] = "weather";
    static constexpr char kBatteryVisibleDevicesKey[] = "widget.battery.visibleDevices";
    static QStringList defaultBatteryVisibleDevices() { return {"macbook", "watch", "mouse", "airpods"}; }

    // Per widget, by name ("clock", "weather", "battery", "music").
    bool isEnabled(const QString &widget) const;
    void setEnabled(const QString &widget, bool on);
    bool isClickThrough(const QString &widget) const;
    void setClickThrough(const QString &widget, bool on);
    QString size(const QString &widget) const;
    void setSize(const QString &widget, const QString &size);

    bool clockEnabled() const { return isEnabled("clock"); }
    bool weatherEnabled() const { return isEnabled("weather"); }
    bool batteryEnabled() const { return isEnabled("battery"); }
    bool musicEnabled() const { return isEnabled("music"); }
    bool clockClickThrough() const { return isClickThrough("clock"); }
    bool weatherClickThrough() const { return isClickThrough("weather"); }
    bool batteryClickThrough() const { return isClickThrough("battery"); }
    bool musicClickThrough() const { return isClickThrough("music"); }
    QString clockSize() const { return size("clock"); }
    QString weatherSize() const { return size("weather"); }
    QString batterySize() const { return size("battery"); }
    QString musicSize() const { return size("music"); }

    QString clockStyle() const { return m_clockStyle; }
    void setClockStyle(const QString &style);
    QString glassTheme() const { return m_glassTheme; }
    void setGlassTheme(const QString &theme);
    WeatherSettings weatherSettings() const { return m_weatherSettings; }
    void setWeatherSettings(const WeatherSettings &settings);
    QStringList batteryVisibleDevices() const { return m_batteryVisibleDevices; }
    void setBatteryVisibleDevices(const QStringList &devices);
    SharedWidgetData sharedData() const { return m_sharedData; }
    void setSharedData(const SharedWidgetData &data);

    std::optional<Position> clockPosition() const { return getPosition("clock"); }
    std::optional<Position> weatherPosition() const { return getPosition("weather"); }
    std::optional<Position> batteryPosition() const { return getPosition("battery"); }
    std::optional<Position> musicPosition() const { return getPosition("music"); }
    void setClockPosition(const std::optional<Position> &p) { setPosition(p, "clock"); }
    void setWeatherPosition(const std::optional<Position> &p) { setPosition(p, "weather"); }
    void setBatteryPosition(const std::optional<Position> &p) { setPosition(p, "battery"); }
    void setMusicPosition(const std::optional<Position> &p) { setPosition(p, "music"); }

    // Where updateSharedWidgetData writes; the platform's shared container by default.
    QString sharedDataPath() const { return m_sharedDataPath; }
    void setSharedDataPath(const QString &path) { m_sharedDataPath = path; }

signals:
    // Every assignment, also of an equal value, once the new value is visible.
    // `property` is the field's name ("clockEnabled").
    void changed(const QString &property);

private:
    template <typename T>
    void assign(T &field, const T &value, const QString &property);

    struct WidgetSettings {
        bool enabled = false;
        bool clickThrough = false;
        QString size = "small";
    };
    const WidgetSettings *widgetSettings(const QString &widget) const;
    WidgetSettings *widgetSettings(const QString &widget);

    std::unique_ptr<SettingsStore> m_defaults;
    std::array<WidgetSettings, 4> m_widgets;
    // Extension widgets' switches, read from the store when first asked for.
    mutable std::map<QString, WidgetSettings> m_extensionWidgets;
    QString m_clockStyle = "analog";
    QString m_glassTheme = "transparent";
    WeatherSettings m_weatherSettings;
    QStringList m_batteryVisibleDevices = defaultBatteryVisibleDevices();
    SharedWidgetData m_sharedData;
    QString m_sharedDataPath;
    SharedDataWriter m_sharedDataWriter;
};
