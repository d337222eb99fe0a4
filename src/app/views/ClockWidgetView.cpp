#include "ClockWidgetView.h"

#include "AnalogClockFace.h"
#include "ClockSidePanel.h"
#include "ClockText.h"
#include "DigitalClockFace.h"
#include "WidgetContainer.h"
#include "WidgetSpeech.h"
#include "monitors/SessionSight.h"
#include "settings/SettingsManager.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QVBoxLayout>

ClockWidgetView::ClockWidgetView(QWidget *parent) : ClockWidgetView(SettingsManager::shared(), parent) {}

ClockWidgetView::ClockWidgetView(SettingsManager &settings, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_now([] { return QDateTime::currentDateTime(); }),
      m_city(ClockText::kDefaultCity), m_lastWeatherCity(settings.weatherSettings().city)
{
    pellix::ui::installSpokenTextAccessibility();
    m_currentDate = m_now();
    // On each second's edge: a repeating one-second timer drifts and would now
    // and then jump over a second.
    connect(&m_timer, &EdgeTimer::timeout, this, &ClockWidgetView::tick);
    // Unseen, the clock has nothing to do; seen again, it shows the time at once.
    SessionSight::shared().follow(this, [this](bool seen) {
        if (seen && isVisible())
            tick();
        followTicks();
    });

    auto *content = new QWidget;
    m_row = new QHBoxLayout(content);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(0);
    m_container = new WidgetContainer(settings, content);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_container);

    rebuildContent();
    connect(&m_settings, &SettingsManager::changed, this, &ClockWidgetView::onSettingChanged);
}

ClockWidgetView::~ClockWidgetView() = default;

void ClockWidgetView::setClock(std::function<QDateTime()> now)
{
    m_now = std::move(now);
    tick();
}

void ClockWidgetView::updateCity()
{
    const SharedWidgetData shared = m_settings.sharedData();
    m_city = ClockText::updatedCity(m_settings.weatherSettings(), shared.weather, m_city);
    pushState();
    pellix::ui::announceSpokenText(this, m_spoken);
}

QString ClockWidgetView::spokenText() const
{
    return clockSpeech(m_currentDate, m_city);
}

QString ClockWidgetView::spokenTextInFull() const
{
    return clockSpeech(m_currentDate, m_city, true);
}

void ClockWidgetView::tick()
{
    m_currentDate = m_now();
    pushState();
}

void ClockWidgetView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateCity();
    tick();
    followTicks();
}

void ClockWidgetView::hideEvent(QHideEvent *event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}

void ClockWidgetView::followTicks()
{
    if (isVisible() && SessionSight::shared().sees(this))
        m_timer.start();
    else
        m_timer.stop();
}

void ClockWidgetView::onSettingChanged(const QString &property)
{
    if (property == QLatin1String("clockStyle") || property == QLatin1String("clockSize")) {
        rebuildContent();
    } else if (property == QLatin1String("weatherSettings")) {
        // Only a new city name re-reads the city line.
        const QString cityNow = m_settings.weatherSettings().city;
        if (cityNow != m_lastWeatherCity) {
            m_lastWeatherCity = cityNow;
            updateCity();
        }
    } else if (property == QLatin1String("sharedData")) {
        // A forecast found the user's city: the line follows it (a record of
        // battery or music news leaves it as it is, and costs no redraw).
        if (ClockText::updatedCity(m_settings.weatherSettings(), m_settings.sharedData().weather, m_city) != m_city)
            updateCity();
    }
}

void ClockWidgetView::rebuildContent()
{
    const bool analog = m_settings.clockStyle() == QLatin1String("analog");
    const QString size = m_settings.clockSize();
    const bool medium = size == QLatin1String("medium");

    if (analog != (m_analog != nullptr) || m_row->count() == 0) {
        delete m_analog;
        delete m_digital;
        m_analog = nullptr;
        m_digital = nullptr;
        if (analog) {
            m_analog = new AnalogClockFace;
            m_row->insertWidget(0, m_analog, 1);
        } else {
            m_digital = new DigitalClockFace;
            m_row->insertWidget(0, m_digital, 1);
        }
    }
    if (m_analog)
        m_analog->setShowsTexts(size == QLatin1String("small"));
    if (m_digital)
        m_digital->setMedium(medium);

    if (medium && !m_sidePanel) {
        m_sidePanel = new ClockSidePanel;
        m_row->addWidget(m_sidePanel);
    } else if (!medium && m_sidePanel) {
        delete m_sidePanel;
        m_sidePanel = nullptr;
    }
    pushState();
}

void ClockWidgetView::pushState()
{
    if (m_analog) {
        m_analog->setCity(m_city);
        m_analog->setTime(m_currentDate);
    }
    if (m_digital) {
        m_digital->setCity(m_city);
        m_digital->setTime(m_currentDate);
    }
    if (m_sidePanel)
        m_sidePanel->setDate(m_currentDate);
    // The text holds the time to the minute: a screen reader hears it once a minute, not every second.
    if (QAccessible::isActive()) {
        const int minute = m_currentDate.time().hour() * 60 + m_currentDate.time().minute();
        if (minute != m_spokenMinute) {
            m_spokenMinute = minute;
            pellix::ui::announceSpokenText(this, m_spoken);
        }
    }
}
