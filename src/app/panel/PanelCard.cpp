#include "PanelCard.h"

#include "Colors.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace panel {

PanelCard::PanelCard(const QString &accessibleName, bool outline, int margins, int spacing, QWidget *parent)
    : QGroupBox(parent), m_column(new QVBoxLayout(this)), m_outline(outline)
{
    setAccessibleName(accessibleName);
    setFlat(true);
    setContentsMargins(0, 0, 0, 0);
    m_column->setContentsMargins(margins, margins, margins, margins);
    m_column->setSpacing(spacing);
}

void PanelCard::changeEvent(QEvent *event)
{
    QGroupBox::changeEvent(event);
    // The group box makes room for a title and frame we do not draw.
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        setContentsMargins(0, 0, 0, 0);
}

void PanelCard::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    p.fillPath(shape, pellix::ui::white(0.04));
    if (m_shaded && m_shaded->isVisible()) {
        p.setClipPath(shape);
        p.fillRect(m_shaded->geometry(), pellix::ui::black(0.10));
        p.setClipping(false);
    }
    if (m_outline) {
        p.setPen(QPen(pellix::ui::white(0.04), 1));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius - 0.5, kCornerRadius - 0.5);
    }
}

PanelCard *settingsCard()
{
    return new PanelCard({}, false, 14, 12);
}

}  // namespace panel
