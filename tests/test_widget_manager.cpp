// The widget manager with real (offscreen) windows and a private settings store.
#include "shell/WidgetManager.h"
#include "shell/WidgetHostingView.h"
#include "shell/WidgetWindow.h"
#include "settings/SettingsManager.h"
#include "test_support.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QMouseEvent>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>

using shell::Rect;

namespace {

class WidgetManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("settings.json");
    }

    // A store on this test's file; `json` is written first when given.
    SettingsManager &store(const QByteArray &json = {})
    {
        if (!json.isEmpty())
            pellix::test::writeFile(m_path, json);
        m_managers.clear();
        m_settings = std::make_unique<SettingsManager>(m_path);
        return *m_settings;
    }

    WidgetManager &manager(const Rect &visible = {0, 0, 800, 600})
    {
        if (!m_settings)
            store();
        m_managers.push_back(std::make_unique<WidgetManager>(*m_settings));
        const QRectF screen = QGuiApplication::primaryScreen()->geometry();
        m_managers.back()->setScreenSpaceProvider([=] { return shell::ScreenSpace{screen, visible}; });
        return *m_managers.back();
    }

    std::unique_ptr<SettingsManager> reopenedStore() { return std::make_unique<SettingsManager>(m_path); }

    static int widgetWindowCount()
    {
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            n += qobject_cast<WidgetWindow *>(w) && w->isVisible();
        return n;
    }

    // Drops the window so that its content has the y-up origin `origin`.
    void drop(WidgetManager &m, const QString &name, Position origin)
    {
        WidgetWindow *w = m.window(name);
        ASSERT_TRUE(w);
        const Rect f = m.frameOf(w);
        const QRectF screen = QGuiApplication::primaryScreen()->geometry();
        w->setFrame(shell::toQtPixels({origin.x, origin.y, f.width, f.height}, screen));
        QApplication::processEvents();
    }

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<SettingsManager> m_settings;
    std::vector<std::unique_ptr<WidgetManager>> m_managers;
};

}  // namespace

TEST_F(WidgetManagerTest, SwitchingOnTwiceGivesOneWindow)
{
    WidgetManager &m = manager();
    m.toggleWidget("clock", true);
    m.toggleWidget("clock", true);
    EXPECT_EQ(m.openWidgets(), QStringList{"clock"});
    EXPECT_EQ(widgetWindowCount(), 1);
    EXPECT_EQ(reopenedStore()->clockEnabled(), true);
}

TEST_F(WidgetManagerTest, SwitchingOffAbsentWidgetOnlySaves)
{
    WidgetManager &m = manager();
    m.toggleWidget("clock", true);
    m.toggleWidget("weather", false);
    EXPECT_EQ(m.openWidgets(), QStringList{"clock"});
    m.toggleWidget("clock", false);
    EXPECT_TRUE(m.openWidgets().isEmpty());
    QApplication::processEvents();
    EXPECT_EQ(widgetWindowCount(), 0);
    EXPECT_FALSE(reopenedStore()->clockEnabled());
}

TEST_F(WidgetManagerTest, UnknownNameCreatesNothing)
{
    WidgetManager &m = manager();
    m.spawnWidget("calendar");
    m.resizeWidget("calendar", "medium");
    m.updateClickThrough("calendar", true);
    m.despawnWidget("calendar");
    EXPECT_TRUE(m.openWidgets().isEmpty());
    EXPECT_FALSE(m.getSavedPosition("calendar"));
}

TEST_F(WidgetManagerTest, FirstAppearanceUsesTheDefaultOrigin)
{
    store(R"({"widget.clock.size": "medium"})");
    WidgetManager &m = manager({0, 0, 800, 575});
    m.spawnWidget("clock");
    m.spawnWidget("music");
    EXPECT_EQ(m.frameOf(m.window("clock")), (Rect{440, 365, 340, 170}));
    EXPECT_EQ(m.frameOf(m.window("music")), (Rect{440, 40, 340, 170}));
    // The content sits inside the shadow margin, in Qt's y-down space.
    const QRectF screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(m.window("clock")->frame(), shell::toQtPixels({440, 365, 340, 170}, screen));
    EXPECT_EQ(m.window("clock")->contentView()->size(), QSize(340, 170));
    // Showing a window is not a move: nothing is saved.
    EXPECT_FALSE(reopenedStore()->clockPosition());
}

