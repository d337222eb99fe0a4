#pragma once

// The control panel's content: header with the logo, the tabs "Widget" and
// "Impostazioni", a divider and a scroll area with the active tab, on a dark
// backdrop. It edits the settings store directly, tells the widget manager
// through the three callbacks, and shows every change of the store at once.

#include "ControlPanelCallbacks.h"
#include "PanelActions.h"

#include <QWidget>

class ExtensionCatalog;
class SettingsManager;
class WeatherMonitor;

namespace panel {

class PanelTabBar;
class SettingsTab;
class WidgetsTab;

class ControlPanelView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 600;

    // On the shared settings store and weather monitor.
    ControlPanelView(std::function<void(const QString &, bool)> onToggleWidget,
                     std::function<void(const QString &, const QString &)> onResizeWidget,
                     std::function<void(const QString &, bool)> onClickThroughChanged, QWidget *parent = nullptr);
    ControlPanelView(ControlPanelCallbacks callbacks, SettingsManager &settings, WeatherMonitor &monitor,
                     const ExtensionCatalog *catalog = nullptr, QWidget *parent = nullptr);

    // "widgets" or "settings".
    QString activeTab() const;
    void setActiveTab(const QString &tab);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *header();
    QWidget *divider();
    void onSettingChanged(const QString &property);

    PanelActions m_actions;
    PanelTabBar *m_tabs;
    WidgetsTab *m_widgetsTab;
    SettingsTab *m_settingsTab;
    bool m_appeared = false;
};

}  // namespace panel
