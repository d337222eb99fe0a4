#pragma once

// The clock: the entry's date and time (not the live time) and the app's name.
// It ignores the entry's data, the clock style included.

#include "Block.h"
#include "WidgetEntry.h"

#include <QRectF>

class QPainter;

namespace pellix::extension {

struct PellixClockWidgetView {
    WidgetEntry entry;

    QString formattedDate() const;  // "MERCOLEDÌ 25 SETTEMBRE"
    QString formattedTime() const;  // "09:05"
    QString accessibleText() const; // "09:05, mercoledì 25 settembre"

    Block body(double width) const;
    void paint(QPainter &painter, const QRectF &rect) const;
};

}  // namespace pellix::extension