TEST_F(WidgetManagerTest, UnreadableSavedPositionFallsBackToDefault)
{
    for (const QByteArray value : {R"("not json")", R"("{\"x\":10}")", R"("{\"x\":\"10\",\"y\":5}")", "5",
                                   R"({"x": 10, "y": 20})", R"("[1,2]")"}) {
        SCOPED_TRACE(value.constData());
        store(R"({"widget.weather.position": )" + value + "}");
        WidgetManager &m = manager();
        m.spawnWidget("weather");
        ASSERT_TRUE(m.window("weather"));
        EXPECT_EQ(m.frameOf(m.window("weather")), (Rect{610, 180, 170, 170}));
    }
}

TEST_F(WidgetManagerTest, SavedPositionIsUsedUnchangedEvenOffScreen)
{
    store(R"({"widget.battery.position": "{\"x\":-40.5,\"y\":1000}"})");
    WidgetManager &m = manager();
    m.spawnWidget("battery");
    const Rect f = m.frameOf(m.window("battery"));
    EXPECT_NEAR(f.x, -40.5, 0.5);
    EXPECT_EQ(f.y, 1000);
}

TEST_F(WidgetManagerTest, MoveSavesPositionAndNextStartRestoresIt)
{
    {
        WidgetManager &m = manager();
        m.toggleWidget("clock", true);
        drop(m, "clock", {300, 200});
        const auto saved = reopenedStore()->clockPosition();
        ASSERT_TRUE(saved);
        EXPECT_EQ(*saved, (Position{300, 200}));
        m.toggleWidget("clock", false);
    }
    // Next launch: a fresh store and manager on the same file.
    store();
    WidgetManager &m = manager();
    m.restoreWidgets();
    EXPECT_TRUE(m.openWidgets().isEmpty());  // it was switched off
    m.toggleWidget("clock", true);
    EXPECT_EQ(m.frameOf(m.window("clock")), (Rect{300, 200, 170, 170}));
}

TEST_F(WidgetManagerTest, MovesSnapToScreenEdgesAndAreSaved)
{
    WidgetManager &m = manager({0, 40, 800, 560});
    m.spawnWidget("clock");
    drop(m, "clock", {11, 300});
    EXPECT_EQ(m.frameOf(m.window("clock")).origin(), (Position{0, 300}));
    EXPECT_EQ(*reopenedStore()->clockPosition(), (Position{0, 300}));
    drop(m, "clock", {12, 48});
    EXPECT_EQ(m.frameOf(m.window("clock")).origin(), (Position{12, 40}));
    EXPECT_EQ(*reopenedStore()->clockPosition(), (Position{12, 40}));
}

TEST_F(WidgetManagerTest, DropNextToAnotherWidgetPlacesItFlush)
{
    WidgetManager &m = manager();
    m.spawnWidget("clock");
    m.spawnWidget("weather");
    drop(m, "clock", {200, 300});
    drop(m, "weather", {375, 100});  // 5 right of the clock's right edge at 370
    EXPECT_EQ(m.frameOf(m.window("weather")).origin(), (Position{370, 100}));
    EXPECT_EQ(*reopenedStore()->weatherPosition(), (Position{370, 100}));
    EXPECT_EQ(m.frameOf(m.window("clock")).origin(), (Position{200, 300}));  // the other stays put
}

