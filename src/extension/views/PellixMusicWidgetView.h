#pragma once

// Now playing: a cover placeholder (the artwork is never loaded), title and
// subtitle, and while playing four bars of random height, drawn anew each time.

#include "Block.h"
#include "WidgetEntry.h"

#include <QList>
#include <QRectF>

class QPainter;
class QRandomGenerator;

namespace pellix::extension {

struct PellixMusicWidgetView {
    WidgetEntry entry;

    bool playing() const;
    QString title() const;
    QString subtitle() const;  // an empty artist in the file stays empty
    QString accessibleText() const;  // title and subtitle

    // 8 + a uniform integer from 0 to 6, for each of the four bars.
    static QList<int> barHeights(QRandomGenerator &random);

    Block body(double width, QRandomGenerator &random) const;
    void paint(QPainter &painter, const QRectF &rect) const;
};

}  // namespace pellix::extension
