#include "ClockFormat.h"

namespace pellix::i18n {

bool usesTwelveHourClock(const QLocale &region)
{
    // Qt writes the AM/PM field of a 12-hour format as "AP" ("h:mm AP").
    const QString format = region.timeFormat(QLocale::ShortFormat);
    return format.contains(QLatin1String("ap"), Qt::CaseInsensitive);
}

bool writesMonthFirst(const QLocale &locale)
{
    return locale.dateFormat(QLocale::ShortFormat).startsWith(QLatin1Char('M'));
}

ClockTimeParts clockTimeParts(const QTime &time, const QLocale &region)
{
    if (!usesTwelveHourClock(region))
        return {time.toString(QStringLiteral("HH:mm")), {}};
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return {QString::number(hour) + time.toString(QStringLiteral(":mm")),
            time.hour() < 12 ? region.amText() : region.pmText()};
}

QString clockTimeText(const QTime &time, const QLocale &region)
{
    const ClockTimeParts parts = clockTimeParts(time, region);
    return parts.dayPeriod.isEmpty() ? parts.digits : parts.digits + QLatin1Char(' ') + parts.dayPeriod;
}

}  // namespace pellix::i18n
