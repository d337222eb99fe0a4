#include "CompositorWatch.h"

#include "X11Window.h"
#include "Xcb.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <xcb/xfixes.h>

namespace x11 {

namespace {

xcb_atom_t compositorSelection(xcb_connection_t *c)
{
    int number = 0;
    xcb::defaultScreen(c, &number);
    return xcb::atom(c, ("_NET_WM_CM_S" + QByteArray::number(number)).constData());
}

// XFixes tells every change of the selection's owner: taken, or its owner gone.
class SelectionFilter : public QAbstractNativeEventFilter {
public:
    SelectionFilter(xcb_connection_t *c, std::function<void()> changed) : m_changed(std::move(changed))
    {
        const xcb_query_extension_reply_t *xfixes = xcb_get_extension_data(c, &xcb_xfixes_id);
        if (!xfixes || !xfixes->present)
            return;
        m_notify = uint8_t(xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY);
        m_selection = compositorSelection(c);
        std::free(xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 5, 0), nullptr));
        xcb_xfixes_select_selection_input(c, xcb::defaultScreen(c)->root, m_selection,
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
        xcb_flush(c);
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (!m_notify || type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) == m_notify
            && reinterpret_cast<const xcb_xfixes_selection_notify_event_t *>(event)->selection == m_selection)
            m_changed();
        return false;
    }

private:
    std::function<void()> m_changed;
    uint8_t m_notify = 0;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
};

}  // namespace

CompositorWatch &CompositorWatch::instance()
{
    static CompositorWatch *watch = new CompositorWatch;  // lives as long as the event dispatcher
    return *watch;
}

CompositorWatch::CompositorWatch()
{
    xcb_connection_t *c = xcb::connection();
    if (!c)
        return;
    m_running = compositorRunning();
    QCoreApplication::instance()->installNativeEventFilter(new SelectionFilter(c, [this] { recheck(); }));
}

void CompositorWatch::recheck()
{
    const bool running = compositorRunning();
    if (running == m_running)
        return;
    m_running = running;
    emit runningChanged(running);
}

}  // namespace x11
