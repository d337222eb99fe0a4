#include "ClockDial.h"

#include "Colors.h"

#include <QImage>
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

QRect clockHandBounds(const QRectF &area, const ClockHand &hand)
{
    const QLineF line = clockHandLine(area, hand);
    const double pad = hand.thickness / 2 + 1;  // the round cap and a pixel of antialiasing
    return QRectF(line.p1(), line.p2()).normalized().adjusted(-pad, -pad, pad, pad).toAlignedRect();
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

// Rasterised here rather than stroked: Qt's stroker builds and fills a
// round-capped outline, two to three times the work for these few pixels every
// second. A pixel's coverage is how far it lies inside the hand's edge, measured
// from the centre line, which is what antialiasing gives a straight edge.
void paintClockHand(QPainter &painter, const QRectF &area, const ClockHand &hand)
{
    // Device pixels per point, whatever the painter is painting into (a window,
    // or a scaled image through QWidget::render).
    const QTransform &toDevice = painter.deviceTransform();
    if (toDevice.type() > QTransform::TxScale || toDevice.m11() != toDevice.m22() || toDevice.m11() <= 0) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(hand.color, hand.thickness, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(clockHandLine(area, hand));
        painter.restore();
        return;
    }
    const double ratio = toDevice.m11();
    const QLineF line = clockHandLine(area, hand);
    const QRect box = clockHandBounds(area, hand);
    QImage sprite(box.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    sprite.setDevicePixelRatio(ratio);
    sprite.fill(0);

    // Device pixels of the sprite from here on.
    const double ax = (line.x1() - box.left()) * ratio, ay = (line.y1() - box.top()) * ratio;
    const double dx = line.dx() * ratio, dy = line.dy() * ratio;
    const double len2 = std::max(dx * dx + dy * dy, 1e-9), len = std::sqrt(len2);
    const double r = hand.thickness / 2 * ratio;
    const double outer2 = (r + 0.5) * (r + 0.5), inner2 = r > 0.5 ? (r - 0.5) * (r - 0.5) : -1;
    const QRgb colour = hand.color.rgba();
    const int w = sprite.width();
    for (int y = 0; y < sprite.height(); ++y) {
        const double py = y + 0.5 - ay;
        // The row meets the hand only where it crosses the band around the centre line.
        int x0 = 0, x1 = w;
        if (std::abs(dy) > 1e-6) {
            const double xc = ax + py * dx / dy, span = (r + 1.5) * len / std::abs(dy);
            x0 = std::max(0, int(std::floor(xc - span)));
            x1 = std::min(w, int(std::ceil(xc + span)) + 1);
        }
        QRgb *row = reinterpret_cast<QRgb *>(sprite.scanLine(y));
        for (int x = x0; x < x1; ++x) {
            const double px = x + 0.5 - ax;
            const double t = std::clamp((px * dx + py * dy) / len2, 0.0, 1.0);
            const double ex = px - t * dx, ey = py - t * dy, d2 = ex * ex + ey * ey;
            if (d2 >= outer2)
                continue;
            const double coverage = d2 <= inner2 ? 1.0 : std::clamp(r + 0.5 - std::sqrt(d2), 0.0, 1.0);
            row[x] = qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour),
                                        int(qAlpha(colour) * coverage + 0.5)));
        }
    }
    painter.drawImage(QPointF(box.topLeft()), sprite);
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
