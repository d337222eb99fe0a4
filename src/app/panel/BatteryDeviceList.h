#pragma once

// The battery card's "Mostra dispositivi:" list: a check box per device kind
// in two columns, under a rule. A box is ticked exactly when the kind's key is
// in the settings' batteryVisibleDevices.

#include <QList>
#include <QString>
#include <QWidget>

class QCheckBox;

namespace panel {

class PanelActions;

struct DeviceKind {
    const char *label;
    const char *key;
};
// In display order, MacBook and Apple Watch in the first row.
inline constexpr DeviceKind kDeviceKinds[] = {
    {"MacBook", "macbook"}, {"Apple Watch", "watch"}, {"Magic Mouse", "mouse"}, {"AirPods", "airpods"}};

class BatteryDeviceList : public QWidget {
    Q_OBJECT

public:
    explicit BatteryDeviceList(PanelActions &actions, QWidget *parent = nullptr);
    // Reflects batteryVisibleDevices without acting on it.
    void sync();

private:
    PanelActions &m_actions;
    QList<QCheckBox *> m_boxes;  // in kDeviceKinds order
};

}  // namespace panel
