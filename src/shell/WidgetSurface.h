#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>

class QMouseEvent;
class QWidget;

// What a widget window asks of the windowing system where X11 and Wayland
// differ: hints before the first map, stacking, the input region, blur and
// where the window sits. Rectangles are logical, `content` in window
// coordinates, `geometry` the whole window (shadow margin included) in Qt's
// global coordinates.
class WidgetSurface {
public:
    virtual ~WidgetSurface() = default;

    // Once, after the native window exists and before it is shown.
    virtual void prepareBeforeMap() = 0;
    // Whether click-through must wait for the first exposure (X11: a window
    // mapped transparent for input has its clicks taken by the window manager's frame).
    virtual bool clickThroughWaitsForMap() const = 0;
    // On every transition to exposed; false when there is nothing to redo.
    virtual bool reassertOnMap() = 0;
    virtual void setInputRegion(const QRect &content) = 0;
    virtual void setBlurBehind(const QRect &content) = 0;

    // Whether a repaint may start from the previous frame's pixels, so the window
    // clears what it repaints (everything on it is translucent and would pile up).
    virtual bool mayHoldStalePixels() const { return false; }

    virtual QRect geometry() const = 0;
    virtual void setGeometry(const QRect &geometry) = 0;
    // A step of the user's drag (the drop itself goes through setGeometry).
    virtual void dragTo(const QPoint &topLeft) { setGeometry(QRect(topLeft, geometry().size())); }
    // The pointer in the space drag deltas are taken in: global on X11,
    // surface-local on Wayland (where Qt's global position is the local one).
    virtual QPoint dragPoint(const QMouseEvent &event) const = 0;
    // The window's position when `event` happened.
    virtual QPoint positionAt(const QMouseEvent &event) const = 0;
};

// The native Wayland surface when the app runs on Qt's wayland platform and the
// build has layer-shell support; the X11 one otherwise (a no-op off X11).
std::unique_ptr<WidgetSurface> createWidgetSurface(QWidget *window, const QString &name);

// Whether this build can make native Wayland widgets, and whether the
// compositor at WAYLAND_DISPLAY lets it (asked within a bounded time).
bool buildHasLayerShell();
bool compositorHasLayerShell();
