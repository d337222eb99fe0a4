// One process per user and display: the lock decides, stale sockets, other users, platform choice.
#include "shell/PlatformChoice.h"
#include "shell/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <pthread.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// A primary instance serving from its own thread, as another process would.
struct PrimaryInThread {
    PrimaryInThread()
    {
        thread.start();
        instance->moveToThread(&thread);
        QObject::connect(instance, &SingleInstance::showRequested, instance, [this] { ++shows; }, Qt::DirectConnection);
        QMetaObject::invokeMethod(instance, [this] { role = instance->claim(); }, Qt::BlockingQueuedConnection);
    }
    ~PrimaryInThread()
    {
        QMetaObject::invokeMethod(instance, [this] { delete instance; }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
    QThread thread;
    SingleInstance *instance = new SingleInstance;
    std::atomic<int> shows{0};
    SingleInstance::Role role{};
};

sockaddr_un addressOf(const QString &path)
{
    sockaddr_un addr{AF_UNIX, {}};
    qstrncpy(addr.sun_path, path.toLocal8Bit().constData(), sizeof addr.sun_path);
    return addr;
}

}  // namespace

TEST(SingleInstance, DisplayKeys)
{
    const std::tuple<QByteArray, QByteArray, QString> cases[] = {
        {":0", "", "x11-0"},
        {":0.0", "wayland-0", "x11-0"},  // the screen does not matter; X wins over Wayland
        {"unix:0", "", "x11-0"},
        {"localhost:10.0", "", "x11-localhost-10"},
        {"", "wayland-1", "wayland-wayland-1"},
        {"", "/run/user/1000/wayland-0", "wayland-_run_user_1000_wayland-0"},
        {"../../x", "", "x11-.._.._x"},
        {"", "", "none"},
        {QByteArray(300, 'h') + ":1", "", "x11-" + QString(27, 'h') + "-12f60513e1af-1"},
    };
    for (const auto &[display, wayland, key] : cases)
        EXPECT_EQ(SingleInstance::displayKey(display, wayland), key) << display.left(20).constData();
}

TEST(SingleInstance, RuntimeDirectoryIsPrivateRepairedOrRefused)
{
    QTemporaryDir tmp;
    const QByteArray savedTmp = qgetenv("TMPDIR"), savedRuntime = qgetenv("XDG_RUNTIME_DIR"),
                     savedCache = qgetenv("XDG_CACHE_HOME"), savedDisplay = qgetenv("DISPLAY");
    qputenv("TMPDIR", tmp.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (tmp.path() + "/cache").toLocal8Bit());
    qputenv("DISPLAY", ":93");
    const QString own = tmp.path() + "/cache/pellix-widget";
    const QString temporary = tmp.path() + "/pellix-widget-" + QString::number(getuid());
    const auto mode = [](const QString &path) {
        struct stat st {};
        return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0u;
    };

    qputenv("XDG_RUNTIME_DIR", tmp.path().toLocal8Bit());  // 0700 from QTemporaryDir
    EXPECT_EQ(SingleInstance::runtimeDirectory(), tmp.path());
    ::chmod(tmp.path().toLocal8Bit(), 0755);  // open to others: we make our own instead
    EXPECT_EQ(SingleInstance::runtimeDirectory(), own);
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(mode(own), 0700u);
    EXPECT_EQ(mode(tmp.path() + "/cache"), 0700u);  // the cache folder did not exist: ours, private
    {
        SingleInstance first, second;
        EXPECT_EQ(first.claim(), SingleInstance::Role::Primary);
        EXPECT_EQ(second.claim(), SingleInstance::Role::HandedOver);
    }
    ::chmod(own.toLocal8Bit(), 0755);  // the user's own folder, opened: made private again
    EXPECT_EQ(SingleInstance::runtimeDirectory(), own);
    EXPECT_EQ(mode(own), 0700u);
    if (getuid() == 0) {
        ASSERT_EQ(::chown(own.toLocal8Bit(), 65534, 65534), 0);
        EXPECT_EQ(SingleInstance::runtimeDirectory(), temporary);
    }
    ASSERT_TRUE(QDir(own).removeRecursively());
    ASSERT_TRUE(QFile::link(tmp.path(), own));  // a link to a private directory is no directory of ours
    EXPECT_EQ(SingleInstance::runtimeDirectory(), temporary);
    EXPECT_EQ(mode(temporary), 0700u);
    // A home so deep that no socket address holds the path.
    qputenv("XDG_CACHE_HOME", (tmp.path() + "/" + QString(80, 'c')).toLocal8Bit());
    EXPECT_EQ(SingleInstance::runtimeDirectory(), temporary);
    EXPECT_LE(SingleInstance::serverName().size(), 107);
    qputenv("TMPDIR", savedTmp);
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    qputenv("XDG_CACHE_HOME", savedCache);
    qputenv("DISPLAY", savedDisplay);
}

TEST(SingleInstance, OnePrimaryPerDisplayThatReplacesAStaleSocket)
{
    const QByteArray savedDisplay = qgetenv("DISPLAY");
    qputenv("DISPLAY", ":91");
    // A bound socket file that nobody listens on any more, as a crashed instance leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr = addressOf(SingleInstance::serverName());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
    ::close(fd);
    EXPECT_FALSE(SingleInstance::askRunningInstanceToShow(200));

    PrimaryInThread primary;
    ASSERT_EQ(primary.role, SingleInstance::Role::Primary);
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::serverName());
    ASSERT_TRUE(socket.waitForConnected(1000));
    socket.write("hello\n" + QByteArray(200, 'x'));
    socket.waitForReadyRead(300);
    EXPECT_EQ(primary.shows.load(), 0);

