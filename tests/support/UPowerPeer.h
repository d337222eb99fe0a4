#pragma once

// Test peers for the battery code: a private D-Bus bus of the test's own and
// python3-dbusmock's UPower template on it. Every wait is bounded.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>

namespace pellix::test {

inline void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

// A dbus-daemon with the permissive system-bus policy, on a socket of its own.
class PrivateBus {
public:
    PrivateBus() : m_dir(QStringLiteral("/tmp/pxb.XXXXXX")) {}
    ~PrivateBus()
    {
        if (!m_connectionName.isEmpty())
            QDBusConnection::disconnectFromBus(m_connectionName);
        stopProcess(m_daemon);
    }

    bool start()
    {
        QFile in(QStringLiteral(PELLIX_SOURCE_DIR "/scripts/dbus/system-bus.conf.in"));
        if (!m_dir.isValid() || !in.open(QIODevice::ReadOnly))
            return false;
        const QString conf = m_dir.filePath("bus.conf");
        QFile out(conf);
        if (!out.open(QIODevice::WriteOnly))
            return false;
        out.write(in.readAll().replace("@SOCK@", m_dir.filePath("bus").toUtf8()));
        out.close();
        m_daemon.start("dbus-daemon", {"--config-file=" + conf, "--nofork", "--nosyslog", "--print-address=1"});
        QDeadlineTimer deadline(5000);
        while (!m_daemon.canReadLine() && !deadline.hasExpired() && m_daemon.state() != QProcess::NotRunning)
            m_daemon.waitForReadyRead(100);
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        if (m_address.isEmpty())
            return false;
        m_connectionName = "pxb-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
        return connection().isConnected();
    }

    QString address() const { return m_address; }
    QDBusConnection connection() const
    {
        return QDBusConnection::connectToBus(m_address, m_connectionName);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QString m_connectionName;
};

// python3-dbusmock's UPower on a given bus, with helpers to add and change devices.
class UPowerPeer {
public:
    static constexpr char kService[] = "org.freedesktop.UPower";
    static constexpr char kDevices[] = "/org/freedesktop/UPower/devices/";

    explicit UPowerPeer(const PrivateBus &bus) : m_address(bus.address()), m_bus(bus.connection()) {}
    ~UPowerPeer() { stopProcess(m_mock); }

    bool start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", m_address);
        m_mock.setProcessEnvironment(env);
        // dbusmock logs every call to stdout; nobody reads it here, and a full pipe would stall the mock.
        m_mock.setStandardOutputFile(QProcess::nullDevice());
        m_mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_mock.start("/usr/bin/python3", {"-m", "dbusmock", "--template", "upower", "--system", "-p",
                                          R"({"DaemonVersion": "0.99.20", "OnBattery": false})"});
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && m_mock.state() != QProcess::NotRunning) {
            if (m_bus.interface()->isServiceRegistered(kService))
                return true;
            QThread::msleep(20);
        }
        return false;
    }

    // A device as upowerd publishes one; `kind` is UPower's Type.
    QString addDevice(const QString &name, uint kind, const QString &model, double percent, bool powerSupply = false)
    {
        const QDBusMessage reply = mock("/org/freedesktop/UPower", "AddDischargingBattery",
                                        {name, model, percent, qlonglong(0)});
        const QString path = reply.arguments().value(0).toString();
        setProperties(path, {{"Type", QVariant::fromValue(kind)}, {"PowerSupply", powerSupply}});
        return path;
    }

    QString addLinePower(const QString &name)
    {
        const QString path = mock("/org/freedesktop/UPower", "AddAC", {name, QStringLiteral("AC")})
                                 .arguments().value(0).toString();
        mock(path, "AddProperty", {QStringLiteral("org.freedesktop.UPower.Device"), QStringLiteral("Type"),
                                   QVariant::fromValue(QDBusVariant(QVariant::fromValue(uint(1))))});
        return path;
    }

    void setProperties(const QString &path, const QVariantMap &properties)
    {
        mock("/org/freedesktop/UPower", "SetDeviceProperties", {QVariant::fromValue(QDBusObjectPath(path)), properties});
    }

    void removeDevice(const QString &path)
    {
        mock("/org/freedesktop/UPower", "RemoveDevice", {QVariant::fromValue(QDBusObjectPath(path))});
    }

    bool lastCallFailed() const { return m_lastFailed; }

private:
    QDBusMessage mock(const QString &path, const QString &method, const QVariantList &args)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, path, "org.freedesktop.DBus.Mock", method);
        call.setArguments(args);
        const QDBusMessage reply = m_bus.call(call, QDBus::Block, 5000);
        m_lastFailed = reply.type() != QDBusMessage::ReplyMessage;
        return reply;
    }

    QString m_address;
    QDBusConnection m_bus;
    QProcess m_mock;
    bool m_lastFailed = false;
};

}  // namespace pellix::test
