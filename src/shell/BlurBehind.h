#pragma once

#include <QRect>

class QWindow;

namespace shell {

// Blur behind `region` (logical, window coordinates) of a top-level window,
// asked the way the window's platform has: an X11 property KWin reads, or
// KWin's Wayland blur protocol. Compositors that know neither keep the window's
// own painted backdrop.
void setBlurBehind(QWindow *window, const QRect &region);

}  // namespace shell
