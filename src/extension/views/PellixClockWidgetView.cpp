#include "PellixClockWidgetView.h"

#include "Colors.h"
#include "Fonts.h"
#include "ClockFormat.h"
#include "UiLanguage.h"
#include "WidgetFrame.h"

#include <QCoreApplication>
#include <QLocale>

namespace pellix::extension {

using namespace pellix::ui;

namespace {

// In the language's own case.
QString dateText(const QDateTime &date)
{
    const QLocale locale = pellix::i18n::displayLocale();
    // The pattern is the translator's: each language punctuates dates its own way.
    const QString pattern =
        pellix::i18n::writesMonthFirst(locale)
            ? QCoreApplication::translate("PellixClockWidgetView", "dddd MMMM d",
                                          "QLocale date pattern, month before day")
            : QCoreApplication::translate("PellixClockWidgetView", "dddd d MMMM",
                                          "QLocale date pattern, day before month");
    return locale.toString(date, pattern);
}

}  // namespace

QString PellixClockWidgetView::formattedDate() const
{
    return pellix::i18n::displayLocale().toUpper(dateText(entry.date));
}

QString PellixClockWidgetView::accessibleText() const
{
    return formattedTime() + QStringLiteral(", ") + dateText(entry.date);
}

QString PellixClockWidgetView::formattedTime() const
{
    return pellix::i18n::clockTimeText(entry.date.time(), pellix::i18n::regionLocale(), pellix::i18n::displayLocale());
}

Block PellixClockWidgetView::body(double width) const
{
    const QString time = formattedTime();
    return vstack({textBlock(formattedDate(), systemFont(10, Weight::Bold, 0.5), systemRed(), width, 2),
                   padded(textBlock(time, fittedFont(systemFont(26, Weight::Medium), time, width), white(), width),
                          QMarginsF(0, 2, 0, 2)),
                   textBlock(QStringLiteral("PellixWidget"), systemFont(10, Weight::Semibold), white(0.4), width)},
                  4, HAlign::Center);
}

void PellixClockWidgetView::paint(QPainter &painter, const QRectF &rect) const
{
    paintInFrame(painter, rect, body(paddedArea(rect).width()), HAlign::Center);
}

}  // namespace pellix::extension
