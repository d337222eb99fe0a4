#include "BatteryWidgetView.h"

#include "BatteryRing.h"
#include "BatteryRingView.h"
#include "BatteryWidgetLayout.h"
#include "WidgetContainer.h"
#include "WidgetSpeech.h"
#include "monitors/BatteryMonitor.h"
#include "monitors/SessionSight.h"
#include "settings/SettingsManager.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
constexpr int kMediumRingSpacing = 12;
}

BatteryWidgetView::BatteryWidgetView(QWidget *parent) : BatteryWidgetView(SettingsManager::shared(), parent) {}

BatteryWidgetView::BatteryWidgetView(SettingsManager &settings, QWidget *parent)
    : QWidget(parent),
      m_settings(settings),
      m_collectDevices([] { return BatteryMonitor::shared().getBatteryDevices(); }),
      m_collectComputerName([] { return BatteryMonitor::shared().getComputerName(); })
{
    setAttribute(Qt::WA_TranslucentBackground);
    pellix::ui::installSpokenTextAccessibility();
    auto *content = new QWidget;
    m_row = new QHBoxLayout(content);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_container = new WidgetContainer(settings, content, batteryGlowColor(m_devices));
    m_container->setVerticalBleed(BatteryRingView::kBleed);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_container);

    connect(&m_timer, &EdgeTimer::timeout, this, &BatteryWidgetView::refreshDevices);
    // Unseen, the refreshes go on for the shared file; only the paints wait.
    SessionSight::shared().follow(this);
    connect(&m_settings, &SettingsManager::changed, this, &BatteryWidgetView::onSettingChanged);
    render();
}

BatteryWidgetView::~BatteryWidgetView() = default;

QString BatteryWidgetView::iconName(const QString &type) { return pellix::ui::batteryIconName(type); }

void BatteryWidgetView::setCollector(DeviceSource devices, NameSource computerName)
{
    m_usesMonitor = false;
    m_collectDevices = std::move(devices);
    m_collectComputerName = std::move(computerName);
}

void BatteryWidgetView::refreshDevices()
{
    const QList<BatteryDevice> devices = m_collectDevices();
    const bool changed = devices != m_devices;
    m_devices = devices;
    SharedWidgetData data = m_settings.sharedData();
    data.battery = m_devices;
    m_settings.setSharedData(data);
    m_settings.updateSharedWidgetData();
    // An unchanged reading redraws nothing, so the idle widget costs no paint.
    if (changed)
        render();
}

void BatteryWidgetView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        // UPower's list and every change it or the kernel announces show at
        // once, so the poll need not wake the process; the commands have no signals.
        if (m_usesMonitor && BatteryMonitor::selectedSource() == BatteryMonitor::Source::Linux) {
            m_timer.setRiding(kSafetyRefreshMs);
            BatteryMonitor::shared().onChanged(this, [this] {
                if (isVisible())
                    refreshDevices();
            });
        }
        refreshDevices();
        m_computerName = m_collectComputerName();
        render();
    } else {
        refreshDevices();
    }
    m_timer.start();
}

// A hidden widget has nothing to show; its timer resumes when it is shown again.
void BatteryWidgetView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}

void BatteryWidgetView::onSettingChanged(const QString &property)
{
    if (property == QLatin1String("batterySize") || property == QLatin1String("batteryVisibleDevices"))
        render();
}

// Keeps the ring of a device that stays (so its arc can ease to a new value) and
// replaces the rest.
void BatteryWidgetView::render()
{
    m_container->setGlowColor(batteryGlowColor(m_devices));
    const QList<BatteryRingSpec> specs = batteryRings(m_devices, m_settings.batterySize(),
                                                      m_settings.batteryVisibleDevices(), m_computerName);
    const bool small = m_settings.batterySize() == QLatin1String("small");
    m_row->setSpacing(small ? 0 : kMediumRingSpacing);

    QList<BatteryRingView *> old = m_rings;
    QList<QString> oldKeys;
    for (BatteryRingView *ring : old)
        oldKeys.append(ring->property("ringKey").toString());
    QList<BatteryRingView *> rings;
    for (const BatteryRingSpec &wanted : specs) {
        const qsizetype at = oldKeys.indexOf(wanted.key);
        BatteryRingView *ring = nullptr;
        if (at >= 0 && old[at]->isSmall() == wanted.isSmall) {
            ring = old.takeAt(at);
            oldKeys.removeAt(at);
            ring->setReading(wanted.device, wanted.customName);
        } else {
            ring = new BatteryRingView(wanted.device, wanted.isSmall, wanted.customName);
            ring->setProperty("ringKey", wanted.key);
        }
        rings.append(ring);
    }
    for (BatteryRingView *ring : old)
        delete ring;
    for (BatteryRingView *ring : rings)
        m_row->removeWidget(ring);
    for (BatteryRingView *ring : rings)
        m_row->addWidget(ring, 1);
    m_rings = rings;
    pellix::ui::announceSpokenText(this, m_spoken);
}

QString BatteryWidgetView::spokenText() const
{
    return batterySpeech(batteryRings(m_devices, m_settings.batterySize(), m_settings.batteryVisibleDevices(),
                                      m_computerName));
}
