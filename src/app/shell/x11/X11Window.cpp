#include "X11Window.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QHash>
#include <QVarLengthArray>
#include <QWindow>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace x11 {

namespace {

constexpr uint32_t kAllDesktops = 0xFFFFFFFF;
constexpr uint32_t kNetWmStateAdd = 1;
constexpr uint32_t kSourcePager = 2;  // "source indication": a pager or similar, not the app's own whim

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

// The default screen: Qt's xcb platform connects to the display's default screen.
xcb_screen_t *defaultScreen(xcb_connection_t *c, int *number = nullptr)
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

void sendToRoot(xcb_connection_t *c, xcb_window_t root, xcb_window_t window, xcb_atom_t type,
                std::initializer_list<uint32_t> data)
{
    xcb_client_message_event_t ev;
    std::memset(&ev, 0, sizeof ev);
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = window;
    ev.type = type;
    int i = 0;
    for (uint32_t d : data)
        ev.data.data32[i++] = d;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&ev));
}

}  // namespace

bool available()
{
    return connection() != nullptr;
}

bool setDesktopHintsBeforeMap(QWindow *window, const DesktopHints &hints)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return false;
    const xcb_window_t id = idOf(window);
    // Qt merges its own states into what it finds here when it maps the window.
    QVarLengthArray<xcb_atom_t, 3> states{atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                          atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    if (hints.below)
        states.append(atom(c, "_NET_WM_STATE_BELOW"));
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        uint32_t(states.size()), states.constData());
    if (hints.allDesktops)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom(c, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, 32,
                            1, &kAllDesktops);
    xcb_flush(c);
    return true;
}

bool requestDesktopHints(QWindow *window, const DesktopHints &hints)
{
    xcb_connection_t *c = connection();
    xcb_screen_t *screen = c ? defaultScreen(c) : nullptr;
    if (!screen || !window)
        return false;
    const xcb_window_t id = idOf(window);
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    sendToRoot(c, screen->root, id, state,
               {kNetWmStateAdd, atom(c, "_NET_WM_STATE_SKIP_TASKBAR"), atom(c, "_NET_WM_STATE_SKIP_PAGER"),
                kSourcePager});
    if (hints.below)
        sendToRoot(c, screen->root, id, state, {kNetWmStateAdd, atom(c, "_NET_WM_STATE_BELOW"), 0, kSourcePager});
    if (hints.allDesktops)
        sendToRoot(c, screen->root, id, atom(c, "_NET_WM_DESKTOP"), {kAllDesktops, kSourcePager});
    xcb_flush(c);
    return true;
}

bool compositorRunning()
{
    xcb_connection_t *c = connection();
    int number = 0;
    if (!c || !defaultScreen(c, &number))
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(number);
    xcb_get_selection_owner_reply_t *reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom(c, name.constData())), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

bool setBlurBehind(QWindow *window, const QRect &region)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return false;
    const uint32_t rect[4] = {uint32_t(region.x()), uint32_t(region.y()), uint32_t(region.width()),
                              uint32_t(region.height())};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, idOf(window), atom(c, "_KDE_NET_WM_BLUR_BEHIND_REGION"),
                        XCB_ATOM_CARDINAL, 32, 4, rect);
    xcb_flush(c);
    return true;
}

bool setInputShape(QWindow *window, const QRect &rect)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return false;
    const xcb_rectangle_t r{int16_t(rect.x()), int16_t(rect.y()), uint16_t(rect.width()), uint16_t(rect.height())};
    xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, idOf(window), 0, 0,
                         1, &r);
    xcb_flush(c);
    return true;
}

bool startWindowMove(QWindow *window, const QPoint &pressPos)
{
    xcb_connection_t *c = connection();
    xcb_screen_t *screen = c ? defaultScreen(c) : nullptr;
    if (!screen || !window)
        return false;
    const xcb_atom_t moveResize = atom(c, "_NET_WM_MOVERESIZE");
    xcb_get_property_reply_t *supported = xcb_get_property_reply(
        c, xcb_get_property(c, 0, screen->root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096), nullptr);
    bool found = false;
    if (supported && supported->format == 32) {
        const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(supported));
        const int n = xcb_get_property_value_length(supported) / 4;
        found = std::find(atoms, atoms + n, moveResize) != atoms + n;
    }
    std::free(supported);
    if (!found)
        return false;
    constexpr uint32_t kMove = 8;  // _NET_WM_MOVERESIZE_MOVE
    constexpr uint32_t kSourceApplication = 1;
    // The press gave us an implicit pointer grab; the window manager needs it.
    xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    sendToRoot(c, screen->root, idOf(window), moveResize,
               {uint32_t(pressPos.x()), uint32_t(pressPos.y()), kMove, XCB_BUTTON_INDEX_1, kSourceApplication});
    xcb_flush(c);
    return true;
}

}  // namespace x11
