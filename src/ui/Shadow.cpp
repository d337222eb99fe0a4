#include "Shadow.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QtMath>

#include <map>
#include <tuple>
#include <vector>

namespace pellix::ui {

namespace {

// One box-blur pass over a row-major alpha plane, horizontally or vertically.
void boxPass(std::vector<float> &plane, int w, int h, int r, bool horizontal)
{
    std::vector<float> out(plane.size());
    const int lines = horizontal ? h : w, length = horizontal ? w : h;
    const auto at = [&](int line, int i) -> float & {
        return horizontal ? plane[size_t(line) * w + i] : plane[size_t(i) * w + line];
    };
    const auto put = [&](int line, int i) -> float & {
        return horizontal ? out[size_t(line) * w + i] : out[size_t(i) * w + line];
    };
    const float scale = 1.0f / float(2 * r + 1);
    for (int line = 0; line < lines; ++line) {
        float sum = 0;
        for (int i = -r; i <= r; ++i)
            sum += (i >= 0 && i < length) ? at(line, i) : 0;
        for (int i = 0; i < length; ++i) {
            put(line, i) = sum * scale;
            const int add = i + r + 1, drop = i - r;
            sum += (add < length ? at(line, add) : 0) - (drop >= 0 ? at(line, drop) : 0);
        }
    }
    plane.swap(out);
}

constexpr double kShadowDrop = 2;

QPainterPath roundedPath(const QRectF &rect, double radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// Past the corner the layers, their drop and the content's outline all run straight.
int shadowCorner(double radius, int margin)
{
    return margin + int(std::ceil(radius + kShadowDrop));
}

// The shadow of the smallest window whose edges are straight between the
// corners: corners of `corner` points and a one-point strip between them.
struct ShadowTiles {
    QImage image;
    int corner;
};

const ShadowTiles &shadowTiles(qreal ratio, double radius, int margin)
{
    // Process-wide: every widget window paints from the same few tiles.
    static std::map<std::tuple<qreal, double, int>, ShadowTiles> cache;
    const auto key = std::make_tuple(ratio, radius, margin);
    if (const auto found = cache.find(key); found != cache.end())
        return found->second;
    const int corner = shadowCorner(radius, margin);
    const int side = 2 * corner + 1;
    QImage image(QSize(side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintWindowShadow(p, QRectF(margin, margin, side - 2 * margin, side - 2 * margin), radius, margin);
    p.end();
    return cache.emplace(key, ShadowTiles{image, corner}).first->second;
}

}  // namespace

void paintWindowShadow(QPainter &painter, const QRectF &content, double radius, int margin)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath outside;
    outside.addRect(content.adjusted(-margin, -margin, margin, margin));
    painter.setClipPath(outside.subtracted(roundedPath(content, radius)), Qt::IntersectClip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 8));
    for (int grow = margin; grow > 0; --grow)
        painter.drawPath(roundedPath(content.adjusted(-grow, -grow + kShadowDrop, grow, grow + kShadowDrop),
                                     radius + grow));
    painter.restore();
}

QRect windowShadowFreeArea(const QRect &window, double radius, int margin)
{
    const int c = shadowCorner(radius, margin);
    return window.adjusted(c, c, -c, -c);
}

void paintWindowShadowTiles(QPainter &painter, const QRect &window, double radius, int margin,
                            const QRegion &exposed)
{
    const qreal ratio = painter.device()->devicePixelRatioF();
    const ShadowTiles &tiles = shadowTiles(ratio, radius, margin);
    const int c = tiles.corner, w = window.width(), h = window.height();
    if (w <= 2 * c || h <= 2 * c) {
        paintWindowShadow(painter, QRectF(window).adjusted(margin, margin, -margin, -margin), radius, margin);
        return;
    }
    // Target in the window, source in the tile image (points); the strips are stretched.
    const struct {
        QRect target, source;
    } pieces[] = {
        {{0, 0, c, c}, {0, 0, c, c}},
        {{c, 0, w - 2 * c, c}, {c, 0, 1, c}},
        {{w - c, 0, c, c}, {c + 1, 0, c, c}},
        {{0, c, c, h - 2 * c}, {0, c, c, 1}},
        {{w - c, c, c, h - 2 * c}, {c + 1, c, c, 1}},
        {{0, h - c, c, c}, {0, c + 1, c, c}},
        {{c, h - c, w - 2 * c, c}, {c, c + 1, 1, c}},
        {{w - c, h - c, c, c}, {c + 1, c + 1, c, c}},
    };
    for (const auto &piece : pieces) {
        const QRect target = piece.target.translated(window.topLeft());
        if (!exposed.intersects(target))
            continue;
        const QRectF source(QPointF(piece.source.topLeft()) * ratio, QSizeF(piece.source.size()) * ratio);
        painter.drawImage(QRectF(target), tiles.image, source);
    }
}

QImage dropShadow(const QImage &source, double radius, const QColor &color)
{
    const QImage src = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = src.width(), h = src.height();
    std::vector<float> alpha(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        for (int x = 0; x < w; ++x)
            alpha[size_t(y) * w + x] = qAlpha(line[x]) / 255.0f;
    }
    // Three box passes approximate a Gaussian whose sigma is half the radius.
    const double sigma = radius * src.devicePixelRatio() / 2;
    const int box = qMax(0, qRound((std::sqrt(4 * sigma * sigma + 1) - 1) / 2));
    for (int pass = 0; pass < 3 && box > 0; ++pass) {
        boxPass(alpha, w, h, box, true);
        boxPass(alpha, w, h, box, false);
    }
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(src.devicePixelRatio());
    const float a0 = float(color.alphaF());
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const float a = qBound(0.0f, alpha[size_t(y) * w + x] * a0, 1.0f);
            line[x] = qRgba(qRound(color.red() * a), qRound(color.green() * a), qRound(color.blue() * a),
                            qRound(255 * a));
        }
    }
    return out;
}

void drawSpinner(QPainter &painter, const QRectF &rect, int phase, const QColor &color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.center());
    const double outer = qMin(rect.width(), rect.height()) / 2;
    const double inner = outer * 0.45, thickness = outer * 0.16;
    QPen pen(color, thickness, Qt::SolidLine, Qt::RoundCap);
    for (int i = 0; i < kSpinnerSpokes; ++i) {
        // Spoke `phase` is the head; the ones behind it fade out.
        const int behind = ((phase - i) % kSpinnerSpokes + kSpinnerSpokes) % kSpinnerSpokes;
        QColor c = color;
        c.setAlphaF(float(color.alphaF() * (1.0 - 0.75 * behind / (kSpinnerSpokes - 1))));
        pen.setColor(c);
        painter.setPen(pen);
        const double angle = qDegreesToRadians(i * 360.0 / kSpinnerSpokes - 90);
        const QPointF dir(std::cos(angle), std::sin(angle));
        painter.drawLine(dir * inner, dir * (outer - thickness / 2));
    }
    painter.restore();
}

}  // namespace pellix::ui
