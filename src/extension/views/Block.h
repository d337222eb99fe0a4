#pragma once

// A small stack layout for the extension's views, in the spirit of the
// declarative views they mirror: each piece is measured when it is built and
// drawn later at the place its stack gives it.

#include <QColor>
#include <QFont>
#include <QList>
#include <QMarginsF>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class QPainter;

namespace pellix::extension {

struct Block {
    QSizeF size;
    std::function<void(QPainter &, const QPointF &topLeft)> draw;
    // The texts (as drawn, after cutting) and symbol names shown, in drawing order.
    QStringList contents;
};

enum class HAlign { Leading, Center };  // of a vertical stack's children
enum class VAlign { Top, Center };      // of a horizontal stack's children

// Texts are cut to this many characters before they are measured: no widget
// shows more, and laying out a hostile 100,000-character name would cost far
// more than the whole view.
inline constexpr int kMaxTextLength = 300;

// A one-line text is cut with an ellipsis to `maxWidth`; with `maxLines` > 1 it
// wraps and the last line is cut. An empty text still takes one line's height.
Block textBlock(const QString &text, const QFont &font, const QColor &color, double maxWidth, int maxLines = 1);
// A symbol of `size` points, in a square of that size.
Block symbolBlock(const QString &name, double size, const QColor &color);
Block vstack(const QList<Block> &children, double spacing, HAlign alignment);
Block hstack(const QList<Block> &children, double spacing, VAlign alignment);
Block padded(Block child, const QMarginsF &margins);

// Widths of the children of a horizontal stack, each between its own minimum
// and ideal width: the least flexible child first is offered an equal share of
// what is left. When even the minimums do not fit, the stack is wider than
// `available` and overflows at its trailing end.
QList<double> shareWidths(const QList<std::pair<double, double>> &minAndIdeal, double available, double spacing);

}  // namespace pellix::extension
