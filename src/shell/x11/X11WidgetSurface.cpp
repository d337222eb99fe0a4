#include "X11WidgetSurface.h"

#include "DesktopStacking.h"
#include "X11Window.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace x11 {

namespace {
constexpr DesktopHints kWidgetHints{.allDesktops = true, .below = true, .desktopType = true};
}

void X11WidgetSurface::prepareBeforeMap()
{
    setDesktopHintsBeforeMap(m_window->windowHandle(), kWidgetHints);
    keepAboveOtherDesktops(m_window->windowHandle());
}

bool X11WidgetSurface::clickThroughWaitsForMap() const
{
    return available();
}

// After a withdraw and re-map openbox has dropped the desktop, stacking and skip states.
bool X11WidgetSurface::reassertOnMap()
{
    return requestDesktopHints(m_window->windowHandle(), kWidgetHints);
}

void X11WidgetSurface::setInputRegion(const QRect &content)
{
    setInputShape(m_window->windowHandle(), content);
}

void X11WidgetSurface::setBlurBehind(const QRect &content)
{
    x11::setBlurBehind(m_window->windowHandle(), content);
}

QRect X11WidgetSurface::geometry() const
{
    return m_window->geometry();
}

void X11WidgetSurface::setGeometry(const QRect &geometry)
{
    m_window->setGeometry(geometry);
}

QPoint X11WidgetSurface::dragPoint(const QMouseEvent &event) const
{
    return event.globalPosition().toPoint();
}

// From the event's own coordinates, not pos(): right after the map, on a loaded
// machine, pos() can still be the window's place before the map.
QPoint X11WidgetSurface::positionAt(const QMouseEvent &event) const
{
    return (event.globalPosition() - event.position()).toPoint();
}

}  // namespace x11
