#include "PanelLogo.h"

#include "PanelStyle.h"

#include <QLinearGradient>
#include <QPainter>

namespace panel {

PanelLogo::PanelLogo(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kSide, kSide);
}

void PanelLogo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(0, 0, kSide, kSide);
    QLinearGradient gradient(tile.topLeft(), tile.bottomRight());
    gradient.setColorAt(0, accentBlue());
    gradient.setColorAt(1, indigo());
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(tile, 8, 8);

    const QPointF centre = tile.center();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 2));
    p.drawEllipse(centre, 11, 11);  // the 22 x 22 ring, stroked on its outline
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 2, 2);
}

}  // namespace panel
