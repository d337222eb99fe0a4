#include "WidgetViewFactory.h"

#include "BatteryWidgetView.h"
#include "ClockWidgetView.h"
#include "MusicWidgetView.h"
#include "WeatherWidgetView.h"
#include "monitors/WeatherMonitor.h"

#include <QCoreApplication>

QString widgetTitle(const QString &name)
{
    static const std::pair<const char *, const char *> titles[] = {
        {"clock", QT_TRANSLATE_NOOP("panel::WidgetsTab", "Orologio & Data")},
        {"weather", QT_TRANSLATE_NOOP("panel::WidgetsTab", "Meteo")},
        {"battery", QT_TRANSLATE_NOOP("panel::WidgetsTab", "Batteria")},
        {"music", QT_TRANSLATE_NOOP("panel::WidgetsTab", "Now Playing")},
    };
    for (const auto &[key, title] : titles)
        if (name == QLatin1String(key))
            return QCoreApplication::translate("panel::WidgetsTab", title);
    return name;
}

QWidget *createWidgetView(const QString &name, SettingsManager &settings, QWidget *parent)
{
    if (name == "clock")
        return new ClockWidgetView(settings, parent);
    if (name == "weather")
        return new WeatherWidgetView(settings, WeatherMonitor::shared(), parent);
    if (name == "battery")
        return new BatteryWidgetView(settings, parent);
    if (name == "music")
        return new MusicWidgetView(settings, parent);
    return nullptr;
}