TEST_F(WidgetManagerTest, ResizeGrowsLeftAndSavesTheOrigin)
{
    store(R"({"widget.battery.position": "{\"x\":500,\"y\":200}"})");
    WidgetManager &m = manager();
    m.spawnWidget("battery");
    m.resizeWidget("battery", "medium");
    EXPECT_EQ(m.frameOf(m.window("battery")), (Rect{330, 200, 340, 170}));
    EXPECT_EQ(m.window("battery")->contentView()->size(), QSize(340, 170));
    EXPECT_EQ(*reopenedStore()->batteryPosition(), (Position{330, 200}));
    m.resizeWidget("battery", "small");
    EXPECT_EQ(m.frameOf(m.window("battery")), (Rect{500, 200, 170, 170}));
    EXPECT_EQ(*reopenedStore()->batteryPosition(), (Position{500, 200}));
    // Without a window only the setting (saved by the panel) matters.
    m.despawnWidget("battery");
    m.resizeWidget("battery", "medium");
    EXPECT_EQ(*reopenedStore()->batteryPosition(), (Position{500, 200}));
}

TEST_F(WidgetManagerTest, ClickThroughOfClosedWidgetOnlySaves)
{
    WidgetManager &m = manager();
    m.updateClickThrough("music", true);
    EXPECT_TRUE(m.openWidgets().isEmpty());
    EXPECT_TRUE(reopenedStore()->musicClickThrough());
    // The flag is read when the window is created.
    store();
    WidgetManager &next = manager();
    next.spawnWidget("music");
    ASSERT_TRUE(next.window("music"));
    EXPECT_TRUE(next.window("music")->ignoresMouseEvents());
    EXPECT_TRUE(next.window("music")->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));
}

TEST_F(WidgetManagerTest, ClickThroughTogglesTheLiveWindow)
{
    WidgetManager &m = manager();
    m.spawnWidget("clock");
    WidgetWindow *w = m.window("clock");
    const WId id = w->winId();
    const QRect frame = w->frame();
    m.updateClickThrough("clock", true);
    EXPECT_TRUE(w->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowTransparentForInput));
    m.updateClickThrough("clock", false);
    EXPECT_FALSE(w->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));
    EXPECT_EQ(m.window("clock"), w);
    EXPECT_EQ(w->winId(), id);
    EXPECT_EQ(w->frame(), frame);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(reopenedStore()->clockClickThrough());
}

TEST_F(WidgetManagerTest, RestoreOpensEnabledWidgetsInOrder)
{
    store(R"({"widget.music.enabled": true, "widget.clock.enabled": true, "widget.weather.enabled": false,
              "widget.battery.enabled": "yes"})");
    WidgetManager &m = manager();
    m.restoreWidgets();
    EXPECT_EQ(m.openWidgets(), (QStringList{"clock", "music"}));
    m.closeAll();
    EXPECT_TRUE(m.openWidgets().isEmpty());
}

TEST_F(WidgetManagerTest, ManualDragFollowsThePointerAndSavesOnRelease)
{
    // The offscreen platform has no window manager: the window moves itself.
    WidgetManager &m = manager();
    m.spawnWidget("clock");
    drop(m, "clock", {300, 200});
    WidgetWindow *w = m.window("clock");
    const QPoint start = w->pos();
    const QPoint pressAt = w->frame().center();
    const auto send = [w](QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(global - w->pos()), QPointF(global),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    send(QEvent::MouseButtonPress, pressAt, Qt::LeftButton);
    send(QEvent::MouseMove, pressAt + QPoint(1, 1), Qt::LeftButton);  // under the drag distance
    EXPECT_EQ(w->pos(), start);
    send(QEvent::MouseMove, pressAt + QPoint(-40, 20), Qt::LeftButton);
    send(QEvent::MouseMove, pressAt + QPoint(-100, 50), Qt::LeftButton);
    EXPECT_EQ(w->pos(), start + QPoint(-100, 50));
    EXPECT_EQ(*reopenedStore()->clockPosition(), (Position{300, 200}));  // not while dragging
    send(QEvent::MouseButtonRelease, pressAt + QPoint(-100, 50), Qt::NoButton);
    EXPECT_EQ(*reopenedStore()->clockPosition(), (Position{200, 150}));

    // Click-through: presses do nothing.
    m.updateClickThrough("clock", true);
    send(QEvent::MouseButtonPress, pressAt, Qt::LeftButton);
    send(QEvent::MouseMove, pressAt + QPoint(-100, 50), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, pressAt + QPoint(-100, 50), Qt::NoButton);
    EXPECT_EQ(w->pos(), start + QPoint(-100, 50));
}
