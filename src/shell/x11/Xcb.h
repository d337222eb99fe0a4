#pragma once

// The xcb plumbing the X11 helpers share: Qt's connection, atoms, the default
// screen and list properties.

#include <xcb/xcb.h>

#include <vector>

class QWindow;

namespace x11::xcb {

// Qt's connection; null off X11 (offscreen, Wayland).
xcb_connection_t *connection();
// Interned once per name.
xcb_atom_t atom(xcb_connection_t *c, const char *name);
// The display's default screen, the one Qt's xcb platform uses.
xcb_screen_t *defaultScreen(xcb_connection_t *c, int *number = nullptr);
xcb_window_t idOf(QWindow *window);
// A 32-bit list property (atoms, windows, cardinals); empty when absent or of another type.
std::vector<uint32_t> readList(xcb_connection_t *c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type);

}  // namespace x11::xcb
