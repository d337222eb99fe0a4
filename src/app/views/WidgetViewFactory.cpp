#include "WidgetViewFactory.h"

#include "BatteryWidgetView.h"
#include "ClockWidgetView.h"
#include "MusicWidgetView.h"
#include "WeatherWidgetView.h"
#include "monitors/WeatherMonitor.h"

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
