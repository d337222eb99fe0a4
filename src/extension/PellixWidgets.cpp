#include "PellixWidgets.h"

namespace pellix::extension {

using widgetkit::WidgetFamily;

namespace {

// Display names and descriptions are stored as keys and translated when read.
widgetkit::WidgetDescriptor described(const char *kind, const char *name, const char *description,
                                      QList<WidgetFamily> families)
{
    return {kind, QString::fromUtf8(name), QString::fromUtf8(description), std::move(families)};
}

}  // namespace

PellixClockWidget::PellixClockWidget()
    : StaticConfiguration(described(kind, QT_TRANSLATE_NOOP("PellixWidgets", "Pellix - Orologio"),
                                    QT_TRANSLATE_NOOP("PellixWidgets", "Visualizza l'ora corrente e la data."),
                                    {WidgetFamily::Small}))
{
}

PellixWeatherWidget::PellixWeatherWidget()
    : StaticConfiguration(described(
          kind, QT_TRANSLATE_NOOP("PellixWidgets", "Pellix - Meteo"),
          QT_TRANSLATE_NOOP("PellixWidgets", "Visualizza la temperatura e le condizioni del meteo corrente."),
          {WidgetFamily::Small}))
{
}

PellixMusicWidget::PellixMusicWidget()
    : StaticConfiguration(described(
          kind, QT_TRANSLATE_NOOP("PellixWidgets", "Pellix - Now Playing"),
          QT_TRANSLATE_NOOP("PellixWidgets", "Visualizza il brano attualmente in riproduzione."),
          {WidgetFamily::Small, WidgetFamily::Medium}))
{
}

PellixBatteryWidget::PellixBatteryWidget()
    : StaticConfiguration(described(
          kind, QT_TRANSLATE_NOOP("PellixWidgets", "Pellix - Batteria"),
          QT_TRANSLATE_NOOP("PellixWidgets", "Controlla lo stato della batteria del MacBook e degli accessori."),
          {WidgetFamily::Small, WidgetFamily::Medium}))
{
}

QList<const widgetkit::Widget *> PellixWidgetWidgetsBundle::widgets() const
{
    return {&m_clock, &m_weather, &m_music, &m_battery};
}

}  // namespace pellix::extension
