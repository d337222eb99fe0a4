#include "WidgetSurface.h"

#include "x11/X11WidgetSurface.h"
#ifdef PELLIX_LAYER_SHELL
#include "wayland/LayerShellProbe.h"
#include "wayland/LayerWidgetSurface.h"
#endif

#include <QGuiApplication>

std::unique_ptr<WidgetSurface> createWidgetSurface(QWidget *window, const QString &name)
{
#ifdef PELLIX_LAYER_SHELL
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        return std::make_unique<wayland::LayerWidgetSurface>(window, name);
#else
    Q_UNUSED(name);
#endif
    return std::make_unique<x11::X11WidgetSurface>(window);
}

bool buildHasLayerShell()
{
#ifdef PELLIX_LAYER_SHELL
    return true;
#else
    return false;
#endif
}

bool compositorHasLayerShell()
{
#ifdef PELLIX_LAYER_SHELL
    constexpr int kProbeTimeoutMs = 1000;
    return wayland::compositorOffersLayerShell(kProbeTimeoutMs);
#else
    return false;
#endif
}
