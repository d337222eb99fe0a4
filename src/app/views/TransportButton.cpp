#include "TransportButton.h"

#include "BatteryRing.h"
#include "Colors.h"
#include "Symbols.h"

#include <QPainter>

#include <cmath>

TransportButton::TransportButton(const QString &symbol, double symbolSize, double diameter, const QColor &fill,
                                 const QString &accessibleName, QWidget *parent)
    : QAbstractButton(parent), m_symbol(symbol), m_symbolSize(symbolSize), m_diameter(diameter), m_fill(fill)
{
    setAccessibleName(accessibleName);
    // A desktop widget never takes the keyboard focus.
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(sizeHint());
}

void TransportButton::setFill(const QColor &fill)
{
    if (fill == m_fill)
        return;
    m_fill = fill;
    update();
}

QSize TransportButton::sizeHint() const
{
    const int side = int(std::ceil(m_diameter));
    return {side, side};
}

// The circle only: a press on the square's corners drags the widget.
bool TransportButton::hitButton(const QPoint &pos) const
{
    const QPointF d = QPointF(pos) + QPointF(0.5, 0.5) - QRectF(rect()).center();
    return std::hypot(d.x(), d.y()) <= m_diameter / 2;
}

void TransportButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A plain button dims its label while it is held down.
    if (isDown())
        p.setOpacity(0.6);
    const QRectF circle(0, 0, m_diameter, m_diameter);
    p.setPen(Qt::NoPen);
    p.setBrush(m_fill);
    p.drawEllipse(circle);
    const double size = m_symbolSize * pellix::ui::kRingSymbolScale;
    if (m_symbol == QLatin1String("playpause.fill")) {
        // The icon font has no combined glyph: a play arrow and a pause bar pair side by side.
        const double half = size * 0.3;
        pellix::ui::drawSymbol(p, circle.translated(-half, 0), "play.fill", size * 0.8, pellix::ui::white());
        pellix::ui::drawSymbol(p, circle.translated(half, 0), "pause.fill", size * 0.8, pellix::ui::white());
        return;
    }
    pellix::ui::drawSymbol(p, circle, m_symbol, size, pellix::ui::white());
}
