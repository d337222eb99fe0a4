#include "ClockText.h"

#include <QLocale>
#include <QStringList>

namespace ClockText {

namespace {

// A new locale object per call, as a formatter would be; QLocale is cheap.
QString italian(const QDateTime &date, const QString &pattern)
{
    return QLocale(QLocale::Italian, QLocale::Italy).toString(date, pattern);
}

}  // namespace

QString timeString(const QDateTime &date)
{
    return date.time().toString(QStringLiteral("HH:mm"));
}

QString secondsString(const QDateTime &date)
{
    return QString::number(date.time().second()) + QStringLiteral(" s");
}

QString shortDateString(const QDateTime &date)
{
    return italian(date, QStringLiteral("ddd d")).toUpper();
}

QString fullDateString(const QDateTime &date)
{
    return italian(date, QStringLiteral("dddd, d MMM")).toUpper();
}

QString weekdayName(const QDateTime &date)
{
    return capitalized(italian(date, QStringLiteral("dddd")));
}

QString dayNumString(const QDateTime &date)
{
    return QString::number(date.date().day());
}

QString capitalized(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool wordStart = true;
    for (const QChar c : text) {
        if (c.isSpace()) {
            out += c;
            wordStart = true;
        } else {
            out += wordStart ? c.toUpper() : c.toLower();
            wordStart = false;
        }
    }
    return out;
}

double hourAngle(const QTime &time)
{
    return (time.hour() % 12) * 30.0 + time.minute() * 0.5;
}

double minuteAngle(const QTime &time)
{
    return time.minute() * 6.0 + time.second() * 0.1;
}

double secondAngle(const QTime &time)
{
    return time.second() * 6.0;
}

QString updatedCity(const WeatherSettings &settings, const std::optional<WeatherData> &weather,
                    const QString &current)
{
    if (settings.useManual) {
        // Splitting keeps empty pieces: an empty city gives one empty piece.
        const QStringList pieces = settings.city.split(QLatin1Char(','));
        return pieces.isEmpty() ? kDefaultCity : pieces.first().toUpper();
    }
    // A weather record without a city name leaves the line as it was.
    if (weather && weather->city)
        return weather->city->toUpper();
    return current;
}

int msecsToNextSecond(const QTime &now)
{
    return 1000 - now.msec() + kTickMarginMs;
}

}  // namespace ClockText
