#include "SingleInstance.h"

#include "AtomicFile.h"
#include "PellixLogging.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringList>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr char kShowRequest[] = "show\n";
constexpr char kAck[] = "ok\n";
// A launch asks and reads its answer within a second; a connection still open
// after this says nothing we want, and only so many are held at once.
constexpr int kConnectionLifetimeMs = 3000;
constexpr int kMaxConnections = 16;
// Raising the panel costs the window manager a restack and a focus change:
// requests closer together than this are one raise.
constexpr int kShowMergeMs = 250;
// Keeps the key part of socket paths well inside what a Unix socket address allows.
constexpr qsizetype kMaxKeyPart = 40;
constexpr qsizetype kMaxSocketPath = sizeof(sockaddr_un::sun_path) - 1;

// A directory only we can enter: ours, mode 0700.
bool isPrivateDirectory(const QByteArray &path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 07777) == 0700;
}

// A directory of ours at `path`, made if missing, its mode put back to 0700 if
// the user opened it. A link, or a directory of someone else, is never taken.
bool ownPrivateDirectory(const QString &path)
{
    makePrivateDirectories(path);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ours = ::fstat(fd, &st) == 0 && st.st_uid == ::getuid();
    if (ours && (st.st_mode & 07777) != 0700) {
        ours = ::fchmod(fd, 0700) == 0;
        qCWarning(lcShell, "%s was open to others: %s", qPrintable(path), ours ? "made private" : "refused");
    }
    ::close(fd);
    return ours;
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

QString keyedPath(const QString &dir, const char *suffix)
{
    return dir + "/pellix-widget-" + SingleInstance::displayKey(qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")) +
           QLatin1String(suffix);
}

QString keyedPath(const char *suffix)
{
    const QString dir = SingleInstance::runtimeDirectory();
    return dir.isEmpty() ? QString() : keyedPath(dir, suffix);
}

bool socketFitsIn(const QString &dir) { return QFile::encodeName(keyedPath(dir, ".sock")).size() <= kMaxSocketPath; }

// Where to go without a usable XDG_RUNTIME_DIR, in this order. The user's own
// cache folder is out of everyone else's reach. Under a home too deep for a
// socket address, a folder of ours in the temporary directory, never that
// shared directory itself: there another user can take a name first.
QStringList fallbackDirectories()
{
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + "/.cache";
    return {cache + "/pellix-widget", QDir::tempPath() + "/pellix-widget-" + QString::number(::getuid())};
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
    if (!xdg.isEmpty() && isPrivateDirectory(xdg) && socketFitsIn(QFile::decodeName(xdg)))
        return QFile::decodeName(xdg);
    for (const QString &own : fallbackDirectories())
        if (socketFitsIn(own) && ownPrivateDirectory(own))
            return own;
    return {};
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
    // Without the lock every launch would be a primary of its own, each with its
    // widgets and each writing the settings.
    const QString lock = lockPath();
    if (lock.isEmpty()) {
        m_refusal = "no private folder for the instance lock: XDG_RUNTIME_DIR is unset or not private, and " +
                    fallbackDirectories().join(" and ") +
                    " are each a link, someone else's, or too long for a socket address";
        return Role::Refused;
    }
    m_lockFd = ::open(QFile::encodeName(lock).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_lockFd < 0) {
        m_refusal = lock + ": " + QString::fromLocal8Bit(std::strerror(errno));
        return Role::Refused;
    }
    int locked;
    do
        locked = ::flock(m_lockFd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(m_lockFd);
        m_lockFd = -1;
        if (error != EWOULDBLOCK) {
            m_refusal = lock + ": cannot be locked: " + QString::fromLocal8Bit(std::strerror(error));
            return Role::Refused;
        }
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
        // One request, one answer: what a client sends after its first line is not
        // read, however much it is.
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > 64)  // not our protocol
                    socket->abort();
                return;
            }
            disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
            if (socket->readLine(64) == kShowRequest) {
                socket->write(kAck);
                requestShow();
            }
            socket->disconnectFromServer();
        });
    }
}

// The first request is served at once; later ones within the merge interval
// become one more raise at its end.
void SingleInstance::requestShow()
{
    if (m_showPending)
        return;
    const qint64 wait = m_lastShow.isValid() ? kShowMergeMs - m_lastShow.elapsed() : 0;
    if (wait <= 0) {
        m_lastShow.start();
        emit showRequested();
        return;
    }
    m_showPending = true;
    QTimer::singleShot(int(wait), this, [this] {
        m_showPending = false;
        m_lastShow.start();
        emit showRequested();
    });
}
