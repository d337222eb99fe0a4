/* Preloaded into the test compositor (sway): its display gets KWin's blur
 * manager global, org_kde_kwin_blur_manager, which accepts the requests and
 * blurs nothing. A client then sends what it would send KWin, and the client's
 * own WAYLAND_DEBUG shows it. (A headless KWin offers blur only when it
 * composites with OpenGL.) C23: unnamed parameters. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <wayland-server-core.h>

#include "blur-server.h"

static void destroy(struct wl_client *, struct wl_resource *resource) { wl_resource_destroy(resource); }
static void commit(struct wl_client *, struct wl_resource *) {}
static void set_region(struct wl_client *, struct wl_resource *, struct wl_resource *) {}
static void unset(struct wl_client *, struct wl_resource *, struct wl_resource *) {}
static const struct org_kde_kwin_blur_interface blur_requests = {commit, set_region, destroy};

static void create(struct wl_client *client, struct wl_resource *manager, uint32_t id, struct wl_resource *)
{
    struct wl_resource *blur =
        wl_resource_create(client, &org_kde_kwin_blur_interface, wl_resource_get_version(manager), id);
    if (blur)
        wl_resource_set_implementation(blur, &blur_requests, NULL, NULL);
    else
        wl_client_post_no_memory(client);
}
static const struct org_kde_kwin_blur_manager_interface manager_requests = {create, unset};

static void bind(struct wl_client *client, void *, uint32_t version, uint32_t id)
{
    struct wl_resource *manager = wl_resource_create(client, &org_kde_kwin_blur_manager_interface, version, id);
    if (manager)
        wl_resource_set_implementation(manager, &manager_requests, NULL, NULL);
    else
        wl_client_post_no_memory(client);
}

struct wl_display *wl_display_create(void)
{
    struct wl_display *(*create_display)(void) = (struct wl_display * (*)(void)) dlsym(RTLD_NEXT, "wl_display_create");
    struct wl_display *display = create_display ? create_display() : NULL;
    if (display)
        wl_global_create(display, &org_kde_kwin_blur_manager_interface, 1, NULL, bind);
    return display;
}
