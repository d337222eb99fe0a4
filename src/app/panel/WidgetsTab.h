#pragma once

// The "Widget" tab: the caption, the four widget cards (clock, weather,
// battery, now playing) with their option rows, wired to the panel actions,
// then the section of the extensions' widgets.

#include <QList>
#include <QStringList>
#include <QWidget>

class SettingsManager;

namespace panel {

class BatteryDeviceList;
class ExtensionSection;
class PanelActions;
class PickerRow;
class ToggleRow;
class WidgetCard;

// A widget's card wired to the actions: its switch, "Cliccabile attraverso" and
// the size picker over `sizes` (none when the widget has a single size), with
// `beforeSize` between the last two.
struct WiredCard {
    QString name;
    WidgetCard *card = nullptr;
    ToggleRow *clickThrough = nullptr;
    PickerRow *size = nullptr;

    // Reflects the store, `shownSize` selected, acting on nothing.
    void sync(const SettingsManager &settings, const QString &shownSize) const;
    // The controls Tab walks, in reading order.
    QList<QWidget *> controls() const;
};
WiredCard wiredCard(PanelActions &actions, QWidget *owner, const QString &name, const QString &title,
                    const QString &description, const QString &icon, const QStringList &sizes,
                    QWidget *beforeSize = nullptr);

class WidgetsTab : public QWidget {
    Q_OBJECT

public:
    explicit WidgetsTab(PanelActions &actions, QWidget *parent = nullptr);
    // Reflects the settings store in every control, acting on nothing.
    void sync();

private:
    void addCard(const QString &name, const QString &title, const QString &description, const QString &icon);

    PanelActions &m_actions;
    QList<WiredCard> m_cards;
    PickerRow *m_clockStyle = nullptr;
    BatteryDeviceList *m_devices = nullptr;
    ExtensionSection *m_extensions = nullptr;
};

}  // namespace panel
