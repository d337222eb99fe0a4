// Widget windows against a real X server and window manager (openbox): where
// presses go with click-through, and the hints surviving a re-map. Run by
// tests/system/widget_window_x11.sh with QT_QPA_PLATFORM=xcb; skipped elsewhere.
#include "shell/WidgetManager.h"
#include "shell/WidgetWindow.h"
#include "settings/SettingsManager.h"
#include "test_support.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

void pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

bool waitUntil(const std::function<bool()> &done, int ms = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        pump(10);
    }
    return true;
}

// Runs xdotool and lets the app see the events it caused.
void xdo(const QStringList &args)
{
    QProcess p;
    p.start("xdotool", args);
    p.waitForFinished(3000);
    pump(60);
}

QString xprop(WId id, const char *property)
{
    QProcess p;
    p.start("xprop", {"-id", QString::number(id), property});
    p.waitForFinished(3000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// A desktop-type window under everything: it receives what passes through the widgets.
class Desktop : public QWidget {
public:
    Desktop()
    {
        setGeometry(QGuiApplication::primaryScreen()->geometry());
        winId();
        auto *x = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t *c = x->connection();
        const auto atom = [c](const char *name) {
            auto *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(name), name), nullptr);
            const xcb_atom_t a = r->atom;
            free(r);
            return a;
        };
        const xcb_atom_t type = atom("_NET_WM_WINDOW_TYPE_DESKTOP");
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, winId(), atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1,
                            &type);
        xcb_flush(c);
    }
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

class WidgetWindowX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs an X server with a window manager";
        ASSERT_TRUE(m_dir.isValid());
        m_desktop = std::make_unique<Desktop>();
        m_desktop->show();
        ASSERT_TRUE(waitUntil([this] { return m_desktop->windowHandle()->isExposed(); }));
    }

    WidgetManager &start(const QByteArray &json)
    {
        pellix::test::writeFile(m_dir.filePath("s.json"), json);
        m_settings = std::make_unique<SettingsManager>(m_dir.filePath("s.json"));
        m_manager = std::make_unique<WidgetManager>(*m_settings);
        return *m_manager;
    }

    static void waitShown(WidgetWindow *w)
    {
        ASSERT_TRUE(waitUntil([w] { return w->windowHandle()->isExposed(); }));
        pump(300);  // let openbox finish managing it
    }

    int clickOn(WidgetWindow *w)
    {
        const int before = m_desktop->presses;
        const QPoint c = w->frame().center();
        xdo({"mousemove", QString::number(c.x()), QString::number(c.y())});
        xdo({"click", "1"});
        pump(150);
        return m_desktop->presses - before;
    }

    void dragBy(WidgetWindow *w, int dx, int dy)
    {
        const QPoint c = w->frame().center();
        xdo({"mousemove", QString::number(c.x()), QString::number(c.y())});
        xdo({"mousedown", "1"});
        for (int step = 1; step <= 8; ++step)
            xdo({"mousemove", QString::number(c.x() + dx * step / 8), QString::number(c.y() + dy * step / 8)});
        pump(200);
        xdo({"mouseup", "1"});
        pump(300);
    }

    void expectDesktopWidgetHints(WidgetWindow *w)
    {
        const QString state = xprop(w->winId(), "_NET_WM_STATE");
        for (const char *s : {"_NET_WM_STATE_BELOW", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"})
            EXPECT_TRUE(state.contains(s)) << s << " missing: " << state.toStdString();
        EXPECT_TRUE(xprop(w->winId(), "_NET_WM_DESKTOP").contains("4294967295"));
    }

    void TearDown() override
    {
        m_manager.reset();
        m_desktop.reset();
        pump(50);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Desktop> m_desktop;
    std::unique_ptr<SettingsManager> m_settings;
    std::unique_ptr<WidgetManager> m_manager;
};

}  // namespace

TEST_F(WidgetWindowX11, ShownClickThroughPassesPressesToTheDesktop)
{
    WidgetManager &m = start(R"({"widget.clock.clickThrough": true})");
    m.spawnWidget("clock");
    WidgetWindow *w = m.window("clock");
    waitShown(w);
    const QRect frame = w->frame();
    EXPECT_EQ(clickOn(w), 1);
    dragBy(w, -200, 100);
    EXPECT_EQ(w->frame(), frame);
    EXPECT_FALSE(m_settings->getPosition("clock"));
}

TEST_F(WidgetWindowX11, ClickThroughTogglesOnTheLiveWindow)
{
    WidgetManager &m = start("{}");
    m.spawnWidget("clock");
    WidgetWindow *w = m.window("clock");
    waitShown(w);
    const WId id = w->winId();
    EXPECT_EQ(clickOn(w), 0);  // the widget takes its own presses

    m.updateClickThrough("clock", true);
    pump(100);
    EXPECT_EQ(clickOn(w), 1);

    m.updateClickThrough("clock", false);
    pump(100);
    EXPECT_EQ(clickOn(w), 0);
    const QRect before = w->frame();
    dragBy(w, -200, 100);
    EXPECT_TRUE(waitUntil([&] { return w->frame().x() < before.x() - 150; })) << w->frame().x();
    EXPECT_EQ(w->winId(), id);
    ASSERT_TRUE(m_settings->getPosition("clock"));
    EXPECT_EQ(m.frameOf(w).origin(), *m_settings->getPosition("clock"));
}

TEST_F(WidgetWindowX11, ReshownWindowKeepsItsHintsAndClickThrough)
{
    WidgetManager &m = start(R"({"widget.weather.clickThrough": true})");
    m.spawnWidget("weather");
    WidgetWindow *w = m.window("weather");
    waitShown(w);
    expectDesktopWidgetHints(w);
    // Withdrawing and mapping again makes openbox forget the states.
    w->hide();
    pump(200);
    w->show();
    waitShown(w);
    expectDesktopWidgetHints(w);
    EXPECT_EQ(clickOn(w), 1);
}

TEST_F(WidgetWindowX11, ShadowMarginTakesNoPresses)
{
    WidgetManager &m = start("{}");
    m.spawnWidget("battery");
    WidgetWindow *w = m.window("battery");
    waitShown(w);
    const QPoint margin = w->geometry().topLeft() + QPoint(3, WidgetWindow::kShadowMargin + 60);
    const int before = m_desktop->presses;
    xdo({"mousemove", QString::number(margin.x()), QString::number(margin.y())});
    xdo({"click", "1"});
    pump(150);
    EXPECT_EQ(m_desktop->presses - before, 1);
}

TEST_F(WidgetWindowX11, ClickOnAWidgetLeavesThePointerFree)
{
    WidgetManager &m = start("{}");
    m.spawnWidget("clock");
    WidgetWindow *w = m.window("clock");
    waitShown(w);
    const QRect frame = w->frame();
    EXPECT_EQ(clickOn(w), 0);
    EXPECT_EQ(w->frame(), frame);
    // The next click elsewhere reaches the desktop: no window-manager drag is left pending.
    const int before = m_desktop->presses;
    xdo({"mousemove", "100", "100"});
    xdo({"click", "1"});
    pump(150);
    EXPECT_EQ(m_desktop->presses - before, 1);
}
