#pragma once

// Colour emoji pictograms. Qt 6.4 picks a monochrome fallback for emoji inside
// other text (it ignores U+FE0F), so emoji are drawn with their own font.

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace pellix::ui {

QString emojiFamily();  // "Noto Color Emoji"
QFont emojiFont(double size);
void drawEmoji(QPainter &painter, const QRectF &rect, const QString &emoji, double size,
               Qt::Alignment alignment = Qt::AlignCenter);

}  // namespace pellix::ui
