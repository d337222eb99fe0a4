#include "ScreenSpace.h"

#include <QGuiApplication>
#include <QScreen>

namespace shell {

std::vector<ScreenArea> ScreenSpace::areas() const
{
    if (!screens.empty())
        return screens;
    return {{shell::fromQt(screen, screen), visible}};
}

Rect ScreenSpace::workAreaOf(const Rect &frame) const
{
    const std::vector<ScreenArea> all = areas();
    const ScreenArea *on = screenOf(frame, all);
    return on ? on->workArea : visible;
}

ScreenSpace currentScreenSpace()
{
    QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary) {
        const Rect &f = kFallbackVisibleFrame;
        return {QRectF(f.x, f.y, f.width, f.height), f, {}};
    }
    const QRectF origin = primary->geometry();
    ScreenSpace space{origin, shell::fromQt(QRectF(primary->availableGeometry()), origin), {}};
    QList<QScreen *> all = QGuiApplication::screens();
    all.removeOne(primary);
    all.prepend(primary);
    for (const QScreen *s : std::as_const(all))
        space.screens.push_back({shell::fromQt(QRectF(s->geometry()), origin),
                                 shell::fromQt(QRectF(s->availableGeometry()), origin)});
    return space;
}

}  // namespace shell
