#include "DesktopStacking.h"

#include "Xcb.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace x11 {

namespace {

// Every desktop widget of ours carries it, whichever of our programs shows it: the
// app and the extension host would otherwise raise their windows over each other
// at every restack, for ever.
constexpr char kMarker[] = "_PELLIX_DESKTOP_WIDGET";

class Keeper : public QAbstractNativeEventFilter {
public:
    Keeper()
    {
        // Restacks come in bursts (a drag, a click, a window mapped): answer once per burst.
        m_pending.setSingleShot(true);
        m_pending.setInterval(50);
        QObject::connect(&m_pending, &QTimer::timeout, [this] {
            if (xcb_connection_t *c = xcb::connection())
                restack(c, xcb::defaultScreen(c)->root);
        });
    }

    void add(QWindow *window)
    {
        m_windows.removeAll(nullptr);
        if (!m_windows.contains(window))
            m_windows.append(window);
        xcb_connection_t *c = xcb::connection();
        const uint32_t one = 1;
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb::idOf(window), xcb::atom(c, kMarker), XCB_ATOM_CARDINAL,
                            32, 1, &one);
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
            && notify->atom == xcb::atom(c, "_NET_CLIENT_LIST_STACKING") && !m_pending.isActive())
            m_pending.start();
        return false;
    }

private:
    bool isForeignDesktop(xcb_connection_t *c, xcb_window_t id, const std::vector<xcb_window_t> &ours) const
    {
        if (std::ranges::find(ours, id) != ours.end())
            return false;
        if (!xcb::readList(c, id, xcb::atom(c, kMarker), XCB_ATOM_CARDINAL).empty())
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
    QTimer m_pending;
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
