#include "MprisNames.h"

#include "PellixLogging.h"

#include <QDBusMessage>

#include <algorithm>
#include <utility>

namespace {
const QString kPrefix = QStringLiteral("org.mpris.MediaPlayer2.");

// What the widget shows of a player; Position, Volume, Rate, Can* and the rest change nothing on screen.
bool shown(const QString &property)
{
    return property == QLatin1String("PlaybackStatus") || property == QLatin1String("Metadata");
}
}  // namespace

MprisNames::MprisNames(QDBusConnection bus, int callTimeoutMs, QObject *parent)
    : QObject(parent), m_bus(std::move(bus)), m_timeoutMs(callTimeoutMs)
{
    // Watching before the first listing: the bus handles our AddMatch before
    // the ListNames that follows it, so no change falls between the two.
    m_watcher.setConnection(m_bus);
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    m_watcher.addWatchedService(QStringLiteral("org.mpris.MediaPlayer2*"));
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &name, const QString &, const QString &newOwner) {
                if (!name.startsWith(kPrefix))
                    return;
                notify();
                if (!m_names)
                    return;
                m_names->removeAll(name);
                if (!newOwner.isEmpty()) {
                    m_names->append(name);
                    m_names->sort();
                }
            });
    m_bus.connect(QString(), QStringLiteral("/org/mpris/MediaPlayer2"), QStringLiteral("org.freedesktop.DBus.Properties"),
                  QStringLiteral("PropertiesChanged"), {QStringLiteral("org.mpris.MediaPlayer2.Player")}, QString(),
                  this, SLOT(onPlayerProperties(QString, QVariantMap, QStringList)));
    m_pace.setSingleShot(true);
    m_pace.setInterval(kMinChangeIntervalMs);
    connect(&m_pace, &QTimer::timeout, this, [this] {
        if (std::exchange(m_held, false))
            notify();
    });
}

void MprisNames::onPlayerProperties(const QString &, const QVariantMap &changed, const QStringList &invalidated)
{
    if (std::any_of(changed.keyBegin(), changed.keyEnd(), shown) ||
        std::any_of(invalidated.begin(), invalidated.end(), shown))
        notify();
}

void MprisNames::notify()
{
    if (m_pace.isActive()) {
        m_held = true;
        return;
    }
    emit changed();
    m_pace.start();
}

QStringList MprisNames::names()
{
    if (m_names || !m_bus.isConnected())
        return m_names.value_or(QStringList());
    const QDBusMessage list =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
    const QDBusMessage reply = m_bus.call(list, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1String("as")) {
        qCWarning(lcMusic, "ListNames: %s", qPrintable(reply.errorName()));
        return {};
    }
    QStringList found;
    for (const QString &name : reply.arguments().constFirst().toStringList())
        if (name.startsWith(kPrefix))
            found.append(name);
    found.sort();
    m_names = found;
    return found;
}
