#include "MprisPlayers.h"

#include "PellixLogging.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>

namespace {

const QString kPrefix = QStringLiteral("org.mpris.MediaPlayer2.");
const QString kPlayerctld = QStringLiteral("org.mpris.MediaPlayer2.playerctld");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

}  // namespace

namespace mpris {

namespace {

QVariant unwrapped(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

std::optional<QString> text(const QVariant &value)
{
    const QVariant v = unwrapped(value);
    if (v.metaType() != QMetaType::fromType<QString>())
        return std::nullopt;
    return v.toString();
}

// Nested dictionaries arrive still marshalled; only a{sv} is opened.
QVariantMap dictionary(const QVariant &value)
{
    const QVariant v = unwrapped(value);
    if (v.metaType() == QMetaType::fromType<QVariantMap>())
        return v.toMap();
    if (v.metaType() != QMetaType::fromType<QDBusArgument>())
        return {};
    const QDBusArgument argument = v.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a{sv}"))
        return {};
    return qdbus_cast<QVariantMap>(argument);
}

// xesam:artist is a list; some players send one string.
std::optional<QString> artists(const QVariant &value)
{
    const QVariant v = unwrapped(value);
    if (v.metaType() == QMetaType::fromType<QStringList>())
        return v.toStringList().join(QStringLiteral(", "));
    return text(v);
}

}  // namespace

QStringList otherPlayers(const QStringList &busNames)
{
    QStringList players;
    for (const QString &name : busNames)
        if (name.startsWith(kPrefix) && name != QLatin1String(kSpotifyName) && name != kPlayerctld)
            players.append(name);
    players.sort();
    return players;
}

std::optional<MusicData> musicFromProperties(const QVariantMap &properties, const QString &source)
{
    if (text(properties.value(QStringLiteral("PlaybackStatus"))) != QLatin1String("Playing"))
        return std::nullopt;
    const QVariantMap metadata = dictionary(properties.value(QStringLiteral("Metadata")));
    MusicData data;
    data.track = text(metadata.value(QStringLiteral("xesam:title")));
    data.artist = artists(metadata.value(QStringLiteral("xesam:artist")));
    const std::optional<QString> art = text(metadata.value(QStringLiteral("mpris:artUrl")));
    if (art && !art->isEmpty())
        data.artwork = art;
    data.source = source;
    data.playing = true;
    return data;
}

}  // namespace mpris

MprisPlayers::MprisPlayers(QDBusConnection bus, int callTimeoutMs, MprisNames *names)
    : m_bus(std::move(bus)), m_timeoutMs(callTimeoutMs), m_names(names)
{
}

const QStringList &MprisPlayers::busNames()
{
    if (!m_busNames)
        m_busNames = m_names ? m_names->names() : MprisNames(m_bus, m_timeoutMs).names();
    return *m_busNames;
}

QStringList MprisPlayers::candidates(MusicPlayer player)
{
    if (player == MusicPlayer::Spotify)
        return busNames().contains(QLatin1String(mpris::kSpotifyName)) ? QStringList{mpris::kSpotifyName}
                                                                        : QStringList{};
    return mpris::otherPlayers(busNames());
}

QList<MprisPlayers::Answer> MprisPlayers::ask(const QStringList &names)
{
    QList<QDBusPendingCall> pending;
    for (const QString &name : names) {
        QDBusMessage getAll = QDBusMessage::createMethodCall(name, kObjectPath,
                                                             QStringLiteral("org.freedesktop.DBus.Properties"),
                                                             QStringLiteral("GetAll"));
        getAll.setAutoStartService(false);
        getAll << kPlayerInterface;
        pending.append(m_bus.asyncCall(getAll, m_timeoutMs));
    }
    QList<Answer> answers;
    for (qsizetype i = 0; i < pending.size(); ++i) {
        pending[i].waitForFinished();
        const QDBusMessage reply = pending[i].reply();
        if (reply.type() == QDBusMessage::ReplyMessage && reply.signature() == QLatin1String("a{sv}"))
            answers.append({names[i], qdbus_cast<QVariantMap>(reply.arguments().constFirst())});
        else if (reply.type() == QDBusMessage::ErrorMessage)
            qCWarning(lcMusic, "%s GetAll: %s", qPrintable(names[i]), qPrintable(reply.errorName()));
    }
    return answers;
}

std::optional<MprisPlayers::Answer> MprisPlayers::choose(MusicPlayer player, bool anyIfNonePlays)
{
    const QList<Answer> answers = ask(candidates(player));
    for (const Answer &answer : answers)
        if (mpris::musicFromProperties(answer.properties, {}))
            return answer;
    if (anyIfNonePlays && !answers.isEmpty())
        return answers.first();
    return std::nullopt;
}

std::optional<MusicData> MprisPlayers::playing(MusicPlayer player)
{
    const std::optional<Answer> chosen = choose(player, false);
    if (!chosen)
        return std::nullopt;
    return mpris::musicFromProperties(chosen->properties,
                                      player == MusicPlayer::Spotify ? QStringLiteral("spotify") : QStringLiteral("music"));
}

bool MprisPlayers::isRunning(MusicPlayer player) { return !candidates(player).isEmpty(); }

void MprisPlayers::send(MusicPlayer player, TransportCommand command)
{
    static const char *const methods[] = {"PlayPause", "Next", "Previous"};
    QString target;
    if (player == MusicPlayer::Spotify) {
        target = QLatin1String(mpris::kSpotifyName);
    } else if (const std::optional<Answer> chosen = choose(player, true)) {
        target = chosen->busName;
    } else {
        // None answered in time: the first of them still gets the command.
        const QStringList others = candidates(player);
        if (others.isEmpty())
            return;
        target = others.first();
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(target, kObjectPath, kPlayerInterface, QLatin1String(methods[int(command)]));
    call.setAutoStartService(false);
    // Sent without waiting for the reply, so a player that never answers cannot hold the caller.
    m_bus.send(call);
}
