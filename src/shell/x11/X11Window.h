#pragma once

// What Qt 6.4 cannot say to an X11 window manager or compositor, said through
// xcb. Every function is a no-op off X11 (offscreen, Wayland) and returns false there.

#include <QRect>

class QWindow;

namespace x11 {

struct DesktopHints {
    bool allDesktops = false;  // _NET_WM_DESKTOP 0xFFFFFFFF
    bool below = false;        // _NET_WM_STATE_BELOW
    // _NET_WM_WINDOW_TYPE_DESKTOP: window managers keep such windows shown while
    // "show desktop" hides the others, and never move them (the app drags them itself).
    bool desktopType = false;
    // SKIP_TASKBAR and SKIP_PAGER are always asked for.
};

bool available();

// Sends what Qt has queued for the X server (a map above all) now rather than at
// the next pass of the event loop, so that the window manager works in parallel.
void flush();

// Before the first map: written straight into the window's properties (the
// window type only here: window managers read it when they take the window on).
bool setDesktopHintsBeforeMap(QWindow *window, const DesktopHints &hints);
// Once mapped the window manager owns those properties: ask it with EWMH client messages.
bool requestDesktopHints(QWindow *window, const DesktopHints &hints);

// Whether a compositing manager holds the _NET_WM_CM_Sn selection of the window's screen.
bool compositorRunning();

// Rectangles below are in the window's logical coordinates, as Qt gives them;
// X is told device pixels (they differ under QT_SCALE_FACTOR or a HiDPI screen).

// Blur-behind request for compositors that read _KDE_NET_WM_BLUR_BEHIND_REGION (KWin).
bool setBlurBehind(QWindow *window, const QRect &region);

// Limits where the window takes the mouse.
bool setInputShape(QWindow *window, const QRect &rect);

// `rect` in device pixels of `window`.
QRect toDevicePixels(const QWindow *window, const QRect &rect);

}  // namespace x11
