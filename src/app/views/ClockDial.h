#pragma once

// Geometry and painting of the analogue clock: the 60-tick ring and the hands.
// Dial and hands share one square-ish area and so one centre.

#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QRect>
#include <QVector>

class QPainter;

struct ClockHand {
    double angle;           // degrees clockwise from 12 o'clock
    double lengthFraction;  // of the dial radius
    double thickness;       // points
    QColor color;
};

// Hand from the centre outward; 0 degrees points up, angles grow clockwise.
QLineF clockHandLine(const QRectF &area, const ClockHand &hand);
// 60 ticks, every fifth one longer; no numerals, no outer circle.
QVector<QLineF> clockDialTicks(const QRectF &area);

// The points a hand's stroke can touch.
QRect clockHandBounds(const QRectF &area, const ClockHand &hand);
QRectF centreCapRect(const QRectF &area);

void paintClockDial(QPainter &painter, const QRectF &area);
void paintClockHand(QPainter &painter, const QRectF &area, const ClockHand &hand);
void paintCentreCap(QPainter &painter, const QRectF &area);
