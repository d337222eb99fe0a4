#include "AnalogClockFace.h"

#include "ClockDial.h"
#include "ClockText.h"
#include "Colors.h"
#include "Fonts.h"

#include <QFontMetricsF>
#include <QPainter>

using namespace pellix::ui;

AnalogClockFace::AnalogClockFace(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void AnalogClockFace::setTime(const QDateTime &date)
{
    if (date.date() != m_date.date())  // the date line changes once a day, not every tick
        m_shortDate = ClockText::shortDateString(date);
    m_date = date;
    update();
}

void AnalogClockFace::setCity(const QString &city)
{
    if (city == m_city)
        return;
    m_city = city;
    update();
}

void AnalogClockFace::setShowsTexts(bool shows)
{
    if (shows == m_showsTexts)
        return;
    m_showsTexts = shows;
    update();
}

const QPixmap &AnalogClockFace::staticLayer()
{
    const QString key = m_showsTexts ? m_city + QChar(0) + m_shortDate : QString();
    const qreal ratio = devicePixelRatioF();
    if (!m_static.isNull() && m_staticSize == size() && m_staticRatio == ratio && m_staticKey == key)
        return m_static;
    m_staticSize = size();
    m_staticRatio = ratio;
    m_staticKey = key;

    m_static = QPixmap((QSizeF(size()) * ratio).toSize());
    m_static.setDevicePixelRatio(ratio);
    m_static.fill(Qt::transparent);
    QPainter p(&m_static);
    const QRectF area(rect());
    paintClockDial(p, area);
    if (m_showsTexts)
        paintTexts(p, area);
    return m_static;
}

// Two lines stacked 2 points apart around the centre, then pushed 18 points
// apart so the hands' hub sits between them.
void AnalogClockFace::paintTexts(QPainter &painter, const QRectF &area) const
{
    const QFont cityFont = systemFont(9, Weight::Bold, 0.3);
    const QFont dateFont = systemFont(9, Weight::Bold);
    const double cityHeight = QFontMetricsF(cityFont).height();
    const double dateHeight = QFontMetricsF(dateFont).height();
    const double top = area.center().y() - (cityHeight + 2 + dateHeight) / 2;

    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(cityFont);
    painter.setPen(white(0.55));
    const QRectF cityRect(area.left(), top - 18, area.width(), cityHeight);
    painter.drawText(cityRect, Qt::AlignCenter,
                     QFontMetricsF(cityFont).elidedText(m_city, Qt::ElideRight, area.width()));
    painter.setFont(dateFont);
    painter.setPen(accentRed());
    const QRectF dateRect(area.left(), top + cityHeight + 2 + 18, area.width(), dateHeight);
    painter.drawText(dateRect, Qt::AlignCenter, m_shortDate);
}

void AnalogClockFace::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, staticLayer());
    const QRectF area(rect());
    const QTime t = m_date.time();
    paintClockHand(painter, area, {ClockText::hourAngle(t), 0.55, 4.5, Qt::white});
    paintClockHand(painter, area, {ClockText::minuteAngle(t), 0.8, 3.5, Qt::white});
    paintClockHand(painter, area, {ClockText::secondAngle(t), 0.88, 1.5, accentRed()});
    paintCentreCap(painter, area);
}
