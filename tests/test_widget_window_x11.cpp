// Widget windows against a real X server and window manager (openbox): where
// presses go with click-through, and the hints surviving a re-map. A CTest
// entry with QT_QPA_PLATFORM=xcb; skipped on other platforms.
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

#include <memory>

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(3000);
    QTest::qWait(60);  // let the app see the events it caused
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

void pointerTo(QPoint at, const QStringList &then = {})
{
    run("xdotool", QStringList{"mousemove", QString::number(at.x()), QString::number(at.y())} + then);
}

void waitShown(QWidget *w)
{
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->windowHandle()->isExposed(); }));
    QTest::qWait(300);  // let openbox finish managing it
}

// A desktop-type window under everything: it receives what passes through the widgets.
struct Desktop : QWidget {
    Desktop()
    {
        setGeometry(QGuiApplication::primaryScreen()->geometry());
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
        m_desktop = std::make_unique<Desktop>();
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

    // Presses the desktop received from a click at `at`.
    int clickAt(QPoint at)
    {
        const int before = m_desktop->presses;
        pointerTo(at, {"click", "1"});
        QTest::qWait(150);
        return m_desktop->presses - before;
    }

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
    std::unique_ptr<Desktop> m_desktop;
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
    const QString props = run("xprop", {"-id", QString::number(w->winId()), "_NET_WM_STATE", "_NET_WM_DESKTOP"});
    for (const char *s : {"STATE_BELOW", "STATE_SKIP_TASKBAR", "STATE_SKIP_PAGER", "DESKTOP(CARDINAL) = 4294967295"})
        EXPECT_TRUE(props.contains(s)) << s << " missing: " << props.toStdString();
    EXPECT_EQ(clickAt(frame.center()), 1);
}

TEST_F(WidgetWindowX11, ClickThroughTogglesOnTheLiveWindow)
{
    WidgetWindow *w = show("clock", "{}");
    const WId id = w->winId();
    const QRect frame = w->frame();
    EXPECT_EQ(clickAt(frame.center()), 0);  // the widget takes its own presses...
    EXPECT_EQ(clickAt({100, 100}), 1);  // ...and leaves no window-manager drag pending
    EXPECT_EQ(clickAt(w->geometry().topLeft() + QPoint(3, WidgetWindow::kShadowMargin + 60)), 1);  // shadow
    m_manager->updateClickThrough("clock", true);
    QTest::qWait(100);
    EXPECT_EQ(clickAt(frame.center()), 1);
    m_manager->updateClickThrough("clock", false);
    QTest::qWait(100);
    EXPECT_EQ(clickAt(frame.center()), 0);
    dragBy(w, {-200, 100});
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->frame().x() < frame.x() - 150; })) << w->frame().x();
    EXPECT_EQ(w->winId(), id);
    ASSERT_TRUE(m_settings->getPosition("clock"));
    EXPECT_EQ(m_manager->frameOf(w).origin(), *m_settings->getPosition("clock"));
}
