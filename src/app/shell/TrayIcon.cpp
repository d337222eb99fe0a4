#include "TrayIcon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap gridPixmap(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0, 120), side / 32.0));
    p.setBrush(QColor(235, 235, 240));
    const qreal cell = side / 2.0;
    const qreal radius = cell * 0.36;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col)
            p.drawEllipse(QPointF(cell * (col + 0.5), cell * (row + 0.5)), radius, radius);
    return pixmap;
}

}  // namespace

QIcon makeTrayIcon()
{
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(gridPixmap(side));
    return icon;
}
