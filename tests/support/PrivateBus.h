#pragma once

// A D-Bus bus of the test's own, so peers and the code under test meet nobody
// else's services. Every wait is bounded.

#include <QDeadlineTimer>
#include <QProcess>
#include <QUuid>
#include <QtDBus>

namespace pellix::test {

inline void stopProcess(QProcess &process)
{
    process.terminate();
    if (!process.waitForFinished(2000))
        process.kill();
    process.waitForFinished(2000);
}

// A dbus-daemon with the permissive system-bus policy, on a socket of its own.
class PrivateBus {
public:
    ~PrivateBus()
    {
        QDBusConnection::disconnectFromBus(m_connectionName);
        stopProcess(m_daemon);
    }

    bool start()
    {
        m_daemon.start("dbus-daemon", {"--config-file=" PELLIX_SOURCE_DIR "/scripts/dbus/system-bus.conf.in",
                                       "--address=unix:tmpdir=/tmp", "--nofork", "--nosyslog", "--print-address=1"});
        QDeadlineTimer deadline(5000);
        while (!m_daemon.canReadLine() && !deadline.hasExpired() && m_daemon.state() != QProcess::NotRunning)
            m_daemon.waitForReadyRead(100);
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        return !m_address.isEmpty() && connection().isConnected();
    }

    QString address() const { return m_address; }
    QDBusConnection connection() const { return QDBusConnection::connectToBus(m_address, m_connectionName); }

private:
    QProcess m_daemon;
    QString m_address;
    const QString m_connectionName = "pxb-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
};

}  // namespace pellix::test
