#pragma once

#include <QByteArray>

// The application entry: platform choice, single instance, then the delegate.
class PellixWidgetApp {
public:
    static int run(int argc, char **argv);

    // Qt 6.4 cannot place windows on Wayland: use XWayland unless the user chose
    // a platform. Empty when nothing needs forcing.
    static QByteArray forcedPlatform(const QByteArray &qtQpaPlatform, const QByteArray &waylandDisplay,
                                     const QByteArray &sessionType);
};
