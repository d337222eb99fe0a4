#pragma once

// How the region writes the time of day on a clock face.

#include <QLocale>
#include <QString>
#include <QTime>

namespace pellix::i18n {

// True where the region's own short time format counts hours to 12.
bool usesTwelveHourClock(const QLocale &region);

// True where the long date puts the month before the day of the month
// ("Friday, December 5" in the United States and Canada).
bool writesMonthFirst(const QLocale &locale);

// The time in pieces, for a face that draws the marker smaller: "9:07" and
// "AM" after it, "오전" before it in Korea; the marker is empty on a 24-hour
// clock, whose digits are "09:07" and "21:07" (two-digit hours everywhere, as
// the faces are drawn for).
struct ClockTimeParts {
    QString digits;
    QString dayPeriod;
    bool dayPeriodFirst = false;  // in reading order
    QString separator;            // between marker and digits: " " or none ("下午3:59")

    // Whether the marker is drawn left of the digits (first, or after in a
    // right-to-left script).
    bool dayPeriodLeft() const { return dayPeriodFirst != dayPeriod.isRightToLeft(); }
    QString text() const;
};

// The region decides between 12 and 24 hours. The marker is written as
// `language` (the interface's language in the region) writes it: in the
// region's own words and place when the two speak the same language, else in
// the interface's, so an English interface in Greece shows "PM", not "μ.μ.".
ClockTimeParts clockTimeParts(const QTime &time, const QLocale &region, const QLocale &language);

inline QString clockTimeText(const QTime &time, const QLocale &region, const QLocale &language)
{
    return clockTimeParts(time, region, language).text();
}

}  // namespace pellix::i18n
