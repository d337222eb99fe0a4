#include "WeatherText.h"

#include "Colors.h"
#include "UiLanguage.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>

#include <cmath>

namespace {

// The code bands, in the order they are tested; the first that matches wins.
struct Band {
    int64_t upTo;  // inclusive
    const char *desc;
    const char16_t *emoji;
};

constexpr Band kBands[] = {
    {0, QT_TRANSLATE_NOOP("WeatherText", "Sereno"), u"\u2600\uFE0F"},
    {2, QT_TRANSLATE_NOOP("WeatherText", "Parz. nuvoloso"), u"\u26C5"},
    {3, QT_TRANSLATE_NOOP("WeatherText", "Nuvoloso"), u"\u2601\uFE0F"},
    {49, QT_TRANSLATE_NOOP("WeatherText", "Nebbia"), u"\U0001F32B\uFE0F"},
    {57, QT_TRANSLATE_NOOP("WeatherText", "Pioggerella"), u"\U0001F327\uFE0F"},
    {67, QT_TRANSLATE_NOOP("WeatherText", "Pioggia"), u"\U0001F327\uFE0F"},
    {77, QT_TRANSLATE_NOOP("WeatherText", "Neve"), u"\u2744\uFE0F"},
    {82, QT_TRANSLATE_NOOP("WeatherText", "Rovesci"), u"\U0001F326\uFE0F"},
    {99, QT_TRANSLATE_NOOP("WeatherText", "Temporale"), u"\u26C8\uFE0F"},
};
constexpr Band kUnknown{INT64_MAX, QT_TRANSLATE_NOOP("WeatherText", "Sconosciuto"), u"\U0001F321\uFE0F"};

const Band &bandOf(int64_t code)
{
    // Code 0 is its own band; every other value up to 2, negatives included, is the next.
    if (code == 0)
        return kBands[0];
    for (const Band &band : kBands)
        if (band.upTo != 0 && code <= band.upTo)
            return band;
    return kUnknown;
}

}  // namespace

QString wmoDesc(int64_t code)
{
    return QCoreApplication::translate("WeatherText", bandOf(code).desc);
}

QString wmoEmoji(int64_t code)
{
    return QString::fromUtf16(bandOf(code).emoji);
}

QColor weatherGlowColor(int64_t code)
{
    using pellix::ui::rgba;
    if (code == 0)
        return rgba(255, 200, 50, 1.0);
    if (code <= 2)
        return rgba(255, 200, 50, 0.6);
    if (code <= 49)
        return rgba(150, 180, 220, 0.6);
    if (code <= 77)
        return rgba(80, 140, 255, 1.0);
    return rgba(100, 200, 255, 1.0);
}

int64_t roundedTemperature(double celsius)
{
    if (std::isnan(celsius))
        return 0;
    const double r = std::round(celsius);
    // 2^63 itself does not fit; the largest double below it does.
    if (r >= 9223372036854775807.0)
        return INT64_MAX;
    if (r <= -9223372036854775808.0)
        return INT64_MIN;
    return int64_t(r);
}

QString temperatureText(double celsius, pellix::i18n::TemperatureUnit unit)
{
    return QString::number(roundedTemperature(pellix::i18n::inUnit(celsius, unit))) + QChar(0x00B0);
}

QString shortDayName(const QString &date)
{
    const QDate parsed = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    if (!parsed.isValid())
        return QString(QChar(0x2014));
    const QString name = pellix::i18n::displayLocale().toString(parsed, QStringLiteral("ddd"));
    return name.isEmpty() ? name : name.left(1).toUpper() + name.mid(1);
}

QString displayCity(const QString &settingsCity)
{
    const qsizetype comma = settingsCity.indexOf(QLatin1Char(','));
    return comma < 0 ? settingsCity : settingsCity.left(comma);
}

std::optional<QString> highLowText(const WeatherResponse &response)
{
    if (!response.daily || response.daily->temperature_2m_max.isEmpty()
        || response.daily->temperature_2m_min.isEmpty())
        return std::nullopt;
    return QCoreApplication::translate("WeatherText", "H:%1 L:%2", "today's high and low")
        .arg(temperatureText(response.daily->temperature_2m_max.first()),
             temperatureText(response.daily->temperature_2m_min.first()));
}

QList<ForecastRow> forecastRows(const WeatherResponse::DailyForecast &daily)
{
    QList<ForecastRow> rows;
    for (qsizetype i = 1; i <= 4; ++i) {
        if (i >= daily.time.size() || i >= daily.weathercode.size() || i >= daily.temperature_2m_max.size()
            || i >= daily.temperature_2m_min.size())
            continue;
        rows.append({shortDayName(daily.time[i]), wmoEmoji(daily.weathercode[i]),
                     temperatureText(daily.temperature_2m_max[i]), temperatureText(daily.temperature_2m_min[i]), daily.weathercode[i]});
    }
    return rows;
}
