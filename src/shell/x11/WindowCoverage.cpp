#include "WindowCoverage.h"

#include "Xcb.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QRegion>
#include <QWindow>

#include <cstdlib>
#include <memory>

namespace x11 {

namespace {

constexpr int kSettleMs = 100;

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

// Top-level windows that map, unmap, move or restack (the root's SubstructureNotify).
class StackingFilter : public QAbstractNativeEventFilter {
public:
    explicit StackingFilter(QTimer *pending) : m_pending(pending) {}
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        switch (static_cast<const xcb_generic_event_t *>(message)->response_type & 0x7f) {
        case XCB_CONFIGURE_NOTIFY:
        case XCB_MAP_NOTIFY:
        case XCB_UNMAP_NOTIFY:
        case XCB_DESTROY_NOTIFY:
        case XCB_CIRCULATE_NOTIFY:
            if (!m_pending->isActive())
                m_pending->start();
        }
        return false;
    }

private:
    QTimer *m_pending;
};

// The child of the root that holds `window` (its window manager's frame, or itself).
xcb_window_t frameOf(xcb_connection_t *c, xcb_window_t window, xcb_window_t root)
{
    for (int depth = 0; depth < 8; ++depth) {
        Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr), std::free);
        if (!tree || tree->parent == XCB_WINDOW_NONE)
            return XCB_WINDOW_NONE;
        if (tree->parent == root)
            return window;
        window = tree->parent;
    }
    return XCB_WINDOW_NONE;
}

}  // namespace

WindowCoverage *WindowCoverage::shared()
{
    static WindowCoverage *instance = xcb::connection() ? new WindowCoverage : nullptr;
    return instance;
}

WindowCoverage::WindowCoverage()
{
    m_pending.setSingleShot(true);
    m_pending.setInterval(kSettleMs);
    connect(&m_pending, &QTimer::timeout, this, &WindowCoverage::check);
    xcb_connection_t *c = xcb::connection();
    const xcb_window_t root = xcb::defaultScreen(c)->root;
    // Added to what Qt already asks of the root window, not in its place.
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root), nullptr), std::free);
    const uint32_t mask = (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    QCoreApplication::instance()->installNativeEventFilter(new StackingFilter(&m_pending));  // lives with the app
}

void WindowCoverage::watch(QWindow *window)
{
    if (!m_windows.contains(window))
        m_windows.append(window);
    m_pending.start();
}

void WindowCoverage::check()
{
    m_windows.removeAll(nullptr);
    xcb_connection_t *c = xcb::connection();
    const xcb_window_t root = xcb::defaultScreen(c)->root;
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr), std::free);
    if (!tree)
        return;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());  // bottom to top
    const int count = xcb_query_tree_children_length(tree.get());

    QHash<xcb_window_t, const QWindow *> ours;
    for (const QPointer<QWindow> &w : std::as_const(m_windows))
        if (w->isVisible() && w->handle())
            if (const xcb_window_t frame = frameOf(c, xcb::idOf(w), root))
                ours.insert(frame, w);

    // Every child's state and geometry, asked at once.
    std::vector<xcb_get_window_attributes_cookie_t> attributeCookies;
    std::vector<xcb_get_geometry_cookie_t> geometryCookies;
    for (int i = 0; i < count; ++i) {
        attributeCookies.push_back(xcb_get_window_attributes(c, children[i]));
        geometryCookies.push_back(xcb_get_geometry(c, children[i]));
    }
    QList<QRect> opaque(count);  // empty where the window hides nothing
    QList<QRect> frames(count);
    for (int i = 0; i < count; ++i) {
        Reply<xcb_get_window_attributes_reply_t> a(
            xcb_get_window_attributes_reply(c, attributeCookies[size_t(i)], nullptr), std::free);
        Reply<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(c, geometryCookies[size_t(i)], nullptr), std::free);
        if (!a || !g || a->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        const QRect rect(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width);
        frames[i] = rect;
        if (a->_class == XCB_WINDOW_CLASS_INPUT_OUTPUT && g->depth != 32 && !ours.contains(children[i]))
            opaque[i] = rect;
    }

    QSet<const QWindow *> covered;
    for (int i = 0; i < count; ++i) {
        const QWindow *window = ours.value(children[i]);
        if (!window || frames[i].isEmpty())
            continue;
        QRegion showing(frames[i]);
        for (int above = i + 1; above < count && !showing.isEmpty(); ++above)
            if (!opaque[above].isEmpty())
                showing -= opaque[above];
        if (showing.isEmpty())
            covered.insert(window);
    }
    if (covered != m_covered) {
        m_covered = covered;
        emit changed();
    }
}

}  // namespace x11
