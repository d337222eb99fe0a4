#include "DigitalClockFace.h"

#include "ClockText.h"
#include "Colors.h"
#include "Fonts.h"

#include <QFontMetricsF>
#include <QPainter>

using namespace pellix::ui;

DigitalClockFace::DigitalClockFace(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void DigitalClockFace::setTime(const QDateTime &date)
{
    m_date = date;
    update();
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

void DigitalClockFace::paintEvent(QPaintEvent *)
{
    const QFont dateFont = systemFont(11, Weight::Bold, 0.8);
    const QFont timeFont = systemFont(m_medium ? 34 : 38, Weight::Light, -1.2);
    const QFont secondsFont = systemFont(13, Weight::Medium);
    const QFont cityFont = systemFont(11, Weight::Bold, 0.5);
    const double dateH = QFontMetricsF(dateFont).height();
    const double timeH = QFontMetricsF(timeFont).height();
    const double secondsH = QFontMetricsF(secondsFont).height();
    const double cityH = QFontMetricsF(cityFont).height();

    const double pad = m_medium ? 0 : 4;
    const QRectF area = QRectF(rect()).adjusted(pad, 0, -pad, 0);
    // Date on top and city at the bottom, 8 points from the middle block, which
    // takes the rest of the height and centres the time and seconds in it.
    const double middleTop = area.top() + dateH + 8;
    const double middleBottom = area.bottom() - cityH - 8;
    const double stackTop = (middleTop + middleBottom) / 2 - (timeH + secondsH) / 2;

    auto line = [&](double y, double h) { return QRectF(area.left(), y, area.width(), h); };
    auto fit = [&](const QFont &f, const QString &s) {
        return QFontMetricsF(f).elidedText(s, Qt::ElideRight, area.width());
    };

    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(dateFont);
    p.setPen(accentRed());
    p.drawText(line(area.top(), dateH), Qt::AlignCenter, fit(dateFont, ClockText::fullDateString(m_date)));
    p.setFont(timeFont);
    p.setPen(Qt::white);
    p.drawText(line(stackTop, timeH), Qt::AlignCenter, ClockText::timeString(m_date));
    p.setFont(secondsFont);
    p.setPen(white(0.55));
    p.drawText(line(stackTop + timeH, secondsH), Qt::AlignCenter, ClockText::secondsString(m_date));
    p.setFont(cityFont);
    p.drawText(line(area.bottom() - cityH, cityH), Qt::AlignCenter, fit(cityFont, m_city));
}
