#include "PellixClockWidgetView.h"

#include "Colors.h"
#include "Fonts.h"
#include "WidgetFrame.h"

#include <QLocale>

namespace pellix::extension {

using namespace pellix::ui;

QString PellixClockWidgetView::formattedDate() const
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    return italian.toUpper(italian.toString(entry.date, QStringLiteral("dddd d MMMM")));
}

QString PellixClockWidgetView::formattedTime() const
{
    return entry.date.toString(QStringLiteral("HH:mm"));
}

Block PellixClockWidgetView::body(double width) const
{
    return vstack({textBlock(formattedDate(), systemFont(10, Weight::Bold, 0.5), systemRed(), width, 2),
                   padded(textBlock(formattedTime(), systemFont(26, Weight::Medium), white(), width),
                          QMarginsF(0, 2, 0, 2)),
                   textBlock(QStringLiteral("PellixWidget"), systemFont(10, Weight::Semibold), white(0.4), width)},
                  4, HAlign::Center);
}

void PellixClockWidgetView::paint(QPainter &painter, const QRectF &rect) const
{
    paintInFrame(painter, rect, body(paddedArea(rect).width()), HAlign::Center);
}

}  // namespace pellix::extension
