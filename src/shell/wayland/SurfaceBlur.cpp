#include "SurfaceBlur.h"

#ifdef PELLIX_WAYLAND_BLUR
#include <KWindowEffects>
#endif

#include <QRegion>
#include <QWindow>

namespace wayland {

// KWindowEffects keeps the region per QWindow and sends it again on every
// exposure, so a surface made anew (hidden and shown, moved to another output)
// gets it without another call here.
void setBlurBehind(QWindow *window, const QRect &region)
{
#ifdef PELLIX_WAYLAND_BLUR
    if (window)
        KWindowEffects::enableBlurBehind(window, !region.isEmpty(), QRegion(region));
#else
    Q_UNUSED(window);
    Q_UNUSED(region);
#endif
}

}  // namespace wayland
