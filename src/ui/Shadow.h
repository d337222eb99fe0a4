#pragma once

// Soft drop shadows and the indeterminate progress spinner, painted.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>

class QPainter;
class QRegion;

namespace pellix::ui {

// The shadow of `source` (alpha only): `color` with the source's coverage,
// blurred by about `radius` points. Same size as the source, so the source
// needs a transparent margin of at least `radius` around what it draws.
QImage dropShadow(const QImage &source, double radius, const QColor &color);

// The soft shadow around a window's rounded content: darkest at the content's
// edge, gone `margin` points further out, dropped 2 points, nothing under the
// content itself. Drawn as stacked faint shapes: too slow to repeat per frame.
void paintWindowShadow(QPainter &painter, const QRectF &content, double radius, int margin);

// The same shadow for a window `window` with `margin` around its content, from
// nine tiles (corners and edge strips) made once per pixel ratio, radius and
// margin and shared by every window; tiles that miss `exposed` are skipped.
void paintWindowShadowTiles(QPainter &painter, const QRect &window, double radius, int margin,
                            const QRegion &exposed);

// The middle of such a window, where no tile draws anything.
QRect windowShadowFreeArea(const QRect &window, double radius, int margin);

// A spoked spinner (twelve spokes, the brightest at `phase` 0..11) in `rect`.
void drawSpinner(QPainter &painter, const QRectF &rect, int phase, const QColor &color);
inline constexpr int kSpinnerSpokes = 12;

}  // namespace pellix::ui
