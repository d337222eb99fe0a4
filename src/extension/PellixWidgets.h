#pragma once

// The four widgets of the extension, each with its kind string as `kind`.

#include "StaticConfiguration.h"
#include "views/PellixBatteryWidgetView.h"
#include "views/PellixClockWidgetView.h"
#include "views/PellixMusicWidgetView.h"
#include "views/PellixWeatherWidgetView.h"

namespace pellix::extension {

class PellixClockWidget final : public StaticConfiguration<PellixClockWidgetView> {
public:
    static constexpr char kind[] = "PellixClockWidget";
    PellixClockWidget();
};

class PellixWeatherWidget final : public StaticConfiguration<PellixWeatherWidgetView> {
public:
    static constexpr char kind[] = "PellixWeatherWidget";
    PellixWeatherWidget();
};

class PellixMusicWidget final : public StaticConfiguration<PellixMusicWidgetView> {
public:
    static constexpr char kind[] = "PellixMusicWidget";
    PellixMusicWidget();
};

class PellixBatteryWidget final : public StaticConfiguration<PellixBatteryWidgetView> {
public:
    static constexpr char kind[] = "PellixBatteryWidget";
    PellixBatteryWidget();
};

// The extension's entry point: the four widgets in this order.
class PellixWidgetWidgetsBundle : public widgetkit::WidgetBundle {
public:
    QList<const widgetkit::Widget *> widgets() const override;

private:
    PellixClockWidget m_clock;
    PellixWeatherWidget m_weather;
    PellixMusicWidget m_music;
    PellixBatteryWidget m_battery;
};

}  // namespace pellix::extension
