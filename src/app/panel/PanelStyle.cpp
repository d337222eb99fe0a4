#include "PanelStyle.h"

#include "ExactSizeLabel.h"
#include "ExactSizeText.h"

#include <QLabel>

#include <cmath>

namespace panel {

using pellix::ui::Weight;
using pellix::ui::white;

QColor backdropColor(bool translucent)
{
    return pellix::ui::rgba(30, 30, 32, translucent ? 0.8 : 1.0);
}

bool focusRingFor(Qt::FocusReason reason)
{
    return reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

QPalette darkPanelPalette()
{
    QPalette p;
    const QColor window(30, 30, 32), base(44, 44, 46), button(58, 58, 60), text(Qt::white);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Window, window);
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Base, base);
        p.setColor(group, QPalette::AlternateBase, window);
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::Button, button);
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::Highlight, accentBlue());
        p.setColor(group, QPalette::HighlightedText, text);
        p.setColor(group, QPalette::PlaceholderText, white(0.35));
        p.setColor(group, QPalette::ToolTipBase, base);
        p.setColor(group, QPalette::ToolTipText, text);
        p.setColor(group, QPalette::Light, QColor(80, 80, 84));
        p.setColor(group, QPalette::Midlight, QColor(66, 66, 70));
        p.setColor(group, QPalette::Mid, QColor(40, 40, 42));
        p.setColor(group, QPalette::Dark, QColor(20, 20, 22));
        p.setColor(group, QPalette::Shadow, Qt::black);
    }
    const QColor disabled(white(0.35));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabled);
    p.setColor(QPalette::Disabled, QPalette::Window, window);
    p.setColor(QPalette::Disabled, QPalette::Base, base);
    p.setColor(QPalette::Disabled, QPalette::Button, button);
    return p;
}

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

QLabel *textLabel(const QString &text, const QFont &font, const QColor &color, QWidget *parent)
{
    // Qt draws a half-point size rounded; those labels draw themselves.
    const bool whole = std::floor(pellix::ui::layoutSize(font)) == pellix::ui::layoutSize(font);
    auto *label = whole ? new QLabel(text, parent) : new ExactSizeLabel(text, parent);
    label->setFont(font);
    setTextColor(label, color);
    return label;
}

QLabel *sectionCaption(const QString &text)
{
    return textLabel(text, pellix::ui::systemFont(11, Weight::Bold, 0.5), white(0.4));
}

}  // namespace panel
