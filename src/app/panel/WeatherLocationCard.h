#pragma once

// The weather location card of the settings tab: the automatic-location switch
// and, while it is off, the city field with "Salva" and the search's status
// line. Its state (switch, typed text, status) lives as long as the panel.

#include "PanelCard.h"

#include <QColor>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class WeatherMonitor;

namespace panel {

class PanelActions;
class SwitchButton;

class WeatherLocationCard : public PanelCard {
    Q_OBJECT

public:
    WeatherLocationCard(PanelActions &actions, WeatherMonitor &monitor, QWidget *parent = nullptr);

    // weatherAutoMode and manualCity from the stored weather settings, saving nothing.
    void loadFromSettings();
    // Looks the typed city up and stores what the geocoder found; blank text does nothing.
    void saveManualLocation();

private:
    void setWeatherAutoMode(bool automatic);
    void setStatus(const QString &text, const QColor &color);
    void setSearchInProgress(bool on);

    PanelActions &m_actions;
    WeatherMonitor &m_monitor;
    SwitchButton *m_autoSwitch;
    QWidget *m_manual;
    QLineEdit *m_city;
    QPushButton *m_save;
    QLabel *m_status;
    bool m_searchInProgress = false;
    quint64 m_search = 0;  // the latest search; the answers of earlier ones are dropped
};

}  // namespace panel