    // Another display has its own (system/single_instance.sh), the next launch after quitting
    // is the primary (system/panel.sh).
    qputenv("DISPLAY", ":91.0");
    EXPECT_EQ(SingleInstance().claim(), SingleInstance::Role::HandedOver);
    EXPECT_EQ(primary.shows.load(), 1);
    qputenv("DISPLAY", savedDisplay);
}

// A client that floods one connection with requests gets one answer and the
// end of it; launches that come close together raise the panel only so often,
// never losing the last request.
TEST(SingleInstance, AFloodIsOneAnswerAndRequestsAreMerged)
{
    PrimaryInThread primary;
    ASSERT_EQ(primary.role, SingleInstance::Role::Primary);
    const sockaddr_un addr = addressOf(SingleInstance::serverName());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_EQ(::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr), 0);
    const QByteArray flood = QByteArray("show\n").repeated(20000);
    const timeval bound{3, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
    ::send(fd, flood.constData(), flood.size(), MSG_NOSIGNAL);
    QByteArray answer;
    char buffer[4096];
    for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
        answer.append(buffer, n);
    ::close(fd);
    EXPECT_EQ(answer, "ok\n");
    EXPECT_EQ(primary.shows.load(), 1);

    QElapsedTimer asking;
    asking.start();
    for (int launch = 0; launch < 20; ++launch)
        EXPECT_TRUE(SingleInstance::askRunningInstanceToShow());
    const qint64 took = asking.elapsed();
    QThread::msleep(400);
    EXPECT_GE(primary.shows.load(), 2);
    EXPECT_LE(primary.shows.load(), 2 + took / 250);
}

// Connections that say nothing (a stuck or hostile client of our own user) are
// closed after a few seconds, and at most a few are held at once.
TEST(SingleInstance, IdleConnectionsAreClosedAndCapped)
{
    PrimaryInThread primary;
    ASSERT_EQ(primary.role, SingleInstance::Role::Primary);
    const sockaddr_un addr = addressOf(SingleInstance::serverName());
    std::vector<int> fds;
    for (int i = 0; i < 40; ++i) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ASSERT_EQ(::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr), 0);
        fds.push_back(fd);
    }
    const auto closedByPrimary = [&fds] {
        int closed = 0;
        for (const int fd : fds) {
            char byte;
            closed += ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
        }
        return closed;
    };
    QThread::msleep(1000);
    const int early = closedByPrimary();
    EXPECT_GE(early, 40 - 16);
    EXPECT_LT(early, 40);
    QThread::msleep(3500);
    EXPECT_EQ(closedByPrimary(), 40);
    EXPECT_TRUE(SingleInstance::askRunningInstanceToShow());
    for (const int fd : fds)
        ::close(fd);
}

