#include "ShellGeometry.h"

#include <cmath>

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
