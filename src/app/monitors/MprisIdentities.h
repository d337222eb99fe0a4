#pragma once

// The players' own names (the Identity of the MPRIS root interface, "VLC media
// player"), asked once per player process: kept by the unique bus name of the
// connection that answered, which the bus never hands to another process, so a
// player that restarts is asked again and a refresh asks nothing.

#include <QDBusConnection>
#include <QHash>
#include <QString>

class MprisIdentities {
public:
    // The Identity of the player owning `busName` as `owner` (unique name),
    // asked within `timeoutMs`; when it gives none, the bus name's own part
    // ("vlc" of org.mpris.MediaPlayer2.vlc.instance7).
    QString name(const QDBusConnection &bus, const QString &busName, const QString &owner, int timeoutMs);

    static QString ask(const QDBusConnection &bus, const QString &busName, int timeoutMs);

private:
    QHash<QString, QString> m_byOwner;
};
