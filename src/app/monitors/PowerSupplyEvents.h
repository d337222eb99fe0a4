#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

// The kernel's power-supply uevents (mains plugged or pulled, a battery's status
// and, with most drivers, its level), read from a netlink socket, so sysfs need
// not be polled for what the kernel announces. Silent where the socket cannot
// be had (not Linux, a sandbox): the caller's slow poll then does the work.
class PowerSupplyEvents : public QObject {
    Q_OBJECT

public:
    explicit PowerSupplyEvents(QObject *parent = nullptr);
    ~PowerSupplyEvents() override;

signals:
    void changed();

private:
    void drain();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

namespace battery {
// Whether one kernel uevent ("ACTION@DEVPATH", then KEY=VALUE fields, each
// ending in NUL) concerns a power supply.
bool isPowerSupplyUevent(const QByteArray &message);
}
