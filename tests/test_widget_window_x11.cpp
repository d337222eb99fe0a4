// Widget windows against a real X server and window manager (openbox): where
// presses go, what X is told in device pixels, what is saved, and the stacking. Two CTest entries run it, at QT_SCALE_FACTOR 1 and 2; skipped
// on platforms other than xcb.
#include "shell/WidgetManager.h"
#include "shell/WidgetWindow.h"
#include "settings/SettingsManager.h"
#include "test_support.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <ostream>

void PrintTo(const QRect &r, std::ostream *os)
{
    *os << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}

namespace {

// The device pixels per logical one this run was started with (not what the code under test thinks).
int scale() { return qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariableIntValue("QT_SCALE_FACTOR") : 1; }

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(3000);
    QTest::qWait(60);  // let the app see the events it caused
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// xdotool speaks device pixels; `at` is logical.
void pointerTo(QPoint at, const QStringList &then = {})
{
    run("xdotool", QStringList{"mousemove", QString::number(at.x() * scale()), QString::number(at.y() * scale())} + then);
}

void waitShown(QWidget *w)
{
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->windowHandle()->isExposed(); }));
    QTest::qWait(300);  // let openbox finish managing it
}

QList<QRect> inputShape(WId id)
{
    xcb_connection_t *c = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    auto *reply = xcb_shape_get_rectangles_reply(
        c, xcb_shape_get_rectangles(c, xcb_window_t(id), XCB_SHAPE_SK_INPUT), nullptr);
    QList<QRect> rects;
    if (reply) {
        const xcb_rectangle_t *r = xcb_shape_get_rectangles_rectangles(reply);
        for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(reply); ++i)
            rects.append(QRect(r[i].x, r[i].y, r[i].width, r[i].height));
    }
    std::free(reply);
    return rects;
}

// A window that counts the presses it receives: a desktop under everything, or a normal window.
struct PressCounter : QWidget {
    PressCounter(const QRect &geometry, bool desktop)
    {
        setGeometry(geometry);
        if (desktop)
            run("xprop", {"-id", QString::number(winId()), "-f", "_NET_WM_WINDOW_TYPE", "32a", "-set",
                          "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DESKTOP"});
    }
    void mousePressEvent(QMouseEvent *) override { ++presses; }
    int presses = 0;
};

class WidgetWindowX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs an X server with a window manager";
        m_desktop = std::make_unique<PressCounter>(QGuiApplication::primaryScreen()->geometry(), true);
        m_desktop->show();
        waitShown(m_desktop.get());
    }

    WidgetWindow *show(const QString &name, const QByteArray &json)
    {
        pellix::test::writeFile(m_dir.filePath("s.json"), json);
        m_settings = std::make_unique<SettingsManager>(m_dir.filePath("s.json"));
        m_manager = std::make_unique<WidgetManager>(*m_settings);
        m_manager->spawnWidget(name);
        waitShown(m_manager->window(name));
        return m_manager->window(name);
    }

    // Presses `counter` received from a click at `at`.
    static int clickAt(QPoint at, const PressCounter &counter)
    {
        const int before = counter.presses;
        pointerTo(at, {"click", "1"});
        QTest::qWait(150);
        return counter.presses - before;
    }
    int clickAt(QPoint at) const { return clickAt(at, *m_desktop); }

    static void dragBy(WidgetWindow *w, QPoint by)
    {
        const QPoint c = w->frame().center();
        for (int step = 0; step <= 8; ++step)
            pointerTo(c + by * step / 8, step ? QStringList{} : QStringList{"mousedown", "1"});
        QTest::qWait(200);
        run("xdotool", {"mouseup", "1"});
        QTest::qWait(300);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<PressCounter> m_desktop;
    std::unique_ptr<SettingsManager> m_settings;
    std::unique_ptr<WidgetManager> m_manager;
};

}  // namespace

TEST_F(WidgetWindowX11, ClickThroughWindowPassesPressesAndKeepsItsHintsWhenReshown)
{
    WidgetWindow *w = show("weather", R"({"widget.weather.clickThrough": true})");
    const QRect frame = w->frame();
    EXPECT_EQ(clickAt(frame.center()), 1);
    // Withdrawing and mapping again makes openbox forget the states (first shown: see the system test).
    w->hide();
    QTest::qWait(200);
    w->show();
    waitShown(w);
    const QString props = run("xprop", {"-id", QString::number(w->winId()), "_NET_WM_STATE", "_NET_WM_DESKTOP",
                                        "_NET_WM_WINDOW_TYPE"});
    for (const char *s : {"STATE_BELOW", "STATE_SKIP_TASKBAR", "STATE_SKIP_PAGER", "DESKTOP(CARDINAL) = 4294967295",
                          "TYPE(ATOM) = _NET_WM_WINDOW_TYPE_DESKTOP"})
        EXPECT_TRUE(props.contains(s)) << s << " missing: " << props.toStdString();
    EXPECT_EQ(clickAt(frame.center()), 1);
}

