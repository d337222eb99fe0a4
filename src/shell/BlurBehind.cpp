#include "BlurBehind.h"

#include "x11/X11Window.h"
#ifdef PELLIX_LAYER_SHELL
#include "wayland/SurfaceBlur.h"
#endif

#include <QGuiApplication>

namespace shell {

void setBlurBehind(QWindow *window, const QRect &region)
{
#ifdef PELLIX_LAYER_SHELL
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        wayland::setBlurBehind(window, region);
        return;
    }
#endif
    x11::setBlurBehind(window, region);
}

}  // namespace shell
