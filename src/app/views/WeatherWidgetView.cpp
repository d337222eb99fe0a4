#include "WeatherWidgetView.h"

#include "WeatherContentView.h"
#include "WeatherText.h"
#include "WidgetContainer.h"
#include "WidgetSpeech.h"
#include "monitors/SessionSight.h"
#include "monitors/WeatherMonitor.h"
#include "settings/SettingsManager.h"

#include <QShowEvent>
#include <QVBoxLayout>

WeatherWidgetView::WeatherWidgetView(QWidget *parent)
    : WeatherWidgetView(SettingsManager::shared(), WeatherMonitor::shared(), parent)
{
}

WeatherWidgetView::WeatherWidgetView(SettingsManager &settings, WeatherMonitor &monitor, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_monitor(monitor), m_content(new WeatherContentView),
      m_container(new WidgetContainer(settings, m_content, m_state.glowColor)),
      m_seenSettings(settings.weatherSettings())
{
    pellix::ui::installSpokenTextAccessibility();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_container);

    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_sinceTick.start();
        if (m_timer.interval() != kRefreshMs)
            m_timer.setInterval(kRefreshMs);  // after the rest of a period resumed by showEvent
        loadWeatherData();
    });
    connect(&m_settings, &SettingsManager::changed, this, &WeatherWidgetView::onSettingChanged);
    // Unseen, the reloads go on for the shared file; only the paints wait.
    SessionSight::shared().follow(this);
    render();
}

WeatherWidgetView::~WeatherWidgetView() = default;

void WeatherWidgetView::onSettingChanged(const QString &property)
{
    if (property == QLatin1String("weatherSize")) {
        render();
    } else if (property == QLatin1String("weatherSettings")) {
        // Only the city and the manual switch start a load, and only when they change.
        const WeatherSettings now = m_settings.weatherSettings();
        const bool reload = now.city != m_seenSettings.city || now.useManual != m_seenSettings.useManual;
        m_seenSettings = now;
        if (reload)
            loadWeatherData();
    }
}

void WeatherWidgetView::loadWeatherData()
{
    const quint64 load = ++m_latestLoad;
    m_state.loading = true;
    m_state.connectionError = false;
    render();

    const WeatherSettings where = m_settings.weatherSettings();
    if (where.useManual && where.lat && where.lon) {
        fetchForecast(load, *where.lat, *where.lon, displayCity(where.city));
        return;
    }
    m_monitor.fetchIPLocation(this, [this, load](const WeatherReply<IPLocation> &reply) {
        if (load != m_latestLoad)
            return;
        if (!reply.ok())
            return fail();
        fetchForecast(load, reply.value().lat, reply.value().lon, reply.value().city);
    });
}

void WeatherWidgetView::fetchForecast(quint64 load, double latitude, double longitude, const QString &city)
{
    m_monitor.fetchWeather(latitude, longitude, this, [this, load, city](const WeatherReply<WeatherResponse> &reply) {
        if (load != m_latestLoad)
            return;  // a newer load owns the widget now
        if (reply.ok())
            succeed(city, reply.value());
        else
            fail();
    });
}

void WeatherWidgetView::succeed(const QString &city, const WeatherResponse &response)
{
    m_state.cityName = city;
    m_state.weatherData = response;
    m_state.loading = false;
    updateGlow(response.current.weathercode);
    render();

    SharedWidgetData shared = m_settings.sharedData();
    shared.weather = WeatherData{city, response.current.temperature_2m, response.current.weathercode,
                                 response.current.apparent_temperature};
    m_settings.setSharedData(shared);
    m_settings.updateSharedWidgetData();
}

void WeatherWidgetView::fail()
{
    m_state.connectionError = true;
    m_state.loading = false;
    render();
}

void WeatherWidgetView::updateGlow(int64_t code)
{
    m_state.glowColor = weatherGlowColor(code);
    m_container->setGlowColor(m_state.glowColor);
}

void WeatherWidgetView::render()
{
    m_content->setState(m_state, m_settings.weatherSize() == QLatin1String("medium"));
    pellix::ui::announceSpokenText(this, m_spoken);
}

QString WeatherWidgetView::spokenText() const
{
    return weatherSpeech(m_state, m_settings.weatherSize() == QLatin1String("medium"));
}

void WeatherWidgetView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // Shown again within a refresh period (a Wayland surface re-created on another
    // output hides and shows the window): no new appearance, so no new load, which
    // would cost the forecast on show when the service is down at that moment.
    if (m_sinceTick.isValid() && m_sinceTick.elapsed() < kRefreshMs) {
        m_timer.start(int(kRefreshMs - m_sinceTick.elapsed()));
        return;
    }
    m_sinceTick.start();
    loadWeatherData();
    m_timer.start(kRefreshMs);
}

void WeatherWidgetView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_timer.stop();
}
