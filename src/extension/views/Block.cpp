#include "Block.h"

#include "BatteryRing.h"
#include "Symbols.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <numeric>

namespace pellix::extension {

namespace {

QStringList wrappedLines(const QString &text, const QFont &font, double maxWidth, int maxLines)
{
    const QFontMetricsF metrics(font);
    if (maxLines <= 1)
        return {metrics.elidedText(text, Qt::ElideRight, maxWidth)};
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(maxWidth);
        if (lines.size() == maxLines - 1) {  // the last allowed line takes the rest, cut
            lines << metrics.elidedText(text.mid(line.textStart()).simplified(), Qt::ElideRight, maxWidth);
            break;
        }
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines.isEmpty() ? QStringList{QString()} : lines;
}

}  // namespace

Block textBlock(const QString &text, const QFont &font, const QColor &color, double maxWidth, int maxLines)
{
    const QStringList lines = wrappedLines(text.left(kMaxTextLength), font, std::max(0.0, maxWidth), maxLines);
    const QFontMetricsF metrics(font);
    double width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const QSizeF size(std::min(width, std::max(0.0, maxWidth)), metrics.height() * lines.size());
    auto draw = [lines, font, color](QPainter &painter, const QPointF &at) {
        const QFontMetricsF metrics(font);
        painter.setFont(font);
        painter.setPen(color);
        for (int i = 0; i < lines.size(); ++i)
            painter.drawText(at + QPointF(0, metrics.ascent() + i * metrics.height()), lines[i]);
    };
    return {size, draw, {lines.join('\n')}};
}

Block symbolBlock(const QString &name, double size, const QColor &color)
{
    auto draw = [name, size, color](QPainter &painter, const QPointF &at) {
        ui::drawSymbol(painter, QRectF(at, QSizeF(size, size)), name, size * ui::kRingSymbolScale, color);
    };
    return {QSizeF(size, size), draw, {name}};
}

Block vstack(const QList<Block> &children, double spacing, HAlign alignment)
{
    Block stack;
    for (const Block &child : children) {
        stack.size.rwidth() = std::max(stack.size.width(), child.size.width());
        stack.size.rheight() += child.size.height();
        stack.contents += child.contents;
    }
    stack.size.rheight() += spacing * std::max<qsizetype>(0, children.size() - 1);
    stack.draw = [children, spacing, alignment, width = stack.size.width()](QPainter &painter, const QPointF &at) {
        double y = at.y();
        for (const Block &child : children) {
            const double x = alignment == HAlign::Center ? at.x() + (width - child.size.width()) / 2 : at.x();
            child.draw(painter, QPointF(x, y));
            y += child.size.height() + spacing;
        }
    };
    return stack;
}

Block hstack(const QList<Block> &children, double spacing, VAlign alignment)
{
    Block stack;
    for (const Block &child : children) {
        stack.size.rwidth() += child.size.width();
        stack.size.rheight() = std::max(stack.size.height(), child.size.height());
        stack.contents += child.contents;
    }
    stack.size.rwidth() += spacing * std::max<qsizetype>(0, children.size() - 1);
    stack.draw = [children, spacing, alignment, height = stack.size.height()](QPainter &painter, const QPointF &at) {
        double x = at.x();
        for (const Block &child : children) {
            const double y = alignment == VAlign::Center ? at.y() + (height - child.size.height()) / 2 : at.y();
            child.draw(painter, QPointF(x, y));
            x += child.size.width() + spacing;
        }
    };
    return stack;
}

Block padded(Block child, const QMarginsF &margins)
{
    const QSizeF size = child.size.grownBy(margins);
    auto draw = [inner = child.draw, margins](QPainter &painter, const QPointF &at) {
        inner(painter, at + QPointF(margins.left(), margins.top()));
    };
    return {size, draw, child.contents};
}

QList<double> shareWidths(const QList<std::pair<double, double>> &minAndIdeal, double available, double spacing)
{
    const qsizetype n = minAndIdeal.size();
    QList<qsizetype> order(n);
    std::iota(order.begin(), order.end(), 0);
    const auto flexibility = [&](qsizetype i) { return minAndIdeal[i].second - minAndIdeal[i].first; };
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) { return flexibility(a) < flexibility(b); });

    QList<double> widths(n);
    double left = available - spacing * std::max<qsizetype>(0, n - 1);
    for (qsizetype k = 0; k < n; ++k) {
        const auto [minimum, ideal] = minAndIdeal[order[k]];
        const double offer = left / double(n - k);
        const double width = std::max(minimum, std::min(ideal, offer));
        widths[order[k]] = width;
        left -= width;
    }
    return widths;
}

}  // namespace pellix::extension
