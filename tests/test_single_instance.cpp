// One process per session: hand-over to a running instance, stale sockets, platform choice.
#include "shell/PellixWidgetApp.h"
#include "shell/SingleInstance.h"

#include <QLocalSocket>
#include <QThread>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>

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

}  // namespace

TEST(SingleInstance, ReplacesAStaleSocketAndOnlyASecondLaunchShowsThePanel)
{
    // A bound socket file that nobody listens on any more, as a crashed instance leaves it.
    const QByteArray path = SingleInstance::serverName().toLocal8Bit();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{AF_UNIX, {}};
    qstrncpy(addr.sun_path, path.constData(), sizeof addr.sun_path);
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
    SingleInstance second;
    EXPECT_EQ(second.claim(), SingleInstance::Role::HandedOver);
    EXPECT_EQ(primary.shows.load(), 1);
    EXPECT_TRUE(SingleInstance::askRunningInstanceToShow());
    EXPECT_EQ(primary.shows.load(), 2);
}

TEST(PlatformChoice, WaylandSessionsUseXcbUnlessTheUserChose)
{
    EXPECT_EQ(PellixWidgetApp::forcedPlatform("", "wayland-0", ""), "xcb");
    EXPECT_EQ(PellixWidgetApp::forcedPlatform("", "", "Wayland"), "xcb");
    EXPECT_EQ(PellixWidgetApp::forcedPlatform("wayland", "wayland-0", "wayland"), "");
    EXPECT_EQ(PellixWidgetApp::forcedPlatform("", "", "x11"), "");
}
