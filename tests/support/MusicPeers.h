#pragma once

// Real MPRIS players on a private bus: the scripted player of tests/peers
// (Spotify's bus name, or any other) and mpv with its MPRIS plug-in playing
// tones made by sox on a null audio output. Every wait is bounded.

#include "PrivateBus.h"

#include <QImage>
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

// mpv playing two tagged tones in a loop, with cover.png (one colour) beside them.
class MpvPlayer {
public:
    // The bus may start later: it is asked for its address at start().
    explicit MpvPlayer(const PrivateBus &bus) : m_bus(bus)
    {
        m_mpv.setStandardOutputFile(QProcess::nullDevice());
        m_mpv.setStandardErrorFile(QProcess::nullDevice());
    }
    ~MpvPlayer() { stopProcess(m_mpv); }

    static constexpr QRgb kCoverColour = 0xff3366cc;

    bool start(bool paused = false)
    {
        if (!tone("t1.ogg", "Onda Lunga", "Coro di Prova", 440) || !tone("t2.ogg", "Seconda Onda", "Altro Coro", 550))
            return false;
        QImage cover(8, 8, QImage::Format_RGB32);
        cover.fill(kCoverColour);
        cover.save(m_media.filePath("cover.png"));
        QStringList args{"--no-config", "--script=/usr/lib/mpv-mpris/mpris.so", "--no-video", "--ao=null",
                         "--loop-playlist=inf", "--input-terminal=no", "--really-quiet"};
        if (paused)
            args << "--pause";
        m_mpv.setProcessEnvironment(sessionEnvironment(m_bus));
        m_mpv.start("mpv", args << m_media.filePath("t1.ogg") << m_media.filePath("t2.ogg"));
        if (!m_mpv.waitForStarted(5000))
            return false;
        // The name comes first and the tags a little later: wait for the artist.
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && m_mpv.state() == QProcess::Running) {
            const QString metadata = property("Metadata");
            if (metadata.contains("Coro"))
                return true;
            QThread::msleep(30);
        }
        return false;
    }

    QString mediaDir() const { return m_media.path(); }
    // "Playing" or "Paused", asked of mpv itself.
    QString playbackStatus() const { return property("PlaybackStatus"); }

private:
    bool tone(const QString &file, const QString &title, const QString &artist, int hz)
    {
        return QProcess::execute("sox", {"-n", "-r", "44100", "-c", "2", "--comment", "TITLE=" + title,
                                         "--add-comment", "ARTIST=" + artist, m_media.filePath(file), "synth", "20",
                                         "sine", QString::number(hz), "vol", "0.3"}) == 0;
    }

    QString property(const QString &name) const
    {
        QDBusMessage get = QDBusMessage::createMethodCall("org.mpris.MediaPlayer2.mpv", "/org/mpris/MediaPlayer2",
                                                          "org.freedesktop.DBus.Properties", "Get");
        get << QString("org.mpris.MediaPlayer2.Player") << name;
        const QDBusMessage reply = m_bus.connection().call(get, QDBus::Block, 1000);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {};
        const QVariant value = reply.arguments().value(0).value<QDBusVariant>().variant();
        if (value.metaType() == QMetaType::fromType<QDBusArgument>()) {
            QStringList texts;
            const QVariantMap map = qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
            for (const QVariant &v : map)
                texts << v.toString() << v.toStringList().join(',');
            return texts.join(' ');
        }
        return value.toString();
    }

    const PrivateBus &m_bus;
    QTemporaryDir m_media;
    QProcess m_mpv;
};

}  // namespace pellix::test
