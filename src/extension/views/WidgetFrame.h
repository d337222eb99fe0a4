#pragma once

// The frame every extension view sits in: padding on all edges, the content
// centred (clock) or at the leading edge and vertically centred (the others),
// and a dark diagonal gradient behind.

#include "Block.h"

#include <QRectF>

class QPainter;

namespace pellix::extension {

// The platform's default padding amount.
inline constexpr double kDefaultPadding = 16;

// Where content may go inside a view's rectangle.
QRectF paddedArea(const QRectF &rect);

// Paints the gradient over `rect` (black at `startOpacity` top-leading to black
// at 60 % bottom-trailing) and `content` placed in the padded area. Content too
// large for the area overflows as placed and is clipped to `rect`.
void paintInFrame(QPainter &painter, const QRectF &rect, const Block &content, HAlign alignment,
                  double startOpacity = 0.3);

}  // namespace pellix::extension
