#include "ShellGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace shell {

namespace {

bool near(double a, double b)
{
    return std::abs(a - b) < kSnapDistance;
}

void snapToScreen(Rect &n, const Rect &v)
{
    if (near(n.minX(), v.minX()))
        n.x = v.minX();
    if (near(n.maxX(), v.maxX()))
        n.x = v.maxX() - n.width;
    if (near(n.minY(), v.minY()))
        n.y = v.minY();
    if (near(n.maxY(), v.maxY()))
        n.y = v.maxY() - n.height;
}

// One axis against another widget: align the matching edges, else sit flush
// against it; the first rule that applies wins.
void snapAxisToWidget(double &pos, double size, double otherMin, double otherMax)
{
    const double min = pos, max = pos + size;
    if (near(min, otherMin))
        pos = otherMin;
    else if (near(max, otherMax))
        pos = otherMax - size;
    else if (near(min, otherMax))
        pos = otherMax;
    else if (near(max, otherMin))
        pos = otherMin - size;
}

void snapToWidget(Rect &n, const Rect &o)
{
    snapAxisToWidget(n.x, n.width, o.minX(), o.maxX());
    snapAxisToWidget(n.y, n.height, o.minY(), o.maxY());
}

// Length of [aMin, aMax] ∩ [bMin, bMax], or minus the gap between them.
double overlap(double aMin, double aMax, double bMin, double bMax)
{
    return std::min(aMax, bMax) - std::max(aMin, bMin);
}

double gap(double aMin, double aMax, double bMin, double bMax)
{
    return std::max(0.0, -overlap(aMin, aMax, bMin, bMax));
}

// Keeps [pos, pos + size] inside [min, max]; the start wins when it cannot fit.
double clampSpan(double pos, double size, double min, double max)
{
    return std::max(min, std::min(pos, max - size));
}

}  // namespace

double widgetWidth(const QString &size)
{
    return size == QLatin1String("medium") ? 340 : 170;
}

Rect controlPanelFrame(const Rect &visible)
{
    return {(visible.width - kControlPanelWidth) / 2, (visible.height - kControlPanelHeight) / 2,
            kControlPanelWidth, kControlPanelHeight};
}

std::optional<Position> defaultOrigin(const QString &name, double width, const Rect &visible)
{
    const double x = visible.maxX() - width - 20;
    if (name == QLatin1String("clock"))
        return Position{x, visible.maxY() - 170 - 40};
    if (name == QLatin1String("weather"))
        return Position{x, visible.maxY() - 340 - 80};
    if (name == QLatin1String("battery"))
        return Position{x, visible.maxY() - 510 - 120};
    if (name == QLatin1String("music"))
        return Position{x, visible.minY() + 40};
    return std::nullopt;
}

Position freeOrigin(double width, const Rect &visible, const std::vector<Rect> &others)
{
    constexpr double kMargin = 20;
    constexpr double kTopGap = 40;  // as the built-ins' column keeps
    const double x = visible.minX() + kMargin;
    const auto overlaps = [&](const Rect &place) {
        return std::any_of(others.begin(), others.end(), [&](const Rect &o) {
            return place.minX() < o.maxX() && o.minX() < place.maxX() && place.minY() < o.maxY() &&
                   o.minY() < place.maxY();
        });
    };
    const double top = visible.maxY() - kWidgetHeight - kTopGap;
    for (double y = top; y >= visible.minY(); y -= kWidgetHeight + kMargin)
        if (const Rect place{x, y, width, kWidgetHeight}; !overlaps(place))
            return place.origin();
    return {x, top};
}

Rect resizedFrame(const Rect &frame, const QString &size)
{
    const double width = widgetWidth(size);
    return {frame.x - (width - frame.width), frame.y, width, kWidgetHeight};
}

Rect snappedFrame(Rect candidate, const Rect &visible, const std::vector<Rect> &others)
{
    snapToScreen(candidate, visible);
    for (const Rect &o : others)
        snapToWidget(candidate, o);
    return candidate;
}

bool isReachable(const Rect &frame, const std::vector<ScreenArea> &screens)
{
    return std::ranges::any_of(screens, [&](const ScreenArea &s) {
        return overlap(frame.minX(), frame.maxX(), s.frame.minX(), s.frame.maxX()) >= kMinReachable
               && overlap(frame.minY(), frame.maxY(), s.frame.minY(), s.frame.maxY()) >= kMinReachable;
    });
}

const ScreenArea *screenOf(const Rect &frame, const std::vector<ScreenArea> &screens)
{
    const ScreenArea *best = nullptr;
    double bestArea = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const ScreenArea &s : screens) {
        const double w = overlap(frame.minX(), frame.maxX(), s.frame.minX(), s.frame.maxX());
        const double h = overlap(frame.minY(), frame.maxY(), s.frame.minY(), s.frame.maxY());
        const double area = w > 0 && h > 0 ? w * h : 0;
        const double distance = std::hypot(gap(frame.minX(), frame.maxX(), s.frame.minX(), s.frame.maxX()),
                                           gap(frame.minY(), frame.maxY(), s.frame.minY(), s.frame.maxY()));
        if (area > bestArea || (bestArea == 0 && area == 0 && distance < bestDistance)) {
            best = &s;
            bestArea = area;
            bestDistance = distance;
        }
    }
    return best;
}

Rect reachableFrame(const Rect &frame, const std::vector<ScreenArea> &screens)
{
    const ScreenArea *screen = screenOf(frame, screens);
    if (!screen || isReachable(frame, screens))
        return frame;
    const Rect &w = screen->workArea;
    Rect placed = frame;
    placed.x = clampSpan(frame.x, frame.width, w.minX(), w.maxX());
    placed.y = clampSpan(frame.y, frame.height, w.minY(), w.maxY());
    return placed;
}

QRectF toQt(const Rect &r, const QRectF &screen)
{
    return {screen.x() + r.x, screen.y() + screen.height() - r.y - r.height, r.width, r.height};
}

Rect fromQt(const QRectF &r, const QRectF &screen)
{
    return {r.x() - screen.x(), screen.y() + screen.height() - r.y() - r.height(), r.width(), r.height()};
}

QRect toQtPixels(const Rect &r, const QRectF &screen)
{
    const QRectF q = toQt(r, screen);
    return {int(std::lround(q.x())), int(std::lround(q.y())), int(std::lround(q.width())),
            int(std::lround(q.height()))};
}

}  // namespace shell
