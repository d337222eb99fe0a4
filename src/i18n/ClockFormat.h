#pragma once

// How the region writes the time of day on a clock face.

#include <QLocale>
#include <QString>
#include <QTime>

namespace pellix::i18n {

// True where the region's own short time format counts hours to 12.
bool usesTwelveHourClock(const QLocale &region);

// True where dates put the month before the day ("M/d/yy" in the United States).
bool writesMonthFirst(const QLocale &locale);

// "09:07" and "21:07" on a 24-hour clock (two-digit hours everywhere, as the
// faces are drawn for), "9:07 AM" and "9:07 PM" with the region's markers on a
// 12-hour one.
QString clockTimeText(const QTime &time, const QLocale &region);

// The same in two pieces, for a face that draws the marker smaller: "9:07" and
// "AM"; the marker is empty on a 24-hour clock.
struct ClockTimeParts {
    QString digits;
    QString dayPeriod;
};
ClockTimeParts clockTimeParts(const QTime &time, const QLocale &region);

}  // namespace pellix::i18n
