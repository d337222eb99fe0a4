#include "BatteryRing.h"

#include "Colors.h"
#include "Symbols.h"

#include <QPainter>
#include <QPainterPath>

namespace pellix::ui {

QColor batteryLevelColor(int64_t percent)
{
    return percent < 20 ? systemRed() : systemGreen();
}

QString batteryIconName(const QString &type)
{
    if (type == QLatin1String("macbook"))
        return QStringLiteral("laptopcomputer");
    if (type == QLatin1String("watch"))
        return QStringLiteral("applewatch");
    if (type == QLatin1String("mouse"))
        return QStringLiteral("mouse");
    if (type == QLatin1String("keyboard"))
        return QStringLiteral("keyboard");
    if (type == QLatin1String("trackpad"))
        return QStringLiteral("ipad.and.trackpad");
    if (type == QLatin1String("airpods"))
        return QStringLiteral("airpods");
    return QStringLiteral("battery.100");
}

QString batteryPercentText(int64_t percent)
{
    return QString::number(percent) + QLatin1Char('%');
}

double batteryArcFraction(int64_t percent)
{
    return qBound(0.0, double(percent) / 100.0, 1.0);
}

void drawBatteryRing(QPainter &painter, const QPointF &centre, double diameter, double lineWidth,
                     double fraction, const QColor &arcColor)
{
    const QRectF circle(centre.x() - diameter / 2, centre.y() - diameter / 2, diameter, diameter);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(white(0.08), lineWidth));
    painter.drawEllipse(circle);
    fraction = qBound(0.0, fraction, 1.0);
    if (fraction > 0) {
        QPainterPath arc;
        arc.arcMoveTo(circle, 90);
        arc.arcTo(circle, 90, -360.0 * fraction);  // negative span: clockwise on screen
        painter.setPen(QPen(arcColor, lineWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(arc);
    }
    painter.restore();
}

void drawChargingBolt(QPainter &painter, const QPointF &centre, double size, const QPointF &offset)
{
    const QPointF at = centre + offset;
    const double glyph = size * kRingSymbolScale;
    const QRectF box(at.x() - glyph, at.y() - glyph, 2 * glyph, 2 * glyph);
    drawSymbol(painter, box, QStringLiteral("bolt.fill"), glyph, systemYellow());
}

}  // namespace pellix::ui
