/* A mouse for a headless wlroots compositor, which has none of its own:
 *   pointer LAYOUT_W LAYOUT_H X0 Y0 [X1 Y1]
 * presses the left button at X0,Y0 (layout coordinates) and releases it there,
 * or after moving to X1,Y1 in small steps (a drag, which wlrctl cannot do). */
#include "virtual-pointer-client.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <wayland-client.h>

static struct zwlr_virtual_pointer_manager_v1 *manager;
static struct wl_seat *seat;
static struct wl_display *display;
static struct zwlr_virtual_pointer_v1 *pointer;
static uint32_t extent_w, extent_h, clock_ms = 1;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    (void)data, (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    else if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
}

static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

/* Each event is a frame of its own, sent at once; the app is given time to see it. */
static void move_to(int x, int y)
{
    zwlr_virtual_pointer_v1_motion_absolute(pointer, clock_ms++, (uint32_t)x, (uint32_t)y, extent_w, extent_h);
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_flush(display);
    usleep(30000);
}

static void left_button(int pressed)
{
    zwlr_virtual_pointer_v1_button(pointer, clock_ms++, 0x110 /* BTN_LEFT */, pressed);
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_flush(display);
    usleep(150000);
}

int main(int argc, char **argv)
{
    static const struct wl_registry_listener listener = {global, global_remove};
    if (argc != 5 && argc != 7) {
        fprintf(stderr, "usage: pointer LAYOUT_W LAYOUT_H X0 Y0 [X1 Y1]\n");
        return 2;
    }
    extent_w = (uint32_t)atoi(argv[1]), extent_h = (uint32_t)atoi(argv[2]);
    const int x0 = atoi(argv[3]), y0 = atoi(argv[4]);
    if (!(display = wl_display_connect(NULL)))
        return fprintf(stderr, "pointer: no Wayland display\n"), 1;
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (!manager)
        return fprintf(stderr, "pointer: the compositor offers no virtual pointer\n"), 1;
    pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    move_to(x0, y0);
    usleep(200000);
    left_button(1);
    for (int i = 1; argc == 7 && i <= 16; ++i)
        move_to(x0 + (atoi(argv[5]) - x0) * i / 16, y0 + (atoi(argv[6]) - y0) * i / 16);
    left_button(0);
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
