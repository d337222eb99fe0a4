#pragma once

// The "Widget" tab: the caption and the four widget cards (clock, weather,
// battery, now playing) with their option rows, wired to the panel actions.

#include <QList>
#include <QWidget>

namespace panel {

class BatteryDeviceList;
class PanelActions;
class PickerRow;
class ToggleRow;
class WidgetCard;

class WidgetsTab : public QWidget {
    Q_OBJECT

public:
    explicit WidgetsTab(PanelActions &actions, QWidget *parent = nullptr);
    // Reflects the settings store in every control, acting on nothing.
    void sync();

private:
    struct Card {
        QString name;  // one of the four widget names
        WidgetCard *card;
        ToggleRow *clickThrough;
        PickerRow *size;
    };
    void addCard(const QString &name, const QString &title, const QString &description, const QString &icon);

    PanelActions &m_actions;
    QList<Card> m_cards;
    PickerRow *m_clockStyle = nullptr;
    BatteryDeviceList *m_devices = nullptr;
};

}  // namespace panel
