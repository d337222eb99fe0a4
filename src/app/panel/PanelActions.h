#pragma once

// What each control of the panel does, in this order: assign the settings
// property, save it under its key where the panel owns that, tell the widget
// manager where a window must follow. The enabled and click-through flags are
// saved by the widget manager when it gets the callback, not here.

#include "ControlPanelCallbacks.h"

#include <QString>
#include <QStringList>

class ExtensionCatalog;
class SettingsManager;

namespace panel {

// `devices` with `key` appended unless present (visible), or with every occurrence removed.
QStringList withDevice(QStringList devices, const QString &key, bool visible);

class PanelActions {
public:
    // `catalog` (may be null: no extensions) names the extensions' widgets.
    PanelActions(SettingsManager &settings, ControlPanelCallbacks callbacks, const ExtensionCatalog *catalog = nullptr);

    SettingsManager &settings() const { return m_settings; }
    const ExtensionCatalog *catalog() const { return m_catalog; }
    // One of the four, or a widget of an extension in the catalog.
    bool isKnownWidget(const QString &name) const;

    // Names that are no known widget do nothing at all.
    void setWidgetEnabled(const QString &name, bool on);
    void setClickThrough(const QString &name, bool on);
    void chooseSize(const QString &name, const QString &size);

    void chooseClockStyle(const QString &style);
    void setDeviceVisible(const QString &key, bool visible);
    void chooseGlassTheme(const QString &theme);
    // Stores the weather settings with useManual = !automatic, city and coordinates kept.
    void setAutomaticLocation(bool automatic);

private:
    SettingsManager &m_settings;
    ControlPanelCallbacks m_callbacks;
    const ExtensionCatalog *m_catalog;
};

}  // namespace panel
