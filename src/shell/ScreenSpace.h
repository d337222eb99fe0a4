#pragma once

#include "ShellGeometry.h"

#include <vector>

namespace shell {

// The screens as the manager sees them: the primary screen's Qt geometry (for
// converting at the window boundary), its visible frame in y-up space, and
// every screen (primary first) in y-up space.
struct ScreenSpace {
    QRectF screen;
    Rect visible;
    std::vector<ScreenArea> screens;  // empty: the primary screen alone

    QRect toQt(const Rect &r) const { return toQtPixels(r, screen); }
    Rect fromQt(const QRect &r) const { return shell::fromQt(QRectF(r), screen); }
    std::vector<ScreenArea> areas() const;
    // The work area of the screen `frame` is on.
    Rect workAreaOf(const Rect &frame) const;
};

// From the application's screens and their available geometry; without a
// screen, the fallback frame (and a screen of the same size for the conversion).
ScreenSpace currentScreenSpace();

}  // namespace shell
