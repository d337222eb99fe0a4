#pragma once

// The battery ring shared by the desktop widget and the extension: a faint full
// circle, an arc from the top clockwise for the charge, and the charging bolt.

#include <QColor>
#include <QPointF>
#include <QString>

#include <cstdint>

class QPainter;

namespace pellix::ui {

// Symbol sizes are given in points of the platform's symbol font, whose glyphs
// fill their size; a Material Icons glyph leaves a margin in its box, so it is
// drawn this much larger to look the same size.
inline constexpr double kRingSymbolScale = 1.35;

// Red below 20 %, green from 20 % on.
QColor batteryLevelColor(int64_t percent);
// The symbol drawn in a ring's centre for a device type.
QString batteryIconName(const QString &type);
// "85%".
QString batteryPercentText(int64_t percent);
// The share of the circle the arc covers, limited to 0…1 as a trimmed circle is.
double batteryArcFraction(int64_t percent);

// Layers 1 and 2, stroked on a circle of `diameter` around `centre` (the stroke
// straddles the circle, as a stroked shape does).
void drawBatteryRing(QPainter &painter, const QPointF &centre, double diameter, double lineWidth,
                     double fraction, const QColor &arcColor);
// "bolt.fill" in system yellow, `offset` from the ring's centre.
void drawChargingBolt(QPainter &painter, const QPointF &centre, double size, const QPointF &offset);

}  // namespace pellix::ui
