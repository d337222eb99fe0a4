#pragma once

// Placement rules of the widget manager, in screen points with y growing
// upward from the bottom of the primary screen (the form positions are stored
// in). Conversion to Qt's y-down space happens only at the window boundary.

#include "Position.h"

#include <QRect>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

namespace shell {

// A rectangle in y-up space: (x, y) is the lower-left corner.
struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double minX() const { return x; }
    double maxX() const { return x + width; }
    double minY() const { return y; }
    double maxY() const { return y + height; }
    Position origin() const { return {x, y}; }

    friend bool operator==(const Rect &, const Rect &) = default;
};

// One screen: all of it, and the part left to windows (without panels and docks).
struct ScreenArea {
    Rect frame;
    Rect workArea;

    friend bool operator==(const ScreenArea &, const ScreenArea &) = default;
};

inline constexpr double kWidgetHeight = 170;
// A widget with less than this much of it (both ways) on every screen cannot be reached.
inline constexpr double kMinReachable = 40;
inline constexpr double kSnapDistance = 12;
inline constexpr double kControlPanelWidth = 420;
inline constexpr double kControlPanelHeight = 600;
// Used when there is no primary screen.
inline constexpr Rect kFallbackVisibleFrame{0, 0, 1440, 900};

// 340 for "medium", 170 for anything else.
double widgetWidth(const QString &size);

// Centred in the visible frame's size; the frame's own origin is deliberately not added.
Rect controlPanelFrame(const Rect &visible);

// First-appearance origin of a widget of the given width; absent for an unknown name.
std::optional<Position> defaultOrigin(const QString &name, double width, const Rect &visible);

// First-appearance origin of a widget without a place of its own (an extension's):
// the highest free place in the left column, or its top when the column is full.
Position freeOrigin(double width, const Rect &visible, const std::vector<Rect> &others);

// Keeps the right edge where it was and grows or shrinks to the left.
Rect resizedFrame(const Rect &frame, const QString &size);

// Snaps a dropped frame to the visible frame's edges, then to each other
// widget in turn (a later one may override an earlier snap). Only the origin changes.
Rect snappedFrame(Rect candidate, const Rect &visible, const std::vector<Rect> &others);

// Whether at least kMinReachable × kMinReachable of `frame` lies on one screen.
bool isReachable(const Rect &frame, const std::vector<ScreenArea> &screens);
// The screen holding most of `frame`; when none holds any, the nearest one (the
// first on a tie). Null only without screens.
const ScreenArea *screenOf(const Rect &frame, const std::vector<ScreenArea> &screens);
// `frame` itself when it is reachable; otherwise moved into the work area of its screen.
Rect reachableFrame(const Rect &frame, const std::vector<ScreenArea> &screens);

// The primary screen in Qt coordinates, and conversions between the two spaces.
// `screen` is the Qt geometry of the primary screen.
QRectF toQt(const Rect &r, const QRectF &screen);
Rect fromQt(const QRectF &r, const QRectF &screen);
// Qt window rectangles are whole pixels.
QRect toQtPixels(const Rect &r, const QRectF &screen);

}  // namespace shell
