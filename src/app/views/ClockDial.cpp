#include "ClockDial.h"

#include "Colors.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

double radiusOf(const QRectF &area)
{
    return std::min(area.width(), area.height()) / 2;
}

}  // namespace

QLineF clockHandLine(const QRectF &area, const ClockHand &hand)
{
    const QPointF centre = area.center();
    const double length = radiusOf(area) * hand.lengthFraction;
    const double theta = qDegreesToRadians(hand.angle - 90);
    return QLineF(centre, centre + QPointF(std::cos(theta), std::sin(theta)) * length);
}

// Cut into pieces of a few points, each piece grown by half the pen and a pixel
// of antialiasing: a slanted hand repaints a band, not its whole bounding box.
QRegion clockHandRegion(const QRectF &area, const ClockHand &hand)
{
    constexpr double kPiece = 12;
    const QLineF line = clockHandLine(area, hand);
    const int pieces = std::max(1, int(std::ceil(line.length() / kPiece)));
    const double pad = hand.thickness / 2 + 1;
    QRegion region;
    for (int i = 0; i < pieces; ++i) {
        const QRectF piece = QRectF(line.pointAt(double(i) / pieces), line.pointAt(double(i + 1) / pieces)).normalized();
        region += piece.adjusted(-pad, -pad, pad, pad).toAlignedRect();
    }
    return region;
}

QRectF centreCapRect(const QRectF &area)
{
    return QRectF(area.center() - QPointF(4.5, 4.5), QSizeF(9, 9));
}

QVector<QLineF> clockDialTicks(const QRectF &area)
{
    const QPointF centre = area.center();
    const double r = radiusOf(area);
    QVector<QLineF> ticks;
    ticks.reserve(60);
    for (int i = 0; i < 60; ++i) {
        const double a = qDegreesToRadians(i * 6.0);
        const QPointF dir(std::cos(a), std::sin(a));
        const double inner = (i % 5 == 0) ? 0.78 : 0.84;
        ticks.append(QLineF(centre + dir * r * inner, centre + dir * r * 0.9));
    }
    return ticks;
}

void paintClockDial(QPainter &painter, const QRectF &area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(pellix::ui::white(0.18), 1.5));
    painter.drawLines(clockDialTicks(area));
    painter.restore();
}

void paintClockHand(QPainter &painter, const QRectF &area, const ClockHand &hand)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(hand.color, hand.thickness, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(clockHandLine(area, hand));
    painter.restore();
}

void paintCentreCap(QPainter &painter, const QRectF &area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF cap = centreCapRect(area);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pellix::ui::rgba(28, 28, 30));
    painter.drawEllipse(cap);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawEllipse(cap);
    painter.restore();
}
