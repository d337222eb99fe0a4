#include "LayerPlacement.h"

#include "ShellGeometry.h"

namespace shell {

LayerPlace layerPlaceOf(const QRect &window, const std::vector<QRect> &outputs)
{
    // screenOf measures overlaps and gaps only, so y-down rectangles serve as they are.
    const auto toRect = [](const QRect &r) { return Rect{double(r.x()), double(r.y()), double(r.width()), double(r.height())}; };
    std::vector<ScreenArea> areas;
    for (const QRect &o : outputs)
        areas.push_back({toRect(o), toRect(o)});
    const ScreenArea *on = screenOf(toRect(window), areas);
    if (!on)
        return {};
    const int index = int(on - areas.data());
    return {index, window.topLeft() - outputs[size_t(index)].topLeft()};
}

}  // namespace shell
