#include "PowerSupplyEvents.h"

#include <QSocketNotifier>

#ifdef Q_OS_LINUX
#include <linux/netlink.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
constexpr int kKernelGroup = 1;             // the kernel's own uevents, not udev's re-broadcast
constexpr qsizetype kMaxMessage = 8192;     // a uevent is bounded by the kernel to 2 KiB of fields
constexpr int kMaxMessagesPerWake = 64;     // a storm of uevents cannot hold the event loop
}  // namespace

PowerSupplyEvents::PowerSupplyEvents(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_LINUX
    m_fd = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT);
    if (m_fd < 0)
        return;
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = kKernelGroup;
    if (::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PowerSupplyEvents::drain);
#endif
}

PowerSupplyEvents::~PowerSupplyEvents()
{
#ifdef Q_OS_LINUX
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

// One signal for however many messages are waiting: a charger plugged in sends several.
void PowerSupplyEvents::drain()
{
#ifdef Q_OS_LINUX
    QByteArray buffer(kMaxMessage, Qt::Uninitialized);
    bool relevant = false;
    for (int i = 0; i < kMaxMessagesPerWake; ++i) {
        const ssize_t n = ::recv(m_fd, buffer.data(), size_t(buffer.size()), MSG_DONTWAIT);
        if (n <= 0)
            break;
        relevant |= battery::isPowerSupplyUevent(QByteArray::fromRawData(buffer.constData(), qsizetype(n)));
    }
    if (relevant)
        emit changed();
#endif
}

bool battery::isPowerSupplyUevent(const QByteArray &message)
{
    for (const QByteArray &field : message.split('\0'))
        if (field == "SUBSYSTEM=power_supply")
            return true;
    return false;
}
