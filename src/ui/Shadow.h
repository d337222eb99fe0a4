#pragma once

// Soft drop shadows and the indeterminate progress spinner, painted.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace pellix::ui {

// The shadow of `source` (alpha only): `color` with the source's coverage,
// blurred by about `radius` points. Same size as the source, so the source
// needs a transparent margin of at least `radius` around what it draws.
QImage dropShadow(const QImage &source, double radius, const QColor &color);

// A spoked spinner (twelve spokes, the brightest at `phase` 0..11) in `rect`.
void drawSpinner(QPainter &painter, const QRectF &rect, int phase, const QColor &color);
inline constexpr int kSpinnerSpokes = 12;

}  // namespace pellix::ui
