#pragma once

// The battery widget: when the collector says something changed, and every
// 4 seconds while the process is awake anyway (at the latest every minute), it
// asks the collector for the batteries, publishes them to the shared file and draws the computer's ring (small) or up
// to four rings (medium) in the glass container, glowing by the computer's charge.

#include "EdgeTimer.h"
#include "SharedWidgetData.h"
#include "SpokenText.h"

#include <QList>
#include <QWidget>

#include <functional>

class BatteryRingView;
class QHBoxLayout;
class SettingsManager;
class WidgetContainer;

class BatteryWidgetView : public QWidget, public pellix::ui::SpokenText {
    Q_OBJECT

public:
    explicit BatteryWidgetView(QWidget *parent = nullptr);
    explicit BatteryWidgetView(SettingsManager &settings, QWidget *parent = nullptr);
    ~BatteryWidgetView() override;

    static constexpr int kRefreshIntervalMs = 4000;
    static constexpr int kSafetyRefreshMs = 60000;  // for changes nobody signals
    static QString iconName(const QString &type);

    // Where the readings come from: the shared collector unless tests or tools say otherwise.
    using DeviceSource = std::function<QList<BatteryDevice>()>;
    using NameSource = std::function<QString()>;
    void setCollector(DeviceSource devices, NameSource computerName);

    QList<BatteryDevice> devices() const { return m_devices; }
    QString computerName() const { return m_computerName; }
    WidgetContainer *container() const { return m_container; }
    QList<BatteryRingView *> rings() const { return m_rings; }
    bool isRefreshing() const { return m_timer.isActive(); }

    // One refresh, as the timer does it: collect, keep, publish.
    void refreshDevices();

    // Every ring shown, with its level and charging state.
    QString spokenText() const override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void onSettingChanged(const QString &property);
    void render();

    SettingsManager &m_settings;
    DeviceSource m_collectDevices;
    NameSource m_collectComputerName;
    QList<BatteryDevice> m_devices;
    QString m_computerName = QStringLiteral("MacBook");
    bool m_shownOnce = false;
    bool m_usesMonitor = true;
    EdgeTimer m_timer{kRefreshIntervalMs};  // riding the clock's seconds
    QString m_spoken;

    WidgetContainer *m_container = nullptr;
    QHBoxLayout *m_row = nullptr;
    QList<BatteryRingView *> m_rings;
};
