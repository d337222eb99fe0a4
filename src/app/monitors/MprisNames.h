#pragma once

// The MPRIS names owned on a bus, kept up to date from the bus's own
// NameOwnerChanged signals, so a refresh with no player asks the bus nothing.
// Listed once with a bounded ListNames; a failed listing is tried again on the
// next read. Lives in the thread that creates it, which must run an event loop.
// It also says when a player came, went or changed its Player properties
// (PropertiesChanged), so the players need not be polled for those.

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QStringList>

#include <optional>

class MprisNames : public QObject {
    Q_OBJECT

public:
    MprisNames(QDBusConnection bus, int callTimeoutMs, QObject *parent = nullptr);

    // The MPRIS names (and only those), sorted; empty when the bus cannot be listed.
    QStringList names();

signals:
    void changed();

private slots:
    void onPlayerProperties();

private:
    QDBusConnection m_bus;
    int m_timeoutMs;
    QDBusServiceWatcher m_watcher;
    std::optional<QStringList> m_names;
};
