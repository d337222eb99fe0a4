#pragma once

// What Qt 6.4 cannot say to an X11 window manager or compositor, said through
// xcb. Every function is a no-op off X11 (offscreen, Wayland) and returns false there.

#include <QPoint>
#include <QRect>

class QWindow;

namespace x11 {

struct DesktopHints {
    bool allDesktops = false;  // _NET_WM_DESKTOP 0xFFFFFFFF
    bool below = false;        // _NET_WM_STATE_BELOW
    // SKIP_TASKBAR and SKIP_PAGER are always asked for.
};

bool available();

// Before the first map: written straight into the window's properties.
bool setDesktopHintsBeforeMap(QWindow *window, const DesktopHints &hints);
// Once mapped the window manager owns those properties: ask it with EWMH client messages.
bool requestDesktopHints(QWindow *window, const DesktopHints &hints);

// Whether a compositing manager holds the _NET_WM_CM_Sn selection of the window's screen.
bool compositorRunning();

// Blur-behind request for compositors that read _KDE_NET_WM_BLUR_BEHIND_REGION (KWin).
bool setBlurBehind(QWindow *window, const QRect &region);

// Limits where the window takes the mouse, in window coordinates.
bool setInputShape(QWindow *window, const QRect &rect);

// Hands a pointer drag of the window to the window manager (_NET_WM_MOVERESIZE),
// anchored at `pressPos` (root coordinates, device pixels) where the button went
// down, so the window keeps the grabbed point under the pointer. False when no
// window manager supports it.
bool startWindowMove(QWindow *window, const QPoint &pressPos);

}  // namespace x11
