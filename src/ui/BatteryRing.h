#pragma once

// The battery ring shared by the desktop widget and the extension: a faint full
// circle, an arc from the top clockwise for the charge, the percentage or the
// device's symbol in the centre, the charging bolt, and labels underneath.

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
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
// "bolt.fill" in system yellow, `offset` right and down from the ring's centre.
void drawChargingBolt(QPainter &painter, const QPointF &centre, double size, double offset);

struct BatteryRingStyle {
    double spacing;         // between the ring area and the labels
    double ringSize;        // the square the circle is drawn in
    double lineWidth;
    bool percentInCentre;   // the percentage (bold text) rather than the type's symbol
    double centreSize;
    double boltSize;
    double boltOffset;
};

// The desktop widget's large ring, its medium rings, and the extension's ring.
BatteryRingStyle smallRingStyle();
BatteryRingStyle mediumRingStyle();
BatteryRingStyle extensionRingStyle();

struct BatteryRingLabel {
    QString text;  // one line; cut with an ellipsis when wider than the cell
    QFont font;
    QColor color;
};
inline constexpr double kRingLabelSpacing = 2;

struct BatteryRingReading {
    int64_t percent = 0;
    bool charging = false;
    QString type;
};

// Height of the ring and its labels stacked.
double batteryRingCellHeight(const BatteryRingStyle &style, const QList<BatteryRingLabel> &labels);
// Where the ring's centre lands when the stack is centred in `cell`.
QPointF batteryRingCentre(const QRectF &cell, const BatteryRingStyle &style, const QList<BatteryRingLabel> &labels);
// The ring with its labels, centred in `cell`; `arcFraction` is the arc's
// current length (it may be easing towards the reading's percentage).
void paintBatteryRingCell(QPainter &painter, const QRectF &cell, const BatteryRingStyle &style,
                          const BatteryRingReading &reading, double arcFraction,
                          const QList<BatteryRingLabel> &labels);

}  // namespace pellix::ui
