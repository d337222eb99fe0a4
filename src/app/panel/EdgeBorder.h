#pragma once

// Lines along chosen edges of a rectangle, and border(): a view drawn with
// such lines over its background (the device list and the city column use its
// top edge as a rule).

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QRectF>

class QWidget;

namespace panel {

enum class Edge { Top, Leading, Bottom, Trailing };

struct EdgeBorder {
    double width = 1;
    QList<Edge> edges;

    // One rectangle per edge, in list order. Leading is the left edge.
    QPainterPath path(const QRectF &bounds) const;
};

// Paints `EdgeBorder{width, edges}` filled with `color` on `view`, below its children.
void border(QWidget *view, double width, const QList<Edge> &edges, const QColor &color);

}  // namespace panel
