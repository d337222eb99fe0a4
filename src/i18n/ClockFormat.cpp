#include "ClockFormat.h"

namespace pellix::i18n {

namespace {

// The fields of a QLocale date or time format, quoted literals skipped: each
// letter run is one field ("h", "mm", "AP", "dddd"), its first index kept.
struct Field {
    qsizetype at, length;
    QChar letter;
};

QList<Field> fields(const QString &format)
{
    QList<Field> out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;  // '' inside or outside a literal toggles twice: harmless
            continue;
        }
        if (quoted || !c.isLetter())
            continue;
        // Qt writes the marker as "AP", "ap" or "Ap": one field of two letters.
        const bool markerEnd = c.toLower() == QLatin1Char('p');
        if (!out.isEmpty() && out.last().at + out.last().length == i
            && (out.last().letter == c || (markerEnd && out.last().letter.toLower() == QLatin1Char('a')))) {
            ++out.last().length;
            continue;
        }
        out.append({i, 1, c});
    }
    return out;
}

// The day-period field: Qt's "AP", or CLDR's flexible "B" that older Qt
// leaves in a few formats (zh_TW "Bh:mm").
bool isDayPeriod(const Field &f)
{
    return f.letter.toLower() == QLatin1Char('a') || f.letter == QLatin1Char('B');
}

bool isTimeField(const Field &f)
{
    return QStringLiteral("hHmsz").contains(f.letter);
}

struct MarkerPlace {
    bool found = false, first = false;
    QString separator;
};

// Where the short time format puts the marker, and what stands between it and
// the time: any blank (CLDR now often uses a narrow no-break space) is one space.
MarkerPlace markerPlace(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    const QList<Field> all = fields(format);
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (!isDayPeriod(all[i]))
            continue;
        const bool first = i + 1 < all.size() && isTimeField(all[i + 1]);
        const bool after = i > 0 && isTimeField(all[i - 1]);
        if (!first && !after)
            return {};
        const qsizetype from = first ? all[i].at + all[i].length : all[i - 1].at + all[i - 1].length;
        const qsizetype to = first ? all[i + 1].at : all[i].at;
        return {true, first, to > from ? QStringLiteral(" ") : QString()};
    }
    return {};
}

}  // namespace

bool usesTwelveHourClock(const QLocale &region)
{
    return markerPlace(region).found;
}

bool writesMonthFirst(const QLocale &locale)
{
    // The day of the month is "d" or "dd"; longer runs name the weekday.
    qsizetype month = -1, day = -1;
    for (const Field &f : fields(locale.dateFormat(QLocale::LongFormat))) {
        if (f.letter == QLatin1Char('M') && month < 0)
            month = f.at;
        else if (f.letter == QLatin1Char('d') && f.length <= 2 && day < 0)
            day = f.at;
    }
    return month >= 0 && day >= 0 && month < day;
}

QString ClockTimeParts::text() const
{
    if (dayPeriod.isEmpty())
        return digits;
    return dayPeriodFirst ? dayPeriod + separator + digits : digits + separator + dayPeriod;
}

ClockTimeParts clockTimeParts(const QTime &time, const QLocale &region, const QLocale &language)
{
    if (!usesTwelveHourClock(region))
        return {time.toString(QStringLiteral("HH:mm")), {}, false, {}};
    const QLocale &writer = region.language() == language.language() ? region : language;
    MarkerPlace place = markerPlace(writer);
    if (!place.found)  // a language without a 12-hour habit: after the time
        place = {true, false, QStringLiteral(" ")};
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return {QString::number(hour) + time.toString(QStringLiteral(":mm")),
            time.hour() < 12 ? writer.amText() : writer.pmText(), place.first, place.separator};
}

}  // namespace pellix::i18n
