#include "BatteryRing.h"

#include "Colors.h"
#include "ExactSizeText.h"
#include "Fonts.h"
#include "Symbols.h"

#include <QFontMetricsF>
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

void drawChargingBolt(QPainter &painter, const QPointF &centre, double size, double offset)
{
    const QPointF at = centre + QPointF(offset, offset);
    const double glyph = size * kRingSymbolScale;
    const QRectF box(at.x() - glyph, at.y() - glyph, 2 * glyph, 2 * glyph);
    drawSymbol(painter, box, QStringLiteral("bolt.fill"), glyph, systemYellow());
}

BatteryRingStyle smallRingStyle() { return {10, 96, 7.5, true, 21, 11, 20}; }
BatteryRingStyle mediumRingStyle() { return {4, 44, 5, false, 14, 10, 12}; }
BatteryRingStyle extensionRingStyle() { return {4, 44, 5, false, 14, 8, 10}; }

double batteryRingCellHeight(const BatteryRingStyle &style, const QList<BatteryRingLabel> &labels)
{
    double height = style.ringSize;
    if (!labels.isEmpty())
        height += style.spacing - kRingLabelSpacing;
    for (const BatteryRingLabel &label : labels)
        height += kRingLabelSpacing + TextMetrics(label.font).height();
    return height;
}

QPointF batteryRingCentre(const QRectF &cell, const BatteryRingStyle &style, const QList<BatteryRingLabel> &labels)
{
    const double top = cell.top() + (cell.height() - batteryRingCellHeight(style, labels)) / 2;
    return QPointF(cell.center().x(), top + style.ringSize / 2);
}

void paintBatteryRingCell(QPainter &painter, const QRectF &cell, const BatteryRingStyle &style,
                          const BatteryRingReading &reading, double arcFraction,
                          const QList<BatteryRingLabel> &labels)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QPointF centre = batteryRingCentre(cell, style, labels);
    drawBatteryRing(painter, centre, style.ringSize, style.lineWidth, arcFraction, batteryLevelColor(reading.percent));

    const QRectF ringArea(centre.x() - style.ringSize / 2, centre.y() - style.ringSize / 2, style.ringSize,
                          style.ringSize);
    if (style.percentInCentre) {
        painter.setFont(systemFont(style.centreSize, Weight::Bold));
        painter.setPen(white());
        painter.drawText(ringArea, Qt::AlignCenter, batteryPercentText(reading.percent));
    } else {
        drawSymbol(painter, ringArea, batteryIconName(reading.type), style.centreSize * kRingSymbolScale, white());
    }
    if (reading.charging)
        drawChargingBolt(painter, centre, style.boltSize, style.boltOffset);

    double y = ringArea.bottom() + style.spacing;
    for (const BatteryRingLabel &label : labels) {
        const TextMetrics metrics(label.font);
        painter.setPen(label.color);
        drawText(painter, QRectF(cell.left(), y, cell.width(), metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                 metrics.elidedText(label.text, Qt::ElideRight, cell.width()), label.font);
        y += metrics.height() + kRingLabelSpacing;
    }
    painter.restore();
}

}  // namespace pellix::ui
