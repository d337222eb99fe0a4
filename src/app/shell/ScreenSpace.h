#pragma once

#include "ShellGeometry.h"

namespace shell {

// The primary screen as the manager sees it: its Qt geometry (for converting
// at the window boundary) and its visible frame in y-up space.
struct ScreenSpace {
    QRectF screen;
    Rect visible;

    QRect toQt(const Rect &r) const { return toQtPixels(r, screen); }
    Rect fromQt(const QRect &r) const { return shell::fromQt(QRectF(r), screen); }
};

// From the primary screen's available geometry; without a screen, the
// fallback frame (and a screen of the same size for the conversion).
ScreenSpace currentScreenSpace();

}  // namespace shell
