#include "ExactSizeText.h"

#include <QPainter>

#include <cmath>

namespace pellix::ui {

namespace {

// Qt 6 gives screens and images 96 logical dots per inch: 72 points are 96 pixels.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

struct WholePixelFont {
    QFont font;
    double scale;  // what the font's drawing is scaled by
};

WholePixelFont wholePixels(const QFont &font)
{
    const double size = layoutSize(font);
    if (font.pixelSize() > 0 || size == std::floor(size))
        return {font, 1.0};
    QFont doubled(font);
    doubled.setPixelSize(qRound(size * 2));
    if (font.letterSpacingType() == QFont::AbsoluteSpacing)
        doubled.setLetterSpacing(QFont::AbsoluteSpacing, font.letterSpacing() * 2);
    return {doubled, 0.5};
}

}  // namespace

double layoutSize(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * kPixelsPerPoint;
}

TextMetrics::TextMetrics(const QFont &font) : m_scale(wholePixels(font).scale), m_metrics(wholePixels(font).font) {}

void drawText(QPainter &painter, const QRectF &rect, int flags, const QString &text, const QFont &font)
{
    const auto [drawn, scale] = wholePixels(font);
    if (scale == 1.0) {
        painter.setFont(font);
        painter.drawText(rect, flags, text);
        return;
    }
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(scale, scale);
    painter.setFont(drawn);
    painter.drawText(QRectF(0, 0, rect.width() / scale, rect.height() / scale), flags, text);
    painter.restore();
}

}  // namespace pellix::ui
