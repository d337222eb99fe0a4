#include "GlassStyle.h"

#include "Colors.h"
#include "ContinuousRect.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QRegion>

namespace pellix::ui {

bool isOpaqueTheme(const QString &theme)
{
    return theme == QLatin1String("opaque");
}

GlassStyle glassStyle(const QString &theme)
{
    if (isOpaqueTheme(theme))
        return {GlassMaterial::HudWindow, rgba(24, 24, 27, 0.72),
                {white(0.14), white(0.05), black(0.42)}, 0.35};
    return {GlassMaterial::Selection, rgba(92, 104, 128, 0.20),
            {white(0.08), white(0.02), black(0.16)}, 0.22};
}

QColor glowCentreColor(const QColor &glow, const GlassStyle &style)
{
    QColor c = glow;
    c.setAlphaF(float(glow.alphaF() * style.glowOpacityFactor));
    return c;
}

void paintGlassPanel(QPainter &painter, const QRectF &rect, const GlassStyle &style,
                     const QColor &glow)
{
    const QPainterPath shape = continuousRoundedRect(rect, kPanelCornerRadius);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    painter.fillPath(shape, style.backdrop);

    QLinearGradient tint(rect.topLeft(), rect.bottomRight());
    tint.setColorAt(0.0, style.tint[0]);
    tint.setColorAt(0.5, style.tint[1]);
    tint.setColorAt(1.0, style.tint[2]);
    painter.fillPath(shape, tint);

    painter.setClipPath(shape);
    const QRectF sheenRect(rect.left(), rect.top(), rect.width(), rect.height() / 2);
    QLinearGradient sheen(sheenRect.topLeft(), sheenRect.bottomLeft());
    sheen.setColorAt(0.0, white(0.08));
    sheen.setColorAt(1.0, white(0.0));
    painter.fillRect(sheenRect, sheen);

    if (!isClear(glow)) {
        const QPointF centre(rect.center().x(), rect.bottom());
        QRadialGradient radial(centre, kGlowRadius);
        radial.setColorAt(0.0, glowCentreColor(glow, style));
        radial.setColorAt(1.0, clear());
        painter.fillRect(rect, radial);
    }
    painter.setClipping(false);

    // Inset by half the line so the whole 1-point border lies inside the panel.
    const QRectF borderRect = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(white(0.16), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(continuousRoundedRect(borderRect, kPanelCornerRadius - 0.5));
    painter.restore();
}

void drawLayerPart(QPainter &painter, const QPixmap &layer, const QRegion &exposed)
{
    const qreal ratio = layer.devicePixelRatio();
    for (const QRect &r : exposed)
        painter.drawPixmap(QRectF(r), layer, QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio));
}

const QPixmap &GlassPanelCache::pixmap(const QSize &size, qreal devicePixelRatio,
                                       const QString &theme, const QColor &glow)
{
    if (m_valid && size == m_size && devicePixelRatio == m_ratio && theme == m_theme
        && quint64(glow.rgba64()) == m_glow)
        return m_pixmap;
    m_size = size;
    m_ratio = devicePixelRatio;
    m_theme = theme;
    m_glow = quint64(glow.rgba64());
    m_valid = true;

    m_pixmap = QPixmap((QSizeF(size) * devicePixelRatio).toSize());
    m_pixmap.setDevicePixelRatio(devicePixelRatio);
    m_pixmap.fill(Qt::transparent);
    if (!size.isEmpty()) {
        QPainter p(&m_pixmap);
        paintGlassPanel(p, QRectF(QPointF(0, 0), QSizeF(size)), glassStyle(theme), glow);
    }
    return m_pixmap;
}

}  // namespace pellix::ui
