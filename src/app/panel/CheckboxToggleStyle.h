#pragma once

// The device list's check box: the symbol "checkmark.square.fill" (accent blue)
// when on, "square" (white at 30 %) when off, 6 points before the label. Only
// the square takes clicks; the label does not react to them. Keyboard (Space)
// and accessibility toggling are unaffected.

#include <QProxyStyle>

class QCheckBox;

namespace panel {

class CheckboxToggleStyle : public QProxyStyle {
    Q_OBJECT

public:
    // One instance serves every check box; it lives as long as the application.
    static CheckboxToggleStyle *instance();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption *option, const QWidget *widget) const override;

private:
    CheckboxToggleStyle();
};

// A check box drawn with the style, its label in 12, white at 75 %.
QCheckBox *makeCheckbox(const QString &label);

}  // namespace panel
