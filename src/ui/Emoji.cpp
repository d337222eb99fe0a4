#include "Emoji.h"

#include <QPainter>

namespace pellix::ui {

QString emojiFamily()
{
    return QStringLiteral("Noto Color Emoji");
}

QFont emojiFont(double size)
{
    QFont font(emojiFamily());
    font.setPixelSize(qMax(1, qRound(size)));
    return font;
}

void drawEmoji(QPainter &painter, const QRectF &rect, const QString &emoji, double size,
               Qt::Alignment alignment)
{
    painter.save();
    painter.setFont(emojiFont(size));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawText(rect, int(alignment), emoji);
    painter.restore();
}

}  // namespace pellix::ui
