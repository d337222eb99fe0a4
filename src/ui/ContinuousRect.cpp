#include "ContinuousRect.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace pellix::ui {

namespace {

constexpr int kSegmentsPerCorner = 18;

// The exponent that puts the corner's diagonal point where a circular arc of
// the nominal radius would pass, so the two read as the same size.
double cornerExponent()
{
    const double arcInset = 1.0 - 1.0 / std::sqrt(2.0);  // diagonal inset of a circular corner, in radii
    return std::log(2.0) / -std::log(1.0 - arcInset / kContinuousCornerExtent);
}

}  // namespace

QPainterPath continuousRoundedRect(const QRectF &rect, double radius)
{
    QPainterPath path;
    if (rect.isEmpty())
        return path;
    const double extent = std::clamp(radius * kContinuousCornerExtent, 0.0,
                                     std::min(rect.width(), rect.height()) / 2);
    if (extent <= 0) {
        path.addRect(rect);
        return path;
    }
    const double power = 2.0 / cornerExponent();
    // Corner centres and the signs that point from a centre toward its corner,
    // in drawing order: top-right, bottom-right, bottom-left, top-left.
    struct Corner { double cx, cy, sx, sy; };
    const Corner corners[] = {
        {rect.right() - extent, rect.top() + extent, +1, -1},
        {rect.right() - extent, rect.bottom() - extent, +1, +1},
        {rect.left() + extent, rect.bottom() - extent, -1, +1},
        {rect.left() + extent, rect.top() + extent, -1, -1},
    };
    path.moveTo(rect.left() + extent, rect.top());
    for (int c = 0; c < 4; ++c) {
        const Corner &k = corners[c];
        // Walk from the edge entering the corner to the edge leaving it (clockwise).
        const bool fromHorizontal = (c % 2 == 0);
        for (int i = 0; i <= kSegmentsPerCorner; ++i) {
            double t = (M_PI / 2) * i / kSegmentsPerCorner;
            if (!fromHorizontal)
                t = M_PI / 2 - t;
            const double ux = std::pow(std::sin(t), power);  // along x toward the corner
            const double uy = std::pow(std::cos(t), power);  // along y toward the corner
            path.lineTo(k.cx + k.sx * extent * ux, k.cy + k.sy * extent * uy);
        }
    }
    path.closeSubpath();
    return path;
}

}  // namespace pellix::ui
