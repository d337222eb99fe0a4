#include "ScreenSpace.h"

#include <QGuiApplication>
#include <QScreen>

namespace shell {

ScreenSpace currentScreenSpace()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary) {
        const Rect &f = kFallbackVisibleFrame;
        return {QRectF(f.x, f.y, f.width, f.height), f};
    }
    const QRectF screen = primary->geometry();
    return {screen, shell::fromQt(QRectF(primary->availableGeometry()), screen)};
}

}  // namespace shell
