/* exec-to-mapped NAME CMD [ARGS...]
 * Starts CMD and prints the milliseconds from its exec to the first map of a
 * top-level window whose WM_NAME is NAME. Leaves CMD running; prints its pid
 * on the second line. Exit status 1 when nothing was mapped within 10 s. */
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
#include <poll.h>
#include <signal.h>
#include <xcb/xcb.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int has_name(xcb_connection_t *c, xcb_window_t w, const char *name)
{
    xcb_get_property_reply_t *r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), NULL);
    int match = r && xcb_get_property_value_length(r) == (int)strlen(name) &&
                memcmp(xcb_get_property_value(r), name, strlen(name)) == 0;
    free(r);
    return match;
}

static int is_viewable(xcb_connection_t *c, xcb_window_t w)
{
    xcb_get_window_attributes_reply_t *r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), NULL);
    int v = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
    free(r);
    return v;
}

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const char *name = argv[1];
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c))
        return 2;
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const double start = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        /* Keep the caller's pipes free: it reads our output to its end. */
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    /* New top-levels are created on the root; watch each for its own map (the
     * window manager maps it inside its frame, which the root does not report). */
    const uint32_t child_mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    struct pollfd pfd = {xcb_get_file_descriptor(c), POLLIN, 0};
    while (now_ms() - start < 10000) {
        xcb_generic_event_t *e;
        while ((e = xcb_poll_for_event(c))) {
            xcb_window_t w = 0;
            switch (e->response_type & 0x7f) {
            case XCB_CREATE_NOTIFY:
                w = ((xcb_create_notify_event_t *)e)->window;
                xcb_change_window_attributes(c, w, XCB_CW_EVENT_MASK, &child_mask);
                break;
            case XCB_MAP_NOTIFY:
                w = ((xcb_map_notify_event_t *)e)->window;
                break;
            case XCB_PROPERTY_NOTIFY:
                w = ((xcb_property_notify_event_t *)e)->window;
                break;
            }
            free(e);
            if (w && has_name(c, w, name) && is_viewable(c, w)) {
                printf("%.1f\n%d\n", now_ms() - start, (int)pid);
                return 0;
            }
        }
        xcb_flush(c);
        poll(&pfd, 1, 50);
    }
    printf("timeout\n%d\n", (int)pid);
    return 1;
}
