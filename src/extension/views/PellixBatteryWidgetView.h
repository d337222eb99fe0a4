#pragma once

// Battery: a heading and a ring for each of the first four devices of the file,
// in file order; without devices, the computer at 100 %.

#include "Block.h"
#include "WidgetEntry.h"

#include <QList>
#include <QRectF>

class QPainter;

namespace pellix::extension {

struct PellixBatteryWidgetView {
    WidgetEntry entry;

    static constexpr int kMaxRings = 4;
    // The devices drawn as rings; none means the default texts.
    QList<BatteryDevice> ringDevices() const;
    // Each ring's name, level and charging state, in the desktop widget's words.
    QString accessibleText() const;

    Block body(double width) const;
    void paint(QPainter &painter, const QRectF &rect) const;
};

}  // namespace pellix::extension
