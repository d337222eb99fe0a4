#pragma once

// The "Impostazioni" tab: the glass theme, the weather location and the app's
// version and author.

#include <QWidget>

class WeatherMonitor;

namespace panel {

class PanelActions;
class PickerRow;
class WeatherLocationCard;

class SettingsTab : public QWidget {
    Q_OBJECT

public:
    static constexpr char kAuthor[] = "Pellix Team";

    SettingsTab(PanelActions &actions, WeatherMonitor &monitor, QWidget *parent = nullptr);
    WeatherLocationCard *weatherLocation() const { return m_weather; }
    // Reflects the settings store, acting on nothing.
    void sync();

private:
    PanelActions &m_actions;
    PickerRow *m_theme;
    WeatherLocationCard *m_weather;
};

}  // namespace panel
