#include "DesktopStacking.h"

#include "Xcb.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QWindow>

#include <algorithm>

namespace x11 {

namespace {

class Keeper : public QAbstractNativeEventFilter {
public:
    void add(QWindow *window)
    {
        m_windows.removeAll(nullptr);
        if (!m_windows.contains(window))
            m_windows.append(window);
    }

    // Qt selects property changes on the root window; the window manager
    // rewrites _NET_CLIENT_LIST_STACKING at every restack.
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        xcb_connection_t *c = xcb::connection();
        const xcb_screen_t *screen = c ? xcb::defaultScreen(c) : nullptr;
        if (screen && notify->window == screen->root
            && notify->atom == xcb::atom(c, "_NET_CLIENT_LIST_STACKING"))
            restack(c, screen->root);
        return false;
    }

private:
    bool isForeignDesktop(xcb_connection_t *c, xcb_window_t id, const std::vector<xcb_window_t> &ours) const
    {
        if (std::ranges::find(ours, id) != ours.end())
            return false;
        const std::vector<uint32_t> types =
            xcb::readList(c, id, xcb::atom(c, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM);
        return !types.empty() && types.front() == xcb::atom(c, "_NET_WM_WINDOW_TYPE_DESKTOP");
    }

    void restack(xcb_connection_t *c, xcb_window_t root)
    {
        m_windows.removeAll(nullptr);
        std::vector<xcb_window_t> ours;
        for (QWindow *w : std::as_const(m_windows))
            ours.push_back(xcb::idOf(w));
        // Bottom to top.
        const std::vector<uint32_t> stacking =
            xcb::readList(c, root, xcb::atom(c, "_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW);
        auto highestForeign = stacking.rend();
        for (auto it = stacking.rbegin(); it != stacking.rend(); ++it)
            if (isForeignDesktop(c, *it, ours)) {
                highestForeign = it;
                break;
            }
        if (highestForeign == stacking.rend())
            return;
        // Ours below it, raised bottom first so they keep their order among themselves.
        const auto below = std::next(highestForeign).base();
        for (auto it = stacking.begin(); it != below; ++it)
            if (std::ranges::find(ours, *it) != ours.end()) {
                const uint32_t above = XCB_STACK_MODE_ABOVE;
                xcb_configure_window(c, *it, XCB_CONFIG_WINDOW_STACK_MODE, &above);
            }
        xcb_flush(c);
    }

    QList<QPointer<QWindow>> m_windows;
};

}  // namespace

void keepAboveOtherDesktops(QWindow *window)
{
    if (!window || !xcb::connection())
        return;
    static Keeper *keeper = [] {
        auto *k = new Keeper;  // lives as long as the application's event dispatcher
        QCoreApplication::instance()->installNativeEventFilter(k);
        return k;
    }();
    keeper->add(window);
}

}  // namespace x11
