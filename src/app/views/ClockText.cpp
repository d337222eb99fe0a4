#include "ClockText.h"

#include "ClockFormat.h"
#include "UiLanguage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

namespace ClockText {

namespace {

// Day and month names in the interface's language, written for its region.
QString named(const QDateTime &date, const QString &pattern)
{
    return pellix::i18n::displayLocale().toString(date, pattern);
}

}  // namespace

QString timeString(const QDateTime &date)
{
    return timeParts(date).text();
}

pellix::i18n::ClockTimeParts timeParts(const QDateTime &date)
{
    return pellix::i18n::clockTimeParts(date.time(), pellix::i18n::regionLocale(), pellix::i18n::displayLocale());
}

QString secondsString(const QDateTime &date)
{
    return QString::number(date.time().second()) + QStringLiteral(" s");
}

QString shortDateString(const QDateTime &date)
{
    return named(date, QStringLiteral("ddd d")).toUpper();
}

namespace {

QString fullDatePattern()
{
    // The pattern is the translator's: each language punctuates dates its own way.
    const bool monthFirst = pellix::i18n::writesMonthFirst(pellix::i18n::displayLocale());
    return monthFirst
               ? QCoreApplication::translate("ClockText", "dddd, MMM d", "QLocale date pattern, month before day")
               : QCoreApplication::translate("ClockText", "dddd, d MMM", "QLocale date pattern, day before month");
}

}  // namespace

QString fullDateString(const QDateTime &date)
{
    return named(date, fullDatePattern()).toUpper();
}

QString compactDateString(const QDateTime &date)
{
    return named(date, fullDatePattern().replace(QStringLiteral("dddd"), QStringLiteral("ddd"))).toUpper();
}

QString spokenDateString(const QDateTime &date)
{
    // Its own pattern: a date said in full takes words the short one leaves out ("7 de diciembre").
    const bool monthFirst = pellix::i18n::writesMonthFirst(pellix::i18n::displayLocale());
    return named(date, monthFirst ? QCoreApplication::translate("ClockText", "dddd, MMMM d",
                                                                "QLocale date pattern said in full, month before day")
                                  : QCoreApplication::translate("ClockText", "dddd, d MMMM",
                                                                "QLocale date pattern said in full, day before month"));
}

QString weekdayName(const QDateTime &date)
{
    return capitalized(named(date, QStringLiteral("dddd")));
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

}  // namespace ClockText