TEST_F(WidgetWindowX11, ClickThroughTogglesOnTheLiveWindowAndTheUsersDragIsSavedInPoints)
{
    WidgetWindow *w = show("clock", "{}");
    const WId id = w->winId();
    const QRect frame = w->frame();
    EXPECT_EQ(clickAt(frame.center()), 0);  // the widget takes its own presses...
    EXPECT_EQ(clickAt({60, 60}), 1);  // ...the desktop raises itself when clicked...
    EXPECT_EQ(clickAt(frame.center() + QPoint(20, 20)), 0);  // ...and the widget is back above it
    EXPECT_EQ(clickAt(w->geometry().topLeft() + QPoint(3, WidgetWindow::kShadowMargin + 60)), 1);  // shadow
    m_manager->updateClickThrough("clock", true);
    QTest::qWait(100);
    EXPECT_EQ(clickAt(frame.center()), 1);
    m_manager->updateClickThrough("clock", false);
    QTest::qWait(100);
    EXPECT_EQ(clickAt(frame.center()), 0);

    // The user's drag, in device pixels at scale 2, is saved in points (another client's
    // move is not: system/shell.sh).
    dragBy(w, {-200, 100});
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->frame().x() < frame.x() - 150; })) << w->frame().x();
    EXPECT_EQ(w->winId(), id);
    ASSERT_TRUE(m_settings->getPosition("clock"));
    EXPECT_EQ(m_manager->frameOf(w).origin(), *m_settings->getPosition("clock"));
}

// What X is told in device pixels: the input shape and blur region of the
// content inside the window's 10-point margin.
TEST_F(WidgetWindowX11, InputShapeAndBlurRegionAreInDevicePixels)
{
    const int s = scale();
    WidgetWindow *w = show("battery", R"({"widget.battery.position": "{\"x\":100,\"y\":60}"})");
    EXPECT_EQ(inputShape(w->winId()), QList<QRect>{QRect(10 * s, 10 * s, 170 * s, 170 * s)});
    const QString blur = run("xprop", {"-id", QString::number(w->winId()), "_KDE_NET_WM_BLUR_BEHIND_REGION"});
    EXPECT_TRUE(blur.contains(QString("= %1, %1, %2, %2").arg(10 * s).arg(170 * s))) << blur.toStdString();
}

// The extension host's widgets are desktop windows too: neither program raises
// itself over the other's (they would take turns at every restack, for ever).
TEST_F(WidgetWindowX11, LeavesAnotherProgramsWidgetsWhereTheyAre)
{
    WidgetWindow *w = show("clock", "{}");
    PressCounter other(w->frame(), true);
    run("xprop", {"-id", QString::number(other.winId()), "-f", "_PELLIX_DESKTOP_WIDGET", "32c", "-set",
                  "_PELLIX_DESKTOP_WIDGET", "1"});
    other.show();
    waitShown(&other);
    EXPECT_EQ(clickAt(w->frame().center(), other), 1);  // raised by the window manager when clicked
    EXPECT_EQ(clickAt(w->frame().center() + QPoint(20, 20), other), 1);  // and left on top
}

// Below normal windows, above the desktop, never taking the focus from the
// active window (shown with the desktop: see the system test).
TEST_F(WidgetWindowX11, StaysOnTheDesktopBelowNormalWindows)
{
    WidgetWindow *w = show("music", "{}");
    PressCounter normal(w->frame().adjusted(20, 20, -20, -20), false);
    normal.show();
    waitShown(&normal);
    EXPECT_EQ(clickAt(w->frame().center(), normal), 1);
    const QString active = run("xprop", {"-root", "_NET_ACTIVE_WINDOW"});
    EXPECT_TRUE(active.contains(QString::number(normal.winId(), 16))) << active.toStdString();
    EXPECT_EQ(clickAt(w->frame().topLeft() + QPoint(8, 8), *m_desktop), 0);  // the widget, not the desktop
    EXPECT_EQ(run("xprop", {"-root", "_NET_ACTIVE_WINDOW"}), active);
}
