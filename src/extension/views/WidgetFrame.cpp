#include "WidgetFrame.h"

#include "Colors.h"

#include <QLinearGradient>
#include <QPainter>

namespace pellix::extension {

QRectF paddedArea(const QRectF &rect)
{
    return rect.adjusted(kDefaultPadding, kDefaultPadding, -kDefaultPadding, -kDefaultPadding);
}

void paintInFrame(QPainter &painter, const QRectF &rect, const Block &content, HAlign alignment,
                  double startOpacity)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setClipRect(rect, Qt::IntersectClip);
    QLinearGradient background(rect.topLeft(), rect.bottomRight());
    background.setColorAt(0, ui::black(startOpacity));
    background.setColorAt(1, ui::black(0.6));
    painter.fillRect(rect, background);

    const QRectF area = paddedArea(rect);
    const double x = alignment == HAlign::Center ? area.center().x() - content.size.width() / 2 : area.left();
    content.draw(painter, QPointF(x, area.center().y() - content.size.height() / 2));
    painter.restore();
}

}  // namespace pellix::extension
