#include "ScreenBlank.h"

#ifdef PELLIX_SCREEN_BLANK

#include "Xcb.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <xcb/screensaver.h>

#include <cstdlib>
#include <functional>

namespace x11 {

namespace {

// On and Cycle are a running saver; Off and Disabled leave the screen alone.
bool blanks(uint8_t state) { return state == XCB_SCREENSAVER_STATE_ON || state == XCB_SCREENSAVER_STATE_CYCLE; }

class SaverFilter : public QAbstractNativeEventFilter {
public:
    SaverFilter(int notify, std::function<void(bool)> changed) : m_notify(notify), m_changed(std::move(changed)) {}
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_screensaver_notify_event_t *>(message);
        if ((event->response_type & 0x7f) == m_notify)
            m_changed(blanks(event->state));
        return false;
    }

private:
    int m_notify;
    std::function<void(bool)> m_changed;
};

}  // namespace

ScreenBlank *ScreenBlank::shared()
{
    static ScreenBlank *instance = []() -> ScreenBlank * {
        xcb_connection_t *c = xcb::connection();
        const xcb_query_extension_reply_t *saver = c ? xcb_get_extension_data(c, &xcb_screensaver_id) : nullptr;
        return saver && saver->present ? new ScreenBlank(saver->first_event) : nullptr;
    }();
    return instance;
}

ScreenBlank::ScreenBlank(int firstEvent)
{
    xcb_connection_t *c = xcb::connection();
    const xcb_window_t root = xcb::defaultScreen(c)->root;
    xcb_screensaver_select_input(c, root, XCB_SCREENSAVER_EVENT_NOTIFY_MASK);
    xcb_screensaver_query_info_reply_t *info =
        xcb_screensaver_query_info_reply(c, xcb_screensaver_query_info(c, root), nullptr);
    m_blank = info && blanks(info->state);
    std::free(info);
    QCoreApplication::instance()->installNativeEventFilter(  // lives with the app
        new SaverFilter(firstEvent + XCB_SCREENSAVER_NOTIFY, [this](bool blank) { setBlank(blank); }));
}

void ScreenBlank::setBlank(bool blank)
{
    if (blank == m_blank)
        return;
    m_blank = blank;
    emit changed(blank);
}

}  // namespace x11

#else

x11::ScreenBlank *x11::ScreenBlank::shared() { return nullptr; }

#endif
