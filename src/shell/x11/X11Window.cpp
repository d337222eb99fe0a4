#include "X11Window.h"

#include "Xcb.h"

#include <QByteArray>
#include <QVarLengthArray>
#include <QVariant>
#include <QWindow>

#include <xcb/shape.h>

#include <cstdlib>
#include <cstring>

namespace x11 {

using xcb::atom;
using xcb::connection;
using xcb::defaultScreen;
using xcb::idOf;

namespace {

constexpr uint32_t kAllDesktops = 0xFFFFFFFF;
constexpr uint32_t kNetWmStateAdd = 1;
constexpr uint32_t kSourcePager = 2;  // "source indication": a pager or similar, not the app's own whim
constexpr int kQtXcbDesktopType = 0x000002;  // Qt's xcb plug-in: its window type "Desktop"

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

void flush()
{
    if (xcb_connection_t *c = connection())
        xcb_flush(c);
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
    if (hints.desktopType) {
        // Qt rewrites the type whenever the window's flags change (click-through);
        // this property makes it put DESKTOP first each time.
        window->setProperty("_q_xcb_wm_window_type", kQtXcbDesktopType);
        const xcb_atom_t type = atom(c, "_NET_WM_WINDOW_TYPE_DESKTOP");
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom(c, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1,
                            &type);
    }
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

QRect toDevicePixels(const QWindow *window, const QRect &rect)
{
    const qreal dpr = window ? window->devicePixelRatio() : 1.0;
    const QPoint topLeft(qRound(rect.x() * dpr), qRound(rect.y() * dpr));
    const QPoint end(qRound((rect.x() + rect.width()) * dpr), qRound((rect.y() + rect.height()) * dpr));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

bool setBlurBehind(QWindow *window, const QRect &logical)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return false;
    const QRect region = toDevicePixels(window, logical);
    const uint32_t rect[4] = {uint32_t(region.x()), uint32_t(region.y()), uint32_t(region.width()),
                              uint32_t(region.height())};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, idOf(window), atom(c, "_KDE_NET_WM_BLUR_BEHIND_REGION"),
                        XCB_ATOM_CARDINAL, 32, 4, rect);
    xcb_flush(c);
    return true;
}

bool setInputShape(QWindow *window, const QRect &logical)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return false;
    const QRect rect = toDevicePixels(window, logical);
    const xcb_rectangle_t r{int16_t(rect.x()), int16_t(rect.y()), uint16_t(rect.width()), uint16_t(rect.height())};
    xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, idOf(window), 0, 0,
                         1, &r);
    xcb_flush(c);
    return true;
}

}  // namespace x11
