#pragma once

// The clock widget: an analogue or digital face in the glass container, with a
// side panel in the medium size. It ticks once a second, on the second, while
// it is shown and someone can see it.

#include "EdgeTimer.h"

#include "SpokenText.h"

#include <QDateTime>
#include <QWidget>

#include <functional>

class AnalogClockFace;
class ClockSidePanel;
class DigitalClockFace;
class QHBoxLayout;
class SettingsManager;
class WidgetContainer;

class ClockWidgetView : public QWidget, public pellix::ui::SpokenText {
    Q_OBJECT

public:
    explicit ClockWidgetView(QWidget *parent = nullptr);
    explicit ClockWidgetView(SettingsManager &settings, QWidget *parent = nullptr);
    ~ClockWidgetView() override;

    QDateTime currentDate() const { return m_currentDate; }
    QString city() const { return m_city; }
    bool isTicking() const { return m_timer.isActive(); }
    bool showsAnalogFace() const { return m_analog != nullptr; }
    bool showsSidePanel() const { return m_sidePanel != nullptr; }
    WidgetContainer *container() const { return m_container; }
    AnalogClockFace *analogFace() const { return m_analog; }
    DigitalClockFace *digitalFace() const { return m_digital; }
    ClockSidePanel *sidePanel() const { return m_sidePanel; }

    // The source of "now"; tests and tools pin it to a fixed instant.
    void setClock(std::function<QDateTime()> now);

    void updateCity();
    void tick();

    // The time to the minute, the date and the city; in full, the seconds too.
    QString spokenText() const override;
    QString spokenTextInFull() const override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void onSettingChanged(const QString &property);
    void rebuildContent();
    void pushState();
    void followTicks();

    SettingsManager &m_settings;
    std::function<QDateTime()> m_now;
    QDateTime m_currentDate;
    QString m_city;
    QString m_lastWeatherCity;
    EdgeTimer m_timer{1000};
    int m_spokenMinute = -1;  // of the day
    QString m_spoken;

    WidgetContainer *m_container = nullptr;
    QHBoxLayout *m_row = nullptr;
    AnalogClockFace *m_analog = nullptr;
    DigitalClockFace *m_digital = nullptr;
    ClockSidePanel *m_sidePanel = nullptr;
};
