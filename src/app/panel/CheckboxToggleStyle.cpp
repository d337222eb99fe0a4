#include "CheckboxToggleStyle.h"

#include "PanelStyle.h"
#include "Symbols.h"

#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QStyleOption>

namespace panel {

namespace {

// Material's square fills about three quarters of its em box: an 18 px glyph
// draws the 14-point square of the original symbol.
constexpr int kIndicator = 18;
constexpr int kLabelSpacing = 6;

}  // namespace

CheckboxToggleStyle::CheckboxToggleStyle() = default;

CheckboxToggleStyle *CheckboxToggleStyle::instance()
{
    static CheckboxToggleStyle *style = [] {
        auto *s = new CheckboxToggleStyle;
        s->setParent(qApp);
        return s;
    }();
    return style;
}

void CheckboxToggleStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                        const QWidget *widget) const
{
    if (element != PE_IndicatorCheckBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const bool on = option->state & State_On;
    QColor color = on ? accentBlue() : pellix::ui::white(0.3);
    if (!(option->state & State_Enabled))
        color.setAlphaF(color.alphaF() * 0.5f);
    pellix::ui::drawSymbol(*painter, option->rect, on ? "checkmark.square.fill" : "square", kIndicator, color);
}

int CheckboxToggleStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
        return kIndicator;
    case PM_CheckBoxLabelSpacing:
        return kLabelSpacing;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QRect CheckboxToggleStyle::subElementRect(SubElement element, const QStyleOption *option,
                                          const QWidget *widget) const
{
    // QCheckBox asks for the click rectangle in hitButton(): only the square.
    if (element == SE_CheckBoxClickRect)
        return QProxyStyle::subElementRect(SE_CheckBoxIndicator, option, widget);
    return QProxyStyle::subElementRect(element, option, widget);
}

QCheckBox *makeCheckbox(const QString &label)
{
    auto *box = new QCheckBox(label);
    box->setStyle(CheckboxToggleStyle::instance());
    box->setFont(pellix::ui::systemFont(12));
    QPalette p = box->palette();
    p.setColor(QPalette::WindowText, pellix::ui::white(0.75));
    box->setPalette(p);
    return box;
}

}  // namespace panel
