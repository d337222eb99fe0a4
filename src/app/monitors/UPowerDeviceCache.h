#pragma once

#include "SharedWidgetData.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QVariantMap>

#include <optional>

// UPower's accessories, followed without ever making the caller wait: the device
// list is asked for asynchronously, then kept current from UPower's DeviceAdded,
// DeviceRemoved and PropertiesChanged signals. A UPower that is slow, silent or
// hostile costs the GUI thread nothing; it only leaves the list unknown (or, once
// known, as it last was). At most kMaxDevices devices are followed.
class UPowerDeviceCache : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype kMaxDevices = 64;

    explicit UPowerDeviceCache(const QDBusConnection &bus, int callTimeoutMs = 2000, QObject *parent = nullptr);
    ~UPowerDeviceCache() override;

    // The accessories as UPower last described them, in its order; nothing while
    // UPower is absent, silent or has not answered yet. Never waits; starts a new
    // request when none is known and none is under way. Callable from any thread.
    std::optional<QList<BatteryDevice>> accessories();

signals:
    // What UPower says changed once the list is known: the list became known
    // (the first answer, or the first after UPower restarted), a device came or
    // went, or a device's properties changed (the computer's battery too, whose
    // level the caller reads from sysfs).
    void changed();

private slots:
    void onDeviceAdded(const QDBusMessage &message);
    void onDeviceRemoved(const QDBusMessage &message);
    void onPropertiesChanged(const QDBusMessage &message);

private:
    // Unknown: not asked yet, or the last request failed (asked again at the next
    // call). Absent: nobody owns the name (asked again when somebody does).
    enum class State { Unknown, Absent, Enumerating, Fetching, Synced };
    struct Device {
        QString path;
        std::optional<QVariantMap> properties;  // nothing until GetAll answered
    };

    void restart(bool present);
    void syncIfDue();
    void onEnumerated(const QDBusMessage &reply, quint64 generation);
    void fetch(const QString &path, bool initial);
    void onFetched(const QDBusMessage &reply, quint64 generation, const QString &path, bool initial);
    void finishSync();
    Device *find(const QString &path);
    void publish();

    QDBusConnection m_bus;
    int m_callTimeoutMs;
    State m_state = State::Unknown;
    quint64 m_generation = 0;  // answers of an older generation are stale
    qsizetype m_fetchesLeft = 0;
    QList<Device> m_devices;

    mutable QMutex m_snapshotLock;
    std::optional<QList<BatteryDevice>> m_snapshot;
};
