#pragma once

// The extension's battery ring: built like the desktop widget's medium ring,
// with one label (the device's name from the file), a smaller bolt and no
// animation.

#include "Block.h"
#include "SharedWidgetData.h"

namespace pellix::extension {

struct BatteryRingView {
    BatteryDevice device;

    // Same table as the desktop widget's rings: pencils and unknown types get "battery.100".
    static QString systemIconName(const QString &type);

    // The ring never gets narrower than its circle; its label wants its own width.
    double minimumWidth() const;
    double idealWidth() const;
    Block body(double width) const;
};

}  // namespace pellix::extension
