#pragma once

namespace wayland {

// Whether the compositor at WAYLAND_DISPLAY offers zwlr_layer_shell_v1. Asked
// before Qt connects (the platform is chosen from the answer), on a connection
// of its own that is closed again; false when no answer comes within `timeoutMs`.
bool compositorOffersLayerShell(int timeoutMs);

}  // namespace wayland
