#pragma once

// python3-dbusmock's UPower on a private bus of the test's own. Every wait is bounded.

#include "PrivateBus.h"

#include <QThread>

namespace pellix::test {

// python3-dbusmock's UPower on a given bus, with helpers to add and change devices.
class UPowerPeer {
public:
    explicit UPowerPeer(const PrivateBus &bus) : m_address(bus.address()), m_bus(bus.connection()) {}
    ~UPowerPeer() { stopProcess(m_mock); }

    bool start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", m_address);
        m_mock.setProcessEnvironment(env);
        // dbusmock logs every call to stdout; nobody reads it, and a full pipe would stall the mock.
        m_mock.setStandardOutputFile(QProcess::nullDevice());
        m_mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_mock.start("/usr/bin/python3", {"-m", "dbusmock", "--template", "upower", "--system", "-p",
                                          R"({"DaemonVersion": "0.99.20", "OnBattery": false})"});
        QDeadlineTimer deadline(10000);
        while (!m_bus.interface()->isServiceRegistered("org.freedesktop.UPower") && !deadline.hasExpired() &&
               m_mock.state() != QProcess::NotRunning)
            QThread::msleep(20);
        return m_bus.interface()->isServiceRegistered("org.freedesktop.UPower");
    }

    // A device as upowerd publishes one; `kind` is UPower's Type.
    QString addDevice(const QString &name, uint kind, const QString &model, double percent, bool powerSupply = false)
    {
        const QString path = mock("AddDischargingBattery", {name, model, percent, qlonglong(0)});
        setProperties(path, {{"Type", QVariant::fromValue(kind)}, {"PowerSupply", powerSupply}});
        return path;
    }

    QString addLinePower(const QString &name)
    {
        const QString path = mock("AddAC", {name, QStringLiteral("AC")});
        mock("AddProperty", {QStringLiteral("org.freedesktop.UPower.Device"), QStringLiteral("Type"),
                             QVariant::fromValue(QDBusVariant(QVariant::fromValue(uint(1))))}, path);
        return path;
    }

    void setProperties(const QString &path, const QVariantMap &properties)
    {
        mock("SetDeviceProperties", {QVariant::fromValue(QDBusObjectPath(path)), properties});
    }

    // From now on every call on `path` fails, as a busy upowerd's time-out does; no signal says so.
    void failCallsOn(const QString &path) { mock("RemoveObject", {QVariant::fromValue(QDBusObjectPath(path))}); }

    void emitSignal(const QString &path, const QString &interface, const QString &name, const QString &signature,
                    const QVariantList &args)
    {
        mock("EmitSignal", {interface, name, signature, args}, path);
    }

private:
    // Calls the mock's control interface; the first string or object path of the reply.
    QString mock(const QString &method, const QVariantList &args, const QString &path = "/org/freedesktop/UPower")
    {
        QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.UPower", path, "org.freedesktop.DBus.Mock", method);
        call.setArguments(args);
        return m_bus.call(call, QDBus::Block, 5000).arguments().value(0).toString();
    }

    QString m_address;
    QDBusConnection m_bus;
    QProcess m_mock;
};

// tests/support/hostile_upower.py on a given bus: `--silent`, or `--devices N` with hostile values.
class HostileUPower {
public:
    HostileUPower(const PrivateBus &bus, const QStringList &arguments) : m_bus(bus.connection())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", bus.address());
        m_peer.setProcessEnvironment(env);
        m_peer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_peer.start("/usr/bin/python3", QStringList{PELLIX_SOURCE_DIR "/tests/support/hostile_upower.py"} + arguments);
    }
    ~HostileUPower() { stopProcess(m_peer); }

    bool waitReady()
    {
        QDeadlineTimer deadline(10000);
        while (!m_peer.canReadLine() && !deadline.hasExpired() && m_peer.state() != QProcess::NotRunning)
            m_peer.waitForReadyRead(100);
        return m_peer.readLine().trimmed() == "ready";
    }

    // How many devices were asked for their properties so far.
    uint getAllCalls()
    {
        const QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.UPower", "/", "org.dbuspeers.Hostile", "GetAllCalls");
        return m_bus.call(call, QDBus::Block, 5000).arguments().value(0).toUInt();
    }

private:
    QDBusConnection m_bus;
    QProcess m_peer;
};

}  // namespace pellix::test
