#pragma once

// One widget's card: a header (icon tile, name and description, the enabled
// switch) and below it the widget's option rows, shown only while the widget
// is enabled. The card is a group named after the widget's title; its switch
// carries the same name.

#include "PanelCard.h"

namespace panel {

class SwitchButton;

class WidgetCard : public PanelCard {
    Q_OBJECT

public:
    WidgetCard(const QString &title, const QString &description, const QString &icon, QWidget *parent = nullptr);

    SwitchButton *enabledSwitch() const { return m_switch; }
    void addOption(QWidget *row);
    QWidget *options() const { return m_options; }
    // Reflects the enabled flag: switch, options shown, icon tint. Emits nothing.
    void showEnabled(bool on);

private:
    class IconTile;
    IconTile *m_icon;
    SwitchButton *m_switch;
    QWidget *m_options;
};

}  // namespace panel
