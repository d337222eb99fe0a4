#include "DigitalClockFace.h"

#include "ClockText.h"
#include "Colors.h"
#include "Fonts.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>

using namespace pellix::ui;

DigitalClockFace::DigitalClockFace(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

// A new second repaints the seconds line, a new minute the time too, a new day everything.
void DigitalClockFace::setTime(const QDateTime &date)
{
    const QDateTime before = m_date;
    m_date = date;
    if (date.date() != before.date()) {
        m_fullDate = ClockText::fullDateString(date);
        m_compactDate = ClockText::compactDateString(date);
        update();
        return;
    }
    const QTime was = before.time(), is = date.time();
    if (was == is)
        return;
    const Lines &l = lines();
    QRectF changed = l.seconds;
    if (was.hour() != is.hour() || was.minute() != is.minute())
        changed |= l.time;
    update(changed.toAlignedRect());
}

void DigitalClockFace::setCity(const QString &city)
{
    if (city == m_city)
        return;
    m_city = city;
    update();
}

void DigitalClockFace::setMedium(bool medium)
{
    if (medium == m_medium)
        return;
    m_medium = medium;
    update();
}

const DigitalClockFace::Lines &DigitalClockFace::lines()
{
    if (m_linesValid && m_lines.size == size() && m_lines.medium == m_medium)
        return m_lines;
    Lines &l = m_lines;
    l.size = size();
    l.medium = m_medium;
    l.dateFont = systemFont(11, Weight::Bold, 0.8);
    l.timeFont = systemFont(m_medium ? 34 : 38, Weight::Light, -1.2);
    l.secondsFont = systemFont(13, Weight::Medium);
    l.cityFont = systemFont(11, Weight::Bold, 0.5);
    const double dateH = QFontMetricsF(l.dateFont).height();
    const double timeH = QFontMetricsF(l.timeFont).height();
    const double secondsH = QFontMetricsF(l.secondsFont).height();
    const double cityH = QFontMetricsF(l.cityFont).height();

    const double pad = m_medium ? 0 : 4;
    const QRectF area = QRectF(rect()).adjusted(pad, 0, -pad, 0);
    // Date on top and city at the bottom, 8 points from the middle block, which
    // takes the rest of the height and centres the time and seconds in it.
    const double middleTop = area.top() + dateH + 8;
    const double middleBottom = area.bottom() - cityH - 8;
    const double stackTop = (middleTop + middleBottom) / 2 - (timeH + secondsH) / 2;
    auto line = [&](double y, double h) { return QRectF(area.left(), y, area.width(), h); };
    l.date = line(area.top(), dateH);
    l.time = line(stackTop, timeH);
    l.seconds = line(stackTop + timeH, secondsH);
    l.city = line(area.bottom() - cityH, cityH);
    m_linesValid = true;
    return l;
}

// A 12-hour clock's AM/PM marker goes beside the digits, on the side its
// language writes it, in the seconds' font, so the digits keep their size; the
// pair is centred as one and made smaller as one when a long marker
// ("e pasdites") would not fit.
void DigitalClockFace::paintTime(QPainter &p, const Lines &l) const
{
    const pellix::i18n::ClockTimeParts parts = ClockText::timeParts(m_date);
    if (parts.dayPeriod.isEmpty()) {
        p.drawText(l.time, Qt::AlignCenter, parts.digits);
        return;
    }
    constexpr double kGap = 3;
    auto width = [&](const QFont &digitsFont, const QFont &markerFont) {
        return QFontMetricsF(digitsFont).horizontalAdvance(parts.digits) + kGap
               + QFontMetricsF(markerFont).horizontalAdvance(parts.dayPeriod);
    };
    QFont timeFont = l.timeFont, markerFont = l.secondsFont;
    const double natural = width(timeFont, markerFont);
    if (natural > l.time.width()) {
        const double scale = l.time.width() / natural;
        timeFont = fittedFont(timeFont, parts.digits, QFontMetricsF(timeFont).horizontalAdvance(parts.digits) * scale);
        markerFont = fittedFont(markerFont, parts.dayPeriod,
                                QFontMetricsF(markerFont).horizontalAdvance(parts.dayPeriod) * scale);
    }
    const QFontMetricsF digits(timeFont), marker(markerFont);
    const double digitsWidth = digits.horizontalAdvance(parts.digits);
    const double markerWidth = marker.horizontalAdvance(parts.dayPeriod);
    const double left = l.time.center().x() - width(timeFont, markerFont) / 2;
    const double baseline = l.time.top() + (l.time.height() - digits.height()) / 2 + digits.ascent();
    const bool markerLeft = parts.dayPeriodLeft();
    p.setFont(timeFont);
    p.drawText(QPointF(markerLeft ? left + markerWidth + kGap : left, baseline), parts.digits);
    p.setFont(markerFont);
    p.drawText(QPointF(markerLeft ? left : left + digitsWidth + kGap, baseline), parts.dayPeriod);
}

void DigitalClockFace::paintEvent(QPaintEvent *event)
{
    const Lines &l = lines();
    const QRect exposed = event->rect();
    auto fit = [&](const QFont &f, const QString &s) {
        return QFontMetricsF(f).elidedText(s, Qt::ElideRight, l.date.width());
    };

    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Lines outside the exposed part are not laid out at all.
    if (exposed.intersects(l.date.toAlignedRect())) {
        p.setFont(l.dateFont);
        p.setPen(accentRed());
        const bool fits = QFontMetricsF(l.dateFont).horizontalAdvance(m_fullDate) <= l.date.width();
        p.drawText(l.date, Qt::AlignCenter, fit(l.dateFont, fits ? m_fullDate : m_compactDate));
    }
    if (exposed.intersects(l.time.toAlignedRect())) {
        p.setFont(l.timeFont);
        p.setPen(Qt::white);
        paintTime(p, l);
    }
    p.setPen(white(0.55));
    if (exposed.intersects(l.seconds.toAlignedRect())) {
        p.setFont(l.secondsFont);
        p.drawText(l.seconds, Qt::AlignCenter, ClockText::secondsString(m_date));
    }
    if (exposed.intersects(l.city.toAlignedRect())) {
        p.setFont(l.cityFont);
        p.drawText(l.city, Qt::AlignCenter, fit(l.cityFont, m_city));
    }
}
