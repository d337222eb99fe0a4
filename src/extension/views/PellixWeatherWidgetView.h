#pragma once

// The weather: city, temperature with the weather's symbol, felt temperature.
// Each value falls back on its own: Milano, 20.0°, code 0. An entry without
// any weather says so, save a placeholder, which shows those sample values.

#include "Block.h"
#include "WidgetEntry.h"

#include <QRectF>

#include <cstdint>

class QPainter;

namespace pellix::extension {

struct PellixWeatherWidgetView {
    WidgetEntry entry;

    // WMO weather interpretation code to symbol name; unknown codes are sunny.
    static QString weatherSystemIcon(int64_t code);

    bool withoutData() const;
    QString cityText() const;         // upper case
    QString temperatureText() const;  // "21.0°"
    QString symbolName() const;       // empty without data
    QString apparentText() const;     // "Percepito 20.0°"
    QString accessibleText() const;   // "Milano, 20.0°, Percepito 20.0°"

    Block body(double width) const;
    void paint(QPainter &painter, const QRectF &rect) const;
};

}  // namespace pellix::extension
