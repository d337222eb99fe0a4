#pragma once

// The colours the widgets share. Components are given over 255 with an opacity.

#include <QColor>

namespace pellix::ui {

inline QColor rgba(int r, int g, int b, double opacity = 1.0)
{
    return QColor::fromRgbF(r / 255.0f, g / 255.0f, b / 255.0f, float(opacity));
}

inline QColor white(double opacity = 1.0) { return QColor::fromRgbF(1, 1, 1, float(opacity)); }
inline QColor black(double opacity = 1.0) { return QColor::fromRgbF(0, 0, 0, float(opacity)); }

// Fully transparent black: the "no colour" value (a glow of this colour is no glow).
inline QColor clear() { return QColor(0, 0, 0, 0); }
inline bool isClear(const QColor &c) { return quint64(c.rgba64()) == 0u; }

// The clock's accent red.
inline QColor accentRed() { return rgba(255, 69, 58); }

// Named system colours, as the dark appearance draws them.
inline QColor systemRed() { return rgba(255, 69, 58); }
inline QColor systemGreen() { return rgba(48, 209, 88); }
inline QColor systemOrange() { return rgba(255, 159, 10); }
inline QColor systemYellow() { return rgba(255, 214, 10); }
inline QColor systemPink() { return rgba(255, 55, 95); }
inline QColor systemBlue() { return rgba(10, 132, 255); }

// The now-playing accents: Spotify's green, and the pink of the Music player.
inline QColor spotifyGreen() { return rgba(29, 185, 84); }
inline QColor musicPink() { return rgba(255, 55, 95); }

}  // namespace pellix::ui
