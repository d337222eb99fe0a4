#include "Xcb.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QHash>
#include <QWindow>

#include <cstdlib>

namespace x11::xcb {

xcb_connection_t *connection()
{
    auto *x = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x ? x->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    static QHash<QByteArray, xcb_atom_t> cache;
    const QByteArray key(name);
    if (const auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(key.size()), key.constData()), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    if (a != XCB_ATOM_NONE)
        cache.insert(key, a);
    return a;
}

xcb_screen_t *defaultScreen(xcb_connection_t *c, int *number)
{
    int n = 0;
    const QByteArray display = qgetenv("DISPLAY");
    if (const int dot = display.lastIndexOf('.'); dot > display.lastIndexOf(':'))
        n = display.mid(dot + 1).toInt();
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; it.rem && i < n; ++i)
        xcb_screen_next(&it);
    if (!it.rem)
        return nullptr;
    if (number)
        *number = n;
    return it.data;
}

xcb_window_t idOf(QWindow *window)
{
    return window ? xcb_window_t(window->winId()) : xcb_window_t(XCB_WINDOW_NONE);
}

std::vector<uint32_t> readList(xcb_connection_t *c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    constexpr uint32_t kMaxItems = 4096;
    xcb_get_property_reply_t *reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, kMaxItems), nullptr);
    std::vector<uint32_t> items;
    if (reply && reply->type == type && reply->format == 32) {
        const auto *data = static_cast<const uint32_t *>(xcb_get_property_value(reply));
        items.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return items;
}

}  // namespace x11::xcb
