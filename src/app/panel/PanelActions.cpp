#include "PanelActions.h"

#include "extensions/ExtensionCatalog.h"
#include "settings/SettingsManager.h"
#include "settings/WidgetNames.h"

namespace panel {

QStringList withDevice(QStringList devices, const QString &key, bool visible)
{
    if (!visible)
        devices.removeAll(key);
    else if (!devices.contains(key))
        devices.append(key);
    return devices;
}

PanelActions::PanelActions(SettingsManager &settings, ControlPanelCallbacks callbacks,
                           const ExtensionCatalog *catalog)
    : m_settings(settings), m_callbacks(std::move(callbacks)), m_catalog(catalog)
{
}

bool PanelActions::isKnownWidget(const QString &name) const
{
    return widgetIndex(name) >= 0 || (m_catalog && m_catalog->widget(name));
}

void PanelActions::setWidgetEnabled(const QString &name, bool on)
{
    if (!isKnownWidget(name))
        return;
    m_settings.setEnabled(name, on);
    if (m_callbacks.onToggleWidget)
        m_callbacks.onToggleWidget(name, on);
}

void PanelActions::setClickThrough(const QString &name, bool on)
{
    if (!isKnownWidget(name))
        return;
    m_settings.setClickThrough(name, on);
    if (m_callbacks.onClickThroughChanged)
        m_callbacks.onClickThroughChanged(name, on);
}

void PanelActions::chooseSize(const QString &name, const QString &size)
{
    if (!isKnownWidget(name))
        return;
    m_settings.setSize(name, size);
    m_settings.saveSetting(size, SettingsManager::sizeKey(name));
    if (m_callbacks.onResizeWidget)
        m_callbacks.onResizeWidget(name, size);
}

void PanelActions::chooseClockStyle(const QString &style)
{
    m_settings.setClockStyle(style);
    m_settings.saveSetting(style, SettingsManager::kClockStyleKey);
    m_settings.updateSharedWidgetData();
}

void PanelActions::setDeviceVisible(const QString &key, bool visible)
{
    const QStringList devices = withDevice(m_settings.batteryVisibleDevices(), key, visible);
    m_settings.setBatteryVisibleDevices(devices);
    m_settings.saveSetting(devices, SettingsManager::kBatteryVisibleDevicesKey);
}

void PanelActions::chooseGlassTheme(const QString &theme)
{
    m_settings.setGlassTheme(theme);
    m_settings.saveSetting(theme, SettingsManager::kGlassThemeKey);
}

void PanelActions::setAutomaticLocation(bool automatic)
{
    WeatherSettings weather = m_settings.weatherSettings();
    weather.useManual = !automatic;
    m_settings.saveWeatherSettings(weather);
}

}  // namespace panel
