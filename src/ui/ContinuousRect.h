#pragma once

// A rounded rectangle with continuous corners: each corner is a superellipse
// quadrant that meets the straight edges with zero curvature, so the outline
// has no visible kink where a circular arc would start.

#include <QPainterPath>
#include <QRectF>

namespace pellix::ui {

// How far a corner reaches along each edge, as a multiple of the nominal radius.
inline constexpr double kContinuousCornerExtent = 1.528;

QPainterPath continuousRoundedRect(const QRectF &rect, double radius);

}  // namespace pellix::ui
