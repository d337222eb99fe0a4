#include "DisplayCheck.h"

#include <QList>

#include <xcb/xcb.h>

std::optional<QString> missingDisplay(const QByteArray &qtQpaPlatform, const QByteArray &display)
{
    // "xcb", or "xcb:option=value"; empty means Qt's default, xcb here.
    const QByteArray platform = qtQpaPlatform.split(':').constFirst();
    if (!platform.isEmpty() && platform != "xcb")
        return std::nullopt;
    if (display.isEmpty())
        return QStringLiteral("no display: DISPLAY is not set (start it in an X11 session, or a Wayland one with "
                              "XWayland)");
    xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed)
        return QStringLiteral("cannot open display \"%1\"").arg(QString::fromLocal8Bit(display));
    return std::nullopt;
}
