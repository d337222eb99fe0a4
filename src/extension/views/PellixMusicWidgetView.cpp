#include "PellixMusicWidgetView.h"

#include "Colors.h"
#include "ContinuousRect.h"
#include "Fonts.h"
#include "WidgetFrame.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>

namespace pellix::extension {

using namespace pellix::ui;

namespace {

constexpr double kCoverSize = 55;
constexpr double kSpacing = 12;

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(float(opacity));
    return color;
}

Block cover()
{
    auto draw = [](QPainter &painter, const QPointF &at) {
        const QRectF box(at, QSizeF(kCoverSize, kCoverSize));
        QLinearGradient fill(box.topLeft(), box.bottomRight());
        fill.setColorAt(0, withOpacity(systemRed(), 0.4));
        fill.setColorAt(1, withOpacity(systemPink(), 0.5));
        painter.fillPath(continuousRoundedRect(box, 8), fill);
    };
    const Block note = symbolBlock(QStringLiteral("music.note"), 24, white(0.9));
    return {QSizeF(kCoverSize, kCoverSize),
            [draw, note](QPainter &painter, const QPointF &at) {
                draw(painter, at);
                note.draw(painter, at + QPointF((kCoverSize - note.size.width()) / 2,
                                                (kCoverSize - note.size.height()) / 2));
            },
            note.contents};
}

Block bar(int height)
{
    auto draw = [height](QPainter &painter, const QPointF &at) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(systemRed());
        painter.drawRoundedRect(QRectF(at, QSizeF(2, height)), 1, 1);
    };
    return {QSizeF(2, height), draw, {}};
}

}  // namespace

bool PellixMusicWidgetView::playing() const
{
    return entry.data && entry.data->music && entry.data->music->playing;
}

QString PellixMusicWidgetView::title() const
{
    if (!playing())
        return QCoreApplication::translate("PellixMusicWidgetView", "Non in Riproduzione");
    return entry.data->music->track.value_or(QCoreApplication::translate("PellixMusicWidgetView", "In Riproduzione"));
}

QString PellixMusicWidgetView::subtitle() const
{
    if (!playing())
        return QCoreApplication::translate("PellixMusicWidgetView", "Riproduci della musica");
    return entry.data->music->artist.value_or(QStringLiteral("PellixWidget"));
}

QString PellixMusicWidgetView::accessibleText() const
{
    return title() + QStringLiteral(", ") + subtitle();
}

QList<int> PellixMusicWidgetView::barHeights(QRandomGenerator &random)
{
    QList<int> heights;
    for (int i = 0; i < 4; ++i)
        heights << 8 + int(random.bounded(7));
    return heights;
}

Block PellixMusicWidgetView::body(double width, QRandomGenerator &random) const
{
    const double textWidth = width - kCoverSize - kSpacing;
    QList<Block> lines{textBlock(title(), systemFont(13, Weight::Semibold), white(), textWidth),
                       textBlock(subtitle(), systemFont(11, Weight::Regular), white(0.6), textWidth)};
    if (playing()) {
        QList<Block> bars;
        for (int height : barHeights(random))
            bars << bar(height);
        lines << padded(hstack(bars, 2, VAlign::Center), QMarginsF(0, 4, 0, 0));
    }
    return hstack({cover(), vstack(lines, 2, HAlign::Leading)}, kSpacing, VAlign::Center);
}

void PellixMusicWidgetView::paint(QPainter &painter, const QRectF &rect) const
{
    paintInFrame(painter, rect, body(paddedArea(rect).width(), *QRandomGenerator::global()), HAlign::Leading, 0.4);
}

}  // namespace pellix::extension
