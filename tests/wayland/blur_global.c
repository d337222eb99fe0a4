/* Preloaded into the test compositor (sway): its display gets KWin's blur
 * manager global, org_kde_kwin_blur_manager, which accepts the requests and
 * draws nothing. A client then takes the compositor for one that blurs and
 * sends what it would send KWin; the client's own WAYLAND_DEBUG shows it.
 * (A headless KWin offers blur only when it composites with OpenGL.) */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <wayland-server-core.h>

#include "blur-server.h"

static void destroy(struct wl_client *client, struct wl_resource *resource)
{
    (void)client;
    wl_resource_destroy(resource);
}

static void blur_commit(struct wl_client *client, struct wl_resource *resource)
{
    (void)client;
    (void)resource;
}

static void blur_set_region(struct wl_client *client, struct wl_resource *resource, struct wl_resource *region)
{
    (void)client;
    (void)resource;
    (void)region;
}

static const struct org_kde_kwin_blur_interface blur_requests = {blur_commit, blur_set_region, destroy};

static void manager_create(struct wl_client *client, struct wl_resource *manager, uint32_t id,
                           struct wl_resource *surface)
{
    (void)surface;
    struct wl_resource *blur =
        wl_resource_create(client, &org_kde_kwin_blur_interface, wl_resource_get_version(manager), id);
    if (!blur) {
        wl_client_post_no_memory(client);
        return;
    }
    wl_resource_set_implementation(blur, &blur_requests, NULL, NULL);
}

static void manager_unset(struct wl_client *client, struct wl_resource *manager, struct wl_resource *surface)
{
    (void)client;
    (void)manager;
    (void)surface;
}

static const struct org_kde_kwin_blur_manager_interface manager_requests = {manager_create, manager_unset};

static void bind_manager(struct wl_client *client, void *data, uint32_t version, uint32_t id)
{
    (void)data;
    struct wl_resource *manager = wl_resource_create(client, &org_kde_kwin_blur_manager_interface, version, id);
    if (!manager) {
        wl_client_post_no_memory(client);
        return;
    }
    wl_resource_set_implementation(manager, &manager_requests, NULL, NULL);
}

struct wl_display *wl_display_create(void)
{
    struct wl_display *(*create)(void) = (struct wl_display * (*)(void)) dlsym(RTLD_NEXT, "wl_display_create");
    struct wl_display *display = create ? create() : NULL;
    if (display)
        wl_global_create(display, &org_kde_kwin_blur_manager_interface, 1, NULL, bind_manager);
    return display;
}
