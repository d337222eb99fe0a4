#pragma once

// Real MPRIS players on a private bus: the scripted player of tests/peers
// (Spotify's bus name, or any other) and mpv with its MPRIS plug-in, as the
// system tests start it. Every wait is bounded.

#include "PrivateBus.h"

#include <QRgb>
#include <QTemporaryDir>
#include <QThread>

namespace pellix::test {

inline bool waitForOwner(const QDBusConnection &bus, const QString &name, int ms = 10000)
{
    QDeadlineTimer deadline(ms);
    while (!bus.interface()->isServiceRegistered(name) && !deadline.hasExpired())
        QThread::msleep(20);
    return bus.interface()->isServiceRegistered(name);
}

inline QProcessEnvironment sessionEnvironment(const PrivateBus &bus)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
    return env;
}

struct ScriptedTrack {
    QString title, artists, art;  // artists ";"-separated; an empty art sends no mpris:artUrl
};

// tests/peers/mpris_player.py as org.mpris.MediaPlayer2.<name>.
class ScriptedPlayer {
public:
    ScriptedPlayer(const PrivateBus &bus, QString name) : m_bus(bus.connection()), m_name(std::move(name))
    {
        m_player.setProcessEnvironment(sessionEnvironment(bus));
        m_player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~ScriptedPlayer() { stopProcess(m_player); }

    // `extra`: "--silent" for a player that never answers.
    bool start(const QString &status, const QList<ScriptedTrack> &tracks, const QStringList &extra = {})
    {
        QStringList args{PELLIX_SOURCE_DIR "/tests/peers/mpris_player.py", m_name, "--status", status,
                         "--log", m_log.filePath("calls")};
        for (const ScriptedTrack &t : tracks)
            args << "--track" << t.title << t.artists << t.art;
        m_player.start("/usr/bin/python3", args + extra);
        return waitForOwner(m_bus, busName());
    }

    QString busName() const { return "org.mpris.MediaPlayer2." + m_name; }
    // `method` ("org.mpris.MediaPlayer2.Player.Next") of the object at org.mpris.MediaPlayer2.<name>, answered.
    bool tell(const QString &name, const QString &method, const QVariantList &arguments = {}) const
    {
        QDBusMessage call = QDBusMessage::createMethodCall("org.mpris.MediaPlayer2." + name, "/org/mpris/MediaPlayer2",
                                                           method.section('.', 0, -2), method.section('.', -1));
        call.setArguments(arguments);
        return m_bus.call(call, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
    }
    // The Player methods received so far, in order.
    QStringList calls() const
    {
        QFile log(m_log.filePath("calls"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)
                                             : QStringList{};
    }

private:
    QDBusConnection m_bus;
    QString m_name;
    QTemporaryDir m_log;
    QProcess m_player;
};

// start_mpv of scripts/music-peers.sh: two tagged tones in a loop, cover.png (one
// colour) beside them, on the bus's session.
class MpvPlayer {
public:
    // The bus may start later: it is asked for its address at start().
    explicit MpvPlayer(const PrivateBus &bus) : m_bus(bus) { m_mpv.setProcessChannelMode(QProcess::ForwardedErrorChannel); }
    ~MpvPlayer() { stopProcess(m_mpv); }

    static constexpr QRgb kCoverColour = 0xff3366cc;

    bool start()
    {
        m_mpv.setProcessEnvironment(sessionEnvironment(m_bus));
        m_mpv.start("bash", {"-c", ". " PELLIX_SOURCE_DIR "/scripts/music-peers.sh; pids=()\n"
                                   "trap 'kill \"${pids[@]}\" 2>/dev/null; exit' TERM EXIT\n"
                                   "start_mpv \"$0\" xc:#3366cc && echo ready && wait", m_media.path()});
        QDeadlineTimer deadline(15000);
        while (!m_mpv.canReadLine() && !deadline.hasExpired() && m_mpv.state() != QProcess::NotRunning)
            m_mpv.waitForReadyRead(100);
        return m_mpv.readLine().trimmed() == "ready";
    }

    QString mediaDir() const { return m_media.path(); }
    // "Playing" or "Paused", asked of mpv itself.
    QString playbackStatus() const
    {
        QDBusMessage get = QDBusMessage::createMethodCall("org.mpris.MediaPlayer2.mpv", "/org/mpris/MediaPlayer2",
                                                          "org.freedesktop.DBus.Properties", "Get");
        get << QString("org.mpris.MediaPlayer2.Player") << QString("PlaybackStatus");
        const QDBusMessage reply = m_bus.connection().call(get, QDBus::Block, 1000);
        return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
    }

private:
    const PrivateBus &m_bus;
    QTemporaryDir m_media;
    QProcess m_mpv;
};

}  // namespace pellix::test
