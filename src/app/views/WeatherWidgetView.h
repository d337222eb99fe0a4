#pragma once

// The desktop weather widget: finds the position (manual coordinates or the IP
// address), loads the forecast, shows it in the glass container, tints the glow
// by the weather and publishes the current weather to the shared data.

#include "SpokenText.h"
#include "WeatherViewState.h"
#include "settings/SettingsRecords.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class SettingsManager;
class WeatherMonitor;
class WeatherContentView;
class WidgetContainer;

class WeatherWidgetView : public QWidget, public pellix::ui::SpokenText {
    Q_OBJECT

public:
    static constexpr int kRefreshSeconds = 900;
    static constexpr int kRefreshMs = kRefreshSeconds * 1000;

    explicit WeatherWidgetView(QWidget *parent = nullptr);
    WeatherWidgetView(SettingsManager &settings, WeatherMonitor &monitor, QWidget *parent = nullptr);
    ~WeatherWidgetView() override;

    const WeatherViewState &state() const { return m_state; }
    WidgetContainer *container() const { return m_container; }
    QTimer &refreshTimer() { return m_timer; }

    // Starts a load; a load started later supersedes it, so its answer, if it
    // comes after, is dropped.
    void loadWeatherData();
    void updateGlow(int64_t code);

    QString spokenText() const override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void onSettingChanged(const QString &property);
    void fetchForecast(quint64 load, double latitude, double longitude, const QString &city);
    void succeed(const QString &city, const WeatherResponse &response);
    void fail();
    void render();

    SettingsManager &m_settings;
    WeatherMonitor &m_monitor;
    WeatherViewState m_state;
    WeatherContentView *m_content;
    WidgetContainer *m_container;
    QTimer m_timer;
    QElapsedTimer m_sinceTick;  // since the refresh period began: first shown, or the timer's last tick
    quint64 m_latestLoad = 0;
    WeatherSettings m_seenSettings;
    QString m_spoken;
};
