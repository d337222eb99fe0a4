#include "SettingsManager.h"

#include "JsonSettingsFormat.h"
#include "SharedDataFile.h"
#include "WidgetNames.h"

#include <QStandardPaths>

namespace {

bool readBool(const QVariant &v)
{
    return v.typeId() == QMetaType::Bool && v.toBool();
}

QString readString(const QVariant &v, const QString &fallback)
{
    return v.typeId() == QMetaType::QString ? v.toString() : fallback;
}

std::optional<QStringList> readStringList(const QVariant &v)
{
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList();
    if (v.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QStringList list;
    for (const QVariant &e : v.toList()) {
        if (e.typeId() != QMetaType::QString)
            return std::nullopt;
        list.append(e.toString());
    }
    return list;
}

// A data value: the JSON text the store keeps as a blob (a string in our JSON file).
std::optional<QByteArray> readData(const QVariant &v)
{
    if (v.typeId() == QMetaType::QByteArray || v.typeId() == QMetaType::QString)
        return v.toByteArray();
    return std::nullopt;
}

int indexOf(const QString &widget)
{
    const int i = widgetIndex(widget);
    Q_ASSERT_X(i >= 0, "SettingsManager", "unknown widget name");
    return i < 0 ? 0 : i;
}

}  // namespace

SettingsManager &SettingsManager::shared()
{
    static SettingsManager instance(defaultStorePath());
    return instance;
}

QString SettingsManager::defaultStorePath()
{
#ifdef Q_OS_MACOS
    return {};  // the native preferences domain of the app group
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           kAppGroupIdentifier + ".json";
#endif
}

SettingsManager::SettingsManager(const QString &storePath, QObject *parent)
    : QObject(parent),
      m_defaults(storePath.isEmpty() ? std::make_unique<QSettings>(kAppGroupIdentifier)
                                     : std::make_unique<QSettings>(storePath, jsonSettingsFormat())),
      m_sharedDataPath(sharedDataFilePath())
{
    m_widgets[widgetIndex("music")].size = "medium";
    loadSettings();
}

SettingsManager::~SettingsManager() = default;

QVariant SettingsManager::stored(const QString &key) const
{
    return m_defaults->value(key);
}

template <typename T>
void SettingsManager::assign(T &field, const T &value, const QString &property)
{
    emit willChange(property);
    field = value;
    emit changed(property);
}

void SettingsManager::loadSettings()
{
    for (const QString &w : kWidgetNames)
        setEnabled(w, readBool(stored(enabledKey(w))));
    for (const QString &w : kWidgetNames)
        setClickThrough(w, readBool(stored(clickThroughKey(w))));
    for (const QString &w : kWidgetNames)
        setSize(w, readString(stored(sizeKey(w)), w == "music" ? "medium" : "small"));
    setClockStyle(readString(stored(kClockStyleKey), "analog"));
    setGlassTheme(readString(stored(kGlassThemeKey), "transparent"));
    if (const auto data = readData(stored(kWeatherKey)))
        setWeatherSettings(decodeWeatherSettings(*data).value_or(WeatherSettings{}));
    setBatteryVisibleDevices(
        readStringList(stored(kBatteryVisibleDevicesKey)).value_or(defaultBatteryVisibleDevices()));
}

void SettingsManager::saveSetting(const QVariant &value, const QString &key)
{
    m_defaults->setValue(key, value);
    m_defaults->sync();
}

void SettingsManager::saveWeatherSettings(const WeatherSettings &settings)
{
    const auto data = encodeWeatherSettings(settings);
    if (!data)
        return;
    m_defaults->setValue(kWeatherKey, *data);
    m_defaults->sync();
    setWeatherSettings(settings);
}

std::optional<Position> SettingsManager::getPosition(const QString &widget) const
{
    m_defaults->sync();  // picks up the file as it is on disk now
    const auto data = readData(stored(positionKey(widget)));
    return data ? decodePosition(*data) : std::nullopt;
}

void SettingsManager::setPosition(const std::optional<Position> &position, const QString &widget)
{
    if (!position) {
        m_defaults->remove(positionKey(widget));
    } else if (const auto data = encodePosition(*position)) {
        m_defaults->setValue(positionKey(widget), *data);
    }
    m_defaults->sync();
}

void SettingsManager::updateSharedWidgetData()
{
    SharedWidgetData copy = m_sharedData;
    copy.clockStyle = m_clockStyle;
    writeSharedDataFile(m_sharedDataPath, copy);
}

bool SettingsManager::isEnabled(const QString &widget) const
{
    return m_widgets[indexOf(widget)].enabled;
}

void SettingsManager::setEnabled(const QString &widget, bool on)
{
    assign(m_widgets[indexOf(widget)].enabled, on, widget + "Enabled");
}

bool SettingsManager::isClickThrough(const QString &widget) const
{
    return m_widgets[indexOf(widget)].clickThrough;
}

void SettingsManager::setClickThrough(const QString &widget, bool on)
{
    assign(m_widgets[indexOf(widget)].clickThrough, on, widget + "ClickThrough");
}

QString SettingsManager::size(const QString &widget) const
{
    return m_widgets[indexOf(widget)].size;
}

void SettingsManager::setSize(const QString &widget, const QString &size)
{
    assign(m_widgets[indexOf(widget)].size, size, widget + "Size");
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
