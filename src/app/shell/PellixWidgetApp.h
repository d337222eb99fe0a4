#pragma once

#include <QByteArray>

// The application entry: platform choice, single instance, then the delegate.
class PellixWidgetApp {
public:
    static int run(int argc, char **argv);

    // For windows that are not layer surfaces (the host's): XWayland on a
    // Wayland session unless the user chose a platform. Empty when nothing needs forcing.
    static QByteArray forcedPlatform(const QByteArray &qtQpaPlatform, const QByteArray &waylandDisplay,
                                     const QByteArray &sessionType);
};
