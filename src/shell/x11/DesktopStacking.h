#pragma once

// Desktop-type windows share the window manager's lowest layer with the desktop
// itself, and a file manager's desktop raises itself when clicked (openbox does
// so for every click on it). The windows registered here are raised back over
// any other desktop-type window whenever the stacking changes; raising stays
// within that layer, so normal windows still cover them. No-op off X11.

class QWindow;

namespace x11 {

// For as long as `window` lives.
void keepAboveOtherDesktops(QWindow *window);

}  // namespace x11
