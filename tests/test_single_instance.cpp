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
#include <cstring>

namespace {

// A primary instance serving from its own thread, as another process would.
class PrimaryInThread {
public:
    PrimaryInThread()
    {
        m_thread.start();
        m_instance = new SingleInstance;
        m_instance->moveToThread(&m_thread);
        QObject::connect(m_instance, &SingleInstance::showRequested, m_instance, [this] { ++shows; },
                         Qt::DirectConnection);
        QMetaObject::invokeMethod(m_instance, [this] { role = m_instance->claim(); }, Qt::BlockingQueuedConnection);
    }
    ~PrimaryInThread()
    {
        QMetaObject::invokeMethod(m_instance, [this] { delete m_instance; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    std::atomic<int> shows{0};
    SingleInstance::Role role{};

private:
    QThread m_thread;
    SingleInstance *m_instance;
};

}  // namespace

TEST(SingleInstance, SocketLivesInTheRuntimeDirectory)
{
    EXPECT_EQ(SingleInstance::serverName(), qEnvironmentVariable("XDG_RUNTIME_DIR") + "/pellix-widget.sock");
}

TEST(SingleInstance, SecondLaunchHandsOverAndTheFirstShowsItsPanel)
{
    EXPECT_FALSE(SingleInstance::askRunningInstanceToShow(200));
    PrimaryInThread primary;
    ASSERT_EQ(primary.role, SingleInstance::Role::Primary);
    SingleInstance second;
    EXPECT_EQ(second.claim(), SingleInstance::Role::HandedOver);
    EXPECT_EQ(primary.shows.load(), 1);
    EXPECT_TRUE(SingleInstance::askRunningInstanceToShow());
    EXPECT_EQ(primary.shows.load(), 2);
}

TEST(SingleInstance, OtherTrafficDoesNotShowThePanel)
{
    PrimaryInThread primary;
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::serverName());
    ASSERT_TRUE(socket.waitForConnected(1000));
    socket.write("hello\n");
    socket.write(QByteArray(200, 'x'));
    socket.waitForBytesWritten(1000);
    socket.waitForReadyRead(300);
    EXPECT_EQ(primary.shows.load(), 0);
}

TEST(SingleInstance, StaleSocketOfACrashedInstanceIsReplaced)
{
    // A bound socket file that nobody listens on any more.
    const QByteArray path = SingleInstance::serverName().toLocal8Bit();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.constData(), sizeof addr.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
    ::close(fd);

    PrimaryInThread primary;
    EXPECT_EQ(primary.role, SingleInstance::Role::Primary);
    EXPECT_TRUE(SingleInstance::askRunningInstanceToShow());
    EXPECT_EQ(primary.shows.load(), 1);
}

TEST(PlatformChoice, WaylandSessionsUseXcbUnlessTheUserChose)
{
    struct Case {
        const char *qpa, *wayland, *session, *expected;
    };
    const Case cases[] = {
        {"", "wayland-0", "wayland", "xcb"},
        {"", "", "wayland", "xcb"},
        {"", "wayland-0", "", "xcb"},
        {"", "", "Wayland", "xcb"},
        {"wayland", "wayland-0", "wayland", ""},
        {"offscreen", "", "", ""},
        {"", "", "x11", ""},
        {"", "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.qpa) + "|" + c.wayland + "|" + c.session);
        EXPECT_EQ(PellixWidgetApp::forcedPlatform(c.qpa, c.wayland, c.session), QByteArray(c.expected));
    }
}
