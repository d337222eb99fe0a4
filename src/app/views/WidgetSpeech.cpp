#include "WidgetSpeech.h"

#include "BatteryRing.h"
#include "ClockText.h"
#include "MusicWidgetLayout.h"
#include "WeatherText.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString translated(const char *context, const char *text)
{
    return QCoreApplication::translate(context, text);
}

QString joined(const QStringList &parts)
{
    return parts.join(QStringLiteral(", "));
}

}  // namespace

QString clockSpeech(const QDateTime &date, const QString &city, bool withSeconds)
{
    QStringList parts{ClockText::timeString(date)};
    if (withSeconds)
        parts << ClockText::secondsString(date);
    parts << ClockText::spokenDateString(date);
    if (!city.trimmed().isEmpty())
        parts << ClockText::capitalized(city.trimmed());
    return joined(parts);
}

QString weatherSpeech(const WeatherViewState &state, bool medium)
{
    // The same texts and order of precedence as the painted states.
    if (state.loading)
        return translated("WeatherContentView", "AGGIORNAMENTO…");
    if (state.connectionError)
        return translated("WeatherContentView", "ERRORE DI RETE");
    if (!state.weatherData)
        return {};
    const WeatherResponse &w = *state.weatherData;
    QStringList parts{state.cityName, temperatureText(w.current.temperature_2m), wmoDesc(w.current.weathercode)};
    if (const std::optional<QString> highLow = highLowText(w))
        parts << *highLow;
    QStringList sentences{joined(parts)};
    if (medium && w.daily)
        for (const ForecastRow &row : forecastRows(*w.daily))
            sentences << row.day + QStringLiteral(": ")
                             + joined({wmoDesc(row.code), QCoreApplication::translate("WeatherText", "H:%1 L:%2",
                                                                                       "today's high and low")
                                                              .arg(row.high, row.low)});
    return sentences.join(QStringLiteral(". "));
}

QString batterySpeech(const QList<BatteryRingSpec> &rings)
{
    if (rings.isEmpty())
        return QCoreApplication::translate("BatteryWidgetView", "Nessuna batteria");
    QStringList sentences;
    for (const BatteryRingSpec &ring : rings)
        sentences << joined({ring.customName, pellix::ui::batteryPercentText(ring.device.percent),
                             ring.device.charging ? translated("BatteryRingView", "In carica")
                                                  : translated("BatteryRingView", "Alimentazione")});
    return sentences.join(QStringLiteral(". "));
}

QString musicSpeech(const MusicData &music, const QString &playerName)
{
    if (!music.playing)
        return translated("MusicContentView", "In attesa di musica…");
    return joined({musicFieldText(music.track), musicFieldText(music.artist), musicPlayerName(music.source, playerName),
                   QCoreApplication::translate("MusicWidgetView", "in riproduzione")});
}
