#include "AnalogClockFace.h"

#include "ClockDial.h"
#include "ClockText.h"
#include "Colors.h"
#include "Fonts.h"
#include "GlassStyle.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>

#include <array>

using namespace pellix::ui;

namespace {

std::array<ClockHand, 3> handsAt(const QTime &t)
{
    return {{{ClockText::hourAngle(t), 0.55, 4.5, Qt::white},
             {ClockText::minuteAngle(t), 0.8, 3.5, Qt::white},
             {ClockText::secondAngle(t), 0.88, 1.5, accentRed()}}};
}

}  // namespace

AnalogClockFace::AnalogClockFace(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void AnalogClockFace::setTime(const QDateTime &date)
{
    const QDateTime before = m_date;
    m_date = date;
    if (date.date() != before.date()) {  // the date line changes once a day, not every tick
        m_shortDate = ClockText::shortDateString(date);
        update();
    } else if (date.time() != before.time()) {
        update(handsChange(before.time(), date.time()));
    }
}

// Where the hands were and are now, for the hands that moved, and the cap over
// them: the dial under them comes from the cached layer. One rectangle per hand:
// finer pieces cost more in region arithmetic than the pixels they save.
QRegion AnalogClockFace::handsChange(const QTime &before, const QTime &now) const
{
    const QRectF area(rect());
    const auto was = handsAt(before), is = handsAt(now);
    QRegion region;
    for (size_t i = 0; i < is.size(); ++i) {
        if (was[i].angle != is[i].angle)
            region += clockHandBounds(area, was[i]).united(clockHandBounds(area, is[i]));
    }
    if (!region.isEmpty())
        region += centreCapRect(area).adjusted(-2, -2, 2, 2).toAlignedRect();
    return region;
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

// The cap never turns: it is drawn once into a small pixmap at an integer offset,
// so it lands on the same pixels as if painted in place.
const QPixmap &AnalogClockFace::capLayer(QRect &target, qreal ratio)
{
    const QRectF area(rect());
    target = centreCapRect(area).adjusted(-1, -1, 1, 1).toAlignedRect();
    if (!m_cap.isNull() && m_capTarget == target && m_cap.devicePixelRatio() == ratio)
        return m_cap;
    m_capTarget = target;
    m_cap = QPixmap((QSizeF(target.size()) * ratio).toSize());
    m_cap.setDevicePixelRatio(ratio);
    m_cap.fill(Qt::transparent);
    QPainter p(&m_cap);
    p.translate(-target.topLeft());
    paintCentreCap(p, area);
    return m_cap;
}

void AnalogClockFace::paintEvent(QPaintEvent *event)
{
    const QRegion &exposed = event->region();
    QPainter painter(this);
    drawLayerPart(painter, staticLayer(), exposed);
    const QRectF area(rect());
    for (const ClockHand &hand : handsAt(m_date.time())) {
        // A hand the repaint does not reach is not stroked at all.
        if (exposed.intersects(clockHandBounds(area, hand)))
            paintClockHand(painter, area, hand);
    }
    QRect capAt;
    // Device pixels per point of the target, also when rendered into a scaled image.
    const qreal scale = painter.deviceTransform().m11();
    const QPixmap &cap = capLayer(capAt, scale > 0 ? scale : devicePixelRatioF());
    if (exposed.intersects(capAt))
        painter.drawPixmap(capAt.topLeft(), cap);
}
