#include "SingleInstance.h"

#include "AtomicFile.h"
#include "PellixLogging.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kShowRequest[] = "show\n";
constexpr char kAck[] = "ok\n";
// A launch asks and reads its answer within a second; a connection still open
// after this says nothing we want, and only so many are held at once.
constexpr int kConnectionLifetimeMs = 3000;
constexpr int kMaxConnections = 16;
// Keeps socket paths well inside the 107 bytes a Unix socket address allows.
constexpr qsizetype kMaxKeyPart = 40;

// A directory only we can enter: ours, mode 0700. A symbolic link never counts
// when `followLinks` is false (the temporary directory is shared with others).
bool isPrivateDirectory(const QByteArray &path, bool followLinks)
{
    struct stat st {};
    if ((followLinks ? ::stat(path.constData(), &st) : ::lstat(path.constData(), &st)) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 07777) == 0700;
}

// Letters, digits, '.', '_' and '-' kept; anything else (a '/' above all) becomes '_'.
// A long value keeps its start and a digest of the whole, so it stays unique.
QString fileNamePart(const QByteArray &raw)
{
    QString part;
    for (const char c : raw) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                           c == '_' || c == '-';
        part += plain ? QLatin1Char(c) : QLatin1Char('_');
    }
    if (part.size() > kMaxKeyPart) {
        const QByteArray digest = QCryptographicHash::hash(raw, QCryptographicHash::Sha1).toHex().left(12);
        part = part.left(kMaxKeyPart - 13) + QLatin1Char('-') + QString::fromLatin1(digest);
    }
    return part;
}

QString keyedPath(const char *suffix)
{
    const QString dir = SingleInstance::runtimeDirectory();
    if (dir.isEmpty())
        return {};
    return dir + "/pellix-widget-" + SingleInstance::displayKey(qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")) +
           QLatin1String(suffix);
}

int remaining(const QDeadlineTimer &deadline) { return int(qMax<qint64>(deadline.remainingTime(), 1)); }

bool isOwnUser(qintptr socketDescriptor)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

}  // namespace

SingleInstance::SingleInstance(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance()
{
    if (m_lockFd >= 0)
        ::close(m_lockFd);  // the lock file itself stays: removing it would let two launches lock two files
}

QString SingleInstance::runtimeDirectory()
{
    const QByteArray xdg = qgetenv("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && isPrivateDirectory(xdg, true))
        return QFile::decodeName(xdg);
    // Not the shared temporary directory: there another user can take the name
    // first. The user's own cache folder is out of everyone else's reach.
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + "/.cache";
    const QString own = cache + "/pellix-widget";
    makePrivateDirectories(own);
    // One that someone else made, a link, or one open to others is not ours to trust.
    return isPrivateDirectory(QFile::encodeName(own), false) ? own : QString();
}

QString SingleInstance::displayKey(const QByteArray &display, const QByteArray &waylandDisplay)
{
    if (!display.isEmpty()) {
        // [host]:number[.screen]; the screen and the "unix" host name the same server.
        const qsizetype colon = display.lastIndexOf(':');
        QByteArray host = colon >= 0 ? display.left(colon) : QByteArray();
        QByteArray number = colon >= 0 ? display.mid(colon + 1) : QByteArray();
        if (const qsizetype dot = number.indexOf('.'); dot >= 0)
            number.truncate(dot);
        bool numeric = false;
        number.toUInt(&numeric);
        if (colon < 0 || !numeric)
            return "x11-" + fileNamePart(display);
        if (host == "unix")
            host.clear();
        return "x11-" + (host.isEmpty() ? QString() : fileNamePart(host) + "-") + QString::fromLatin1(number);
    }
    if (!waylandDisplay.isEmpty())
        return "wayland-" + fileNamePart(waylandDisplay);
    return QStringLiteral("none");
}

QString SingleInstance::serverName() { return keyedPath(".sock"); }

QString SingleInstance::lockPath() { return keyedPath(".lock"); }

bool SingleInstance::askRunningInstanceToShow(int timeoutMs)
{
    const QString name = serverName();
    if (name.isEmpty())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(remaining(deadline)))
        return false;
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(remaining(deadline)))
        return false;
    while (!socket.canReadLine())
        if (deadline.hasExpired() || !socket.waitForReadyRead(remaining(deadline)))
            return false;
    return socket.readLine() == kAck;
}

SingleInstance::Role SingleInstance::claim()
{
    const QString lock = lockPath();
    if (lock.isEmpty()) {
        qCWarning(lcShell, "no private runtime directory: a second launch will not hand over to this one");
        return Role::Primary;  // nowhere safe to coordinate: better unguarded than not at all
    }
    m_lockFd = ::open(QFile::encodeName(lock).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_lockFd < 0) {
        qCWarning(lcShell, "%s: %s; running unguarded", qPrintable(lock), std::strerror(errno));
        return Role::Primary;
    }
    int locked;
    do
        locked = ::flock(m_lockFd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(m_lockFd);
        m_lockFd = -1;
        if (!held)
            return Role::Primary;  // a file system without locks
        // The holder may be frozen or still starting: it is the primary all the same.
        if (!askRunningInstanceToShow())
            qCWarning(lcShell, "the running copy did not acknowledge the request to show its panel");
        return Role::HandedOver;
    }
    // Only the lock holder gets here, so a socket left behind is stale.
    const QString name = serverName();
    QLocalServer::removeServer(name);
    if (!m_server->listen(name))
        qCWarning(lcShell, "%s: %s; later launches cannot reach this one", qPrintable(name),
                  qPrintable(m_server->errorString()));
    return Role::Primary;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (m_connections >= kMaxConnections || !isOwnUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_connections;
        connect(socket, &QObject::destroyed, this, [this] { --m_connections; });
        QTimer::singleShot(kConnectionLifetimeMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == kShowRequest) {
                    socket->write(kAck);
                    emit showRequested();
                }
            }
            if (socket->bytesAvailable() > 64)  // not our protocol
                socket->abort();
        });
    }
}
