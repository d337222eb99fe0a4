#include "ExactSizeLabel.h"

#include "ExactSizeText.h"

#include <QPainter>

#include <cmath>

namespace panel {

QSize ExactSizeLabel::sizeHint() const
{
    const pellix::ui::TextMetrics metrics(font());
    const QMargins m = contentsMargins();
    return QSize(int(std::ceil(metrics.horizontalAdvance(text()))) + m.left() + m.right(),
                 int(std::ceil(metrics.height())) + m.top() + m.bottom());
}

void ExactSizeLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    pellix::ui::drawText(painter, contentsRect(), int(alignment()), text(), font());
}

}  // namespace panel
