#pragma once

// The glass panel behind every widget: backdrop material, tint, sheen, optional
// bottom glow and border, all clipped to one continuous rounded rectangle.

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>

class QPainter;
class QRegion;

namespace pellix::ui {

inline constexpr double kPanelCornerRadius = 28;
inline constexpr double kContentInset = 18;
inline constexpr double kGlowRadius = 110;

// Blur materials, by the numbers the original platform gives them.
enum class GlassMaterial { HudWindow = 13, Selection = 4 };

struct GlassStyle {
    GlassMaterial material;
    QColor backdrop;              // painted stand-in for the blur material
    std::array<QColor, 3> tint;   // top-leading, middle, bottom-trailing
    double glowOpacityFactor;
};

// Exact, case-sensitive: only "opaque" is the opaque theme.
bool isOpaqueTheme(const QString &theme);
GlassStyle glassStyle(const QString &theme);

// The glow's centre colour: `glow` with its opacity scaled by the theme's factor.
QColor glowCentreColor(const QColor &glow, const GlassStyle &style);

// Paints the static layers into `rect`. A clear `glow` paints no glow layer.
void paintGlassPanel(QPainter &painter, const QRectF &rect, const GlassStyle &style,
                     const QColor &glow);

// Draws a cached layer at the origin, only its part in `exposed`: each rectangle
// is one plain copy, with no clip to test pixel by pixel.
void drawLayerPart(QPainter &painter, const QPixmap &layer, const QRegion &exposed);

// The painted panel, re-made only when size, pixel ratio, theme or glow change.
class GlassPanelCache {
public:
    const QPixmap &pixmap(const QSize &size, qreal devicePixelRatio, const QString &theme,
                          const QColor &glow);

private:
    QPixmap m_pixmap;
    QSize m_size;
    qreal m_ratio = 0;
    QString m_theme;
    quint64 m_glow = 0;
    bool m_valid = false;
};

}  // namespace pellix::ui
