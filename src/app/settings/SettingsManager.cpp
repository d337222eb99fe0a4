#include "SettingsManager.h"

#include "SettingsFile.h"
#include "SettingsStore.h"
#include "SharedDataFile.h"
#include "StrictJson.h"
#include "WidgetNames.h"

#include <QJsonArray>
#include <QStandardPaths>

namespace {

bool readBool(const QJsonValue &v)
{
    return v.isBool() && v.toBool();
}

QString readString(const QJsonValue &v, const QString &fallback)
{
    return v.isString() ? v.toString() : fallback;
}

std::optional<QStringList> readStringList(const QJsonValue &v)
{
    return v.isArray() ? StrictJson::toStrings(v.toArray()) : std::nullopt;
}

// A data value: the JSON text the store keeps in a string.
std::optional<QByteArray> readData(const QJsonValue &v)
{
    return v.isString() ? std::optional(v.toString().toUtf8()) : std::nullopt;
}

}  // namespace

SettingsManager &SettingsManager::shared()
{
    static SettingsManager instance(defaultStorePath());
    return instance;
}

QString SettingsManager::defaultStorePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           kAppGroupIdentifier + ".json";
}

SettingsManager::SettingsManager(const QString &storePath, QObject *parent)
    : QObject(parent), m_defaults(std::make_unique<SettingsStore>(storePath)), m_sharedDataPath(sharedDataFilePath())
{
    m_widgets[widgetIndex("music")].size = "medium";
    loadSettings();
}

SettingsManager::~SettingsManager() = default;

auto SettingsManager::widgetSettings(const QString &widget) const -> const WidgetSettings *
{
    return const_cast<SettingsManager *>(this)->widgetSettings(widget);
}

auto SettingsManager::widgetSettings(const QString &widget) -> WidgetSettings *
{
    const int i = widgetIndex(widget);
    if (i >= 0)
        return &m_widgets[i];
    if (!isExtensionWidgetName(widget))
        return nullptr;
    auto found = m_extensionWidgets.find(widget);
    if (found == m_extensionWidgets.end()) {
        // No size until one is chosen, so that the widget's own default applies.
        const QJsonObject stored = m_defaults->values();
        const WidgetSettings read{readBool(stored.value(enabledKey(widget))),
                                  readBool(stored.value(clickThroughKey(widget))),
                                  readString(stored.value(sizeKey(widget)), QString())};
        found = m_extensionWidgets.emplace(widget, read).first;
    }
    return &found->second;
}

template <typename T>
void SettingsManager::assign(T &field, const T &value, const QString &property)
{
    field = value;
    emit changed(property);
}

void SettingsManager::loadSettings()
{
    const QJsonObject stored = m_defaults->values();
    m_extensionWidgets.clear();
    for (const QString &w : kWidgetNames)
        setEnabled(w, readBool(stored.value(enabledKey(w))));
    for (const QString &w : kWidgetNames)
        setClickThrough(w, readBool(stored.value(clickThroughKey(w))));
    for (const QString &w : kWidgetNames)
        setSize(w, readString(stored.value(sizeKey(w)), w == "music" ? "medium" : "small"));
    setClockStyle(readString(stored.value(kClockStyleKey), "analog"));
    setGlassTheme(readString(stored.value(kGlassThemeKey), "transparent"));
    if (const auto data = readData(stored.value(kWeatherKey)))
        setWeatherSettings(decodeWeatherSettings(*data).value_or(WeatherSettings{}));
    setBatteryVisibleDevices(
        readStringList(stored.value(kBatteryVisibleDevicesKey)).value_or(defaultBatteryVisibleDevices()));
}

void SettingsManager::saveSetting(const QVariant &value, const QString &key)
{
    m_defaults->set(key, toSettingsValue(value));
}

void SettingsManager::saveWeatherSettings(const WeatherSettings &settings)
{
    const auto data = encodeWeatherSettings(settings);
    if (!data)
        return;
    m_defaults->set(kWeatherKey, QString::fromUtf8(*data));
    setWeatherSettings(settings);
}

std::optional<Position> SettingsManager::getPosition(const QString &widget) const
{
    if (!widgetSettings(widget))
        return std::nullopt;
    const auto data = readData(m_defaults->values().value(positionKey(widget)));
    return data ? decodePosition(*data) : std::nullopt;
}

void SettingsManager::setPosition(const std::optional<Position> &position, const QString &widget)
{
    if (!widgetSettings(widget))
        return;
    if (!position) {
        m_defaults->set(positionKey(widget), std::nullopt);
    } else if (const auto data = encodePosition(*position)) {
        m_defaults->set(positionKey(widget), QString::fromUtf8(*data));
    }
}

void SettingsManager::updateSharedWidgetData()
{
    SharedWidgetData copy = m_sharedData;
    copy.clockStyle = m_clockStyle;
    m_sharedDataWriter.write(m_sharedDataPath, copy);
}

bool SettingsManager::isEnabled(const QString &widget) const
{
    const WidgetSettings *w = widgetSettings(widget);
    return w && w->enabled;
}

void SettingsManager::setEnabled(const QString &widget, bool on)
{
    if (WidgetSettings *w = widgetSettings(widget))
        assign(w->enabled, on, widget + "Enabled");
}

bool SettingsManager::isClickThrough(const QString &widget) const
{
    const WidgetSettings *w = widgetSettings(widget);
    return w && w->clickThrough;
}

void SettingsManager::setClickThrough(const QString &widget, bool on)
{
    if (WidgetSettings *w = widgetSettings(widget))
        assign(w->clickThrough, on, widget + "ClickThrough");
}

QString SettingsManager::size(const QString &widget) const
{
    const WidgetSettings *w = widgetSettings(widget);
    return w ? w->size : WidgetSettings{}.size;
}

void SettingsManager::setSize(const QString &widget, const QString &size)
{
    if (WidgetSettings *w = widgetSettings(widget))
        assign(w->size, size, widget + "Size");
}

void SettingsManager::setClockStyle(const QString &style)
{
    assign(m_clockStyle, style, "clockStyle");
}

void SettingsManager::setGlassTheme(const QString &theme)
{
    assign(m_glassTheme, theme, "glassTheme");
}

void SettingsManager::setWeatherSettings(const WeatherSettings &settings)
{
    assign(m_weatherSettings, settings, "weatherSettings");
}

void SettingsManager::setBatteryVisibleDevices(const QStringList &devices)
{
    assign(m_batteryVisibleDevices, devices, "batteryVisibleDevices");
}

void SettingsManager::setSharedData(const SharedWidgetData &data)
{
    assign(m_sharedData, data, "sharedData");
}
