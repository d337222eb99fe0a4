#pragma once

// Text at the layout's own size, half points included. Qt loads every font at
// a whole pixel size (9.5 comes out at 10, 12.5 at 13); a font of a fractional
// size is drawn at twice that size on a painter scaled by one half, and measured
// the same way. Whole sizes go through unchanged.

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QString>

class QPainter;

namespace pellix::ui {

// The size `font` was asked for, in layout points (logical pixels).
double layoutSize(const QFont &font);

class TextMetrics {
public:
    explicit TextMetrics(const QFont &font);

    double height() const { return m_metrics.height() * m_scale; }
    double ascent() const { return m_metrics.ascent() * m_scale; }
    double horizontalAdvance(const QString &text) const { return m_metrics.horizontalAdvance(text) * m_scale; }
    QString elidedText(const QString &text, Qt::TextElideMode mode, double width) const
    {
        return m_metrics.elidedText(text, mode, width / m_scale);
    }

private:
    double m_scale;
    QFontMetricsF m_metrics;
};

// Draws `text` in `rect` as QPainter::drawText does, in `font` at its own size.
void drawText(QPainter &painter, const QRectF &rect, int flags, const QString &text, const QFont &font);

}  // namespace pellix::ui
