#pragma once

// The MPRIS names owned on a bus, kept up to date from the bus's own
// NameOwnerChanged signals, so a refresh with no player asks the bus nothing.
// Listed once with a bounded ListNames; a failed listing is tried again on the
// next read. Lives in the thread that creates it, which must run an event loop.
// It also says when a player came, went or changed what the widget shows of it
// (PlaybackStatus or Metadata in PropertiesChanged), so the players need not be
// polled for those. A player may send hundreds of signals a second (a position
// or volume sent as it moves, a storm of metadata): the others are dropped
// unread, and the rest say `changed` at once after a quiet spell, then at most
// once per kMinChangeIntervalMs, the last of a burst always said.

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <optional>

class MprisNames : public QObject {
    Q_OBJECT

public:
    // Each `changed` costs a read of every player (a round trip each): twice a
    // second bounds a storm's cost near the clock's, and delays a change in it
    // by half a second at most, well within the 3-second poll it replaces.
    static constexpr int kMinChangeIntervalMs = 500;

    MprisNames(QDBusConnection bus, int callTimeoutMs, QObject *parent = nullptr);

    // The MPRIS names (and only those), sorted; empty when the bus cannot be listed.
    QStringList names();

signals:
    void changed();

private slots:
    void onPlayerProperties(const QString &interface, const QVariantMap &changed, const QStringList &invalidated);

private:
    void notify();

    QDBusConnection m_bus;
    int m_timeoutMs;
    QDBusServiceWatcher m_watcher;
    std::optional<QStringList> m_names;
    QTimer m_pace;  // runs for kMinChangeIntervalMs after each `changed`
    bool m_held = false;  // a change came while it ran
};
