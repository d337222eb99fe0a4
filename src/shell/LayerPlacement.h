#pragma once

// Where a layer-shell surface goes: layer surfaces are placed on one output,
// by margins from its top-left corner, not in a global space.

#include <QPoint>
#include <QRect>

#include <vector>

namespace shell {

struct LayerPlace {
    int output = -1;  // index into the outputs; -1 without outputs
    QPoint margins;   // left, top

    friend bool operator==(const LayerPlace &, const LayerPlace &) = default;
};

// `window` and `outputs` in Qt's global logical coordinates. The output holding
// most of the window, else the nearest one (the first on a tie).
LayerPlace layerPlaceOf(const QRect &window, const std::vector<QRect> &outputs);

}  // namespace shell
