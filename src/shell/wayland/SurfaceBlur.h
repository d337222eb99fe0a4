#pragma once

#include <QRect>

class QWindow;

namespace wayland {

// Asks the compositor to blur what lies behind `region` (logical, in window
// coordinates) of the window's surface; an empty region asks for no blur. Only
// compositors with org_kde_kwin_blur (KWin) do it; elsewhere, and in builds
// without KF6 WindowSystem, nothing is sent.
void setBlurBehind(QWindow *window, const QRect &region);

}  // namespace wayland
