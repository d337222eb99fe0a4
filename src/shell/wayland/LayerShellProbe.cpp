#include "LayerShellProbe.h"

#include <wayland-client.h>

#include <poll.h>

#include <chrono>
#include <cstring>

namespace wayland {

namespace {

struct Answer {
    bool layerShell = false;
    bool complete = false;
};

void global(void *data, wl_registry *, uint32_t, const char *interface, uint32_t)
{
    if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0)
        static_cast<Answer *>(data)->layerShell = true;
}

void globalRemove(void *, wl_registry *, uint32_t) {}

void syncDone(void *data, wl_callback *, uint32_t)
{
    static_cast<Answer *>(data)->complete = true;
}

const wl_registry_listener kRegistryListener{global, globalRemove};
const wl_callback_listener kSyncListener{syncDone};

}  // namespace

bool compositorOffersLayerShell(int timeoutMs)
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    Answer answer;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &answer);
    // The globals are all announced before the reply to this sync.
    wl_callback *sync = wl_display_sync(display);
    wl_callback_add_listener(sync, &kSyncListener, &answer);

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!answer.complete) {
        while (wl_display_prepare_read(display) != 0)
            wl_display_dispatch_pending(display);
        wl_display_flush(display);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd fd{wl_display_get_fd(display), POLLIN, 0};
        if (left <= 0 || poll(&fd, 1, int(left)) <= 0) {
            wl_display_cancel_read(display);
            break;
        }
        if (wl_display_read_events(display) < 0)
            break;
        wl_display_dispatch_pending(display);
    }
    wl_callback_destroy(sync);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return answer.complete && answer.layerShell;
}

}  // namespace wayland
