#include "PellixWidgets.h"

namespace pellix::extension {

using widgetkit::WidgetFamily;

PellixClockWidget::PellixClockWidget()
    : StaticConfiguration({kind, QStringLiteral("Pellix - Orologio"),
                           QStringLiteral("Visualizza l'ora corrente e la data."), {WidgetFamily::Small}})
{
}

PellixWeatherWidget::PellixWeatherWidget()
    : StaticConfiguration({kind, QStringLiteral("Pellix - Meteo"),
                           QStringLiteral("Visualizza la temperatura e le condizioni del meteo corrente."),
                           {WidgetFamily::Small}})
{
}

PellixMusicWidget::PellixMusicWidget()
    : StaticConfiguration({kind, QStringLiteral("Pellix - Now Playing"),
                           QStringLiteral("Visualizza il brano attualmente in riproduzione."),
                           {WidgetFamily::Small, WidgetFamily::Medium}})
{
}

PellixBatteryWidget::PellixBatteryWidget()
    : StaticConfiguration({kind, QStringLiteral("Pellix - Batteria"),
                           QStringLiteral("Controlla lo stato della batteria del MacBook e degli accessori."),
                           {WidgetFamily::Small, WidgetFamily::Medium}})
{
}

QList<const widgetkit::Widget *> PellixWidgetWidgetsBundle::widgets() const
{
    return {&m_clock, &m_weather, &m_music, &m_battery};
}

}  // namespace pellix::extension
