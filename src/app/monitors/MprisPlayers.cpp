#include "MprisPlayers.h"

#include "MusicBounds.h"
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
const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");

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
        return v.toStringList().mid(0, kMaxArtists).join(QStringLiteral(", "));
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

QString playerName(const QVariant &identity, const QString &busName)
{
    const QString name = boundedPlayerText(text(identity).value_or(QString()), kMaxPlayerNameLength);
    return hasVisibleText(name) ? name : busName.section(u'.', 3, 3);
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

QList<MprisPlayers::Answer> MprisPlayers::ask(const QStringList &names, bool identities)
{
    const auto call = [&](const QString &name, const QString &method, const QVariantList &arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            name, kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"), method);
        message.setAutoStartService(false);
        message.setArguments(arguments);
        return m_bus.asyncCall(message, m_timeoutMs);
    };
    QList<QDBusPendingCall> states, identityCalls;
    for (const QString &name : names) {
        states.append(call(name, QStringLiteral("GetAll"), {kPlayerInterface}));
        if (identities)
            identityCalls.append(call(name, QStringLiteral("Get"), {kRootInterface, QStringLiteral("Identity")}));
    }
    QList<Answer> answers;
    for (qsizetype i = 0; i < states.size(); ++i) {
        states[i].waitForFinished();
        const QDBusMessage reply = states[i].reply();
        if (reply.type() == QDBusMessage::ReplyMessage && reply.signature() == QLatin1String("a{sv}")) {
            Answer answer{names[i], qdbus_cast<QVariantMap>(reply.arguments().constFirst()), {}};
            if (identities) {
                identityCalls[i].waitForFinished();
                answer.identity = identityCalls[i].reply().arguments().value(0);
            }
            answers.append(answer);
        } else if (reply.type() == QDBusMessage::ErrorMessage) {
            qCWarning(lcMusic, "%s GetAll: %s", qPrintable(names[i]), qPrintable(reply.errorName()));
        }
    }
    return answers;
}

std::optional<MprisPlayers::Answer> MprisPlayers::choose(MusicPlayer player, bool anyIfNonePlays, bool identities)
{
    const QList<Answer> answers = ask(candidates(player), identities);
    for (const Answer &answer : answers)
        if (mpris::musicFromProperties(answer.properties, {}))
            return answer;
    if (anyIfNonePlays && !answers.isEmpty())
        return answers.first();
    return std::nullopt;
}

std::optional<NowPlaying> MprisPlayers::playing(MusicPlayer player)
{
    // Spotify's badge is its own; any other player is named by itself.
    const bool spotify = player == MusicPlayer::Spotify;
    const std::optional<Answer> chosen = choose(player, false, !spotify);
    if (!chosen)
        return std::nullopt;
    std::optional<MusicData> music =
        mpris::musicFromProperties(chosen->properties, spotify ? QStringLiteral("spotify") : QStringLiteral("music"));
    if (!music)
        return std::nullopt;
    return NowPlaying{*music, {player, chosen->busName}, spotify ? QString() : mpris::playerName(chosen->identity, chosen->busName)};
}

bool MprisPlayers::isRunning(const PlayerAddress &player)
{
    if (!player.instance.isEmpty())
        return busNames().contains(player.instance);
    return !candidates(player.player).isEmpty();
}

// The given instance when there is one, else by the rule: Spotify's name, or
// the other player that plays (else the first that answers, else the first).
QString MprisPlayers::target(const PlayerAddress &player)
{
    if (!player.instance.isEmpty())
        return player.instance;
    if (player.player == MusicPlayer::Spotify)
        return QLatin1String(mpris::kSpotifyName);
    if (const std::optional<Answer> chosen = choose(player.player, true))
        return chosen->busName;
    return candidates(player.player).value(0);
}

void MprisPlayers::send(const PlayerAddress &player, TransportCommand command)
{
    static const char *const methods[] = {"PlayPause", "Next", "Previous"};
    const QString to = target(player);
    if (to.isEmpty())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(to, kObjectPath, kPlayerInterface, QLatin1String(methods[int(command)]));
    call.setAutoStartService(false);
    // Sent without waiting for the reply, so a player that never answers cannot hold the caller.
    m_bus.send(call);
}