// Another local user reaches the socket (here nobody with CAP_DAC_OVERRIDE, as root
// could hand out) and asks to show: the primary must not answer or act.
TEST(SingleInstance, RefusesAnotherUsersConnection)
{
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to connect as another uid";
    PrimaryInThread primary;
    ASSERT_EQ(primary.role, SingleInstance::Role::Primary);
    QProcess other;
    other.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "--inh-caps=+dac_override",
                            "--ambient-caps=+dac_override", "/usr/bin/python3", "-c",
                            "import socket, sys\ns = socket.socket(socket.AF_UNIX)\ns.settimeout(2)\n"
                            "s.connect(sys.argv[1])\ntry:\n    s.sendall(b'show\\n')\n    sys.exit(13 if s.recv(8) else 0)\n"
                            "except OSError:\n    sys.exit(0)  # shut out, or no answer",
                            SingleInstance::serverName()});
    ASSERT_TRUE(other.waitForFinished(10000));
    EXPECT_EQ(other.exitCode(), 0) << "13: answered; else " << other.readAllStandardError().toStdString();
    EXPECT_EQ(primary.shows.load(), 0);
    EXPECT_TRUE(SingleInstance::askRunningInstanceToShow());  // its own user still is
    EXPECT_EQ(primary.shows.load(), 1);
}

TEST(PlatformChoice, NativeWaylandOnlyWithLayerShellInBuildAndCompositor)
{
    int probes = 0;
    const auto offers = [&probes](bool answer) { return [&probes, answer] { return ++probes, answer; }; };
    EXPECT_EQ(choosePlatform("", "wayland-0", "", true, offers(true)).platform, "wayland");
    EXPECT_EQ(choosePlatform("", "wayland-0", "wayland", true, offers(false)).platform, "xcb");
    EXPECT_EQ(probes, 2);
    // Not asked: the user's choice, a build without layer-shell, no Wayland display.
    const PlatformChoice userChose = choosePlatform("wayland", "wayland-0", "wayland", true, offers(true));
    EXPECT_EQ(userChose.platform + userChose.note.toUtf8(), "");
    const PlatformChoice oldQt = choosePlatform("", "wayland-0", "", false, offers(true));
    EXPECT_EQ(oldQt.platform, "xcb");
    EXPECT_TRUE(oldQt.note.contains("XWayland"));
    EXPECT_EQ(choosePlatform("", "", "Wayland", true, offers(true)).platform, "xcb");
    EXPECT_EQ(choosePlatform("", "", "x11", true, offers(true)).platform, "");
    EXPECT_EQ(probes, 2);
}

TEST(PlatformChoice, NativeWaylandDropsQtsFrameWatchUnlessTheUserSetIt)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qunsetenv("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT");
    applyPlatformChoice({"xcb", {}});
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT"));
    applyPlatformChoice({"wayland", {}});
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "wayland");
    EXPECT_EQ(qgetenv("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT"), "0");
    qputenv("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT", "250");
    applyPlatformChoice({"wayland", {}});
    EXPECT_EQ(qgetenv("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT"), "250");
    qunsetenv("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT");
    qputenv("QT_QPA_PLATFORM", platform);
}

TEST(PlatformChoice, WaylandRelayThreadsStartAsBatchWhileTheMainThreadKeepsItsPolicy)
{
    const auto policy = [] {
        int p = -1;
        sched_param param{};
        pthread_getschedparam(pthread_self(), &p, &param);
        return p;
    };
    if (policy() != SCHED_OTHER)
        GTEST_SKIP() << "the test runs under a policy of its own";
    int started = -1;
    {
        const PlatformThreadsPolicy relay("wayland");
        std::thread([&] { started = policy(); }).join();
    }
    EXPECT_EQ(started, SCHED_BATCH);
    EXPECT_EQ(policy(), SCHED_OTHER);
    {
        const PlatformThreadsPolicy x11("xcb");
        EXPECT_EQ(policy(), SCHED_OTHER);
    }
    sched_param param{};
    ASSERT_EQ(pthread_setschedparam(pthread_self(), SCHED_BATCH, &param), 0);
    { const PlatformThreadsPolicy relay("wayland"); }
    EXPECT_EQ(policy(), SCHED_BATCH);  // the user's
    pthread_setschedparam(pthread_self(), SCHED_OTHER, &param);
}
