#include "MprisIdentities.h"

#include "MusicBounds.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace {

// Players come and go; past this many the old ones are forgotten at once.
constexpr qsizetype kMaxRemembered = 64;

QString busNamePart(const QString &busName)
{
    const QString rest = busName.section(u'.', 3);
    return rest.section(u'.', 0, 0);
}

}  // namespace

QString MprisIdentities::ask(const QDBusConnection &bus, const QString &busName, int timeoutMs)
{
    QDBusMessage get = QDBusMessage::createMethodCall(busName, QStringLiteral("/org/mpris/MediaPlayer2"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get.setAutoStartService(false);
    get << QStringLiteral("org.mpris.MediaPlayer2") << QStringLiteral("Identity");
    const QDBusMessage reply = bus.call(get, QDBus::Block, timeoutMs);
    QString identity;
    if (reply.type() == QDBusMessage::ReplyMessage && reply.signature() == QLatin1String("v")) {
        const QVariant value = reply.arguments().constFirst().value<QDBusVariant>().variant();
        if (value.metaType() == QMetaType::fromType<QString>())
            identity = value.toString().left(kMaxPlayerNameLength).trimmed();  // not kept whole
    }
    return identity.isEmpty() ? busNamePart(busName) : identity;
}

QString MprisIdentities::name(const QDBusConnection &bus, const QString &busName, const QString &owner, int timeoutMs)
{
    if (owner.isEmpty())
        return ask(bus, busName, timeoutMs);
    if (const auto known = m_byOwner.constFind(owner); known != m_byOwner.cend())
        return *known;
    if (m_byOwner.size() >= kMaxRemembered)
        m_byOwner.clear();
    const QString identity = ask(bus, busName, timeoutMs);
    m_byOwner.insert(owner, identity);
    return identity;
}
