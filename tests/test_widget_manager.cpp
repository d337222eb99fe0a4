// The widget manager with real (offscreen) windows and a private settings store.
#include "shell/WidgetManager.h"
#include "shell/WidgetHostingView.h"
#include "shell/WidgetWindow.h"
#include "settings/SettingsManager.h"
#include "SharedDataWriter.h"
#include "test_support.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using shell::Rect;

namespace {

const shell::ScreenArea kMain{{0, 0, 800, 600}, {0, 0, 800, 600}};
const shell::ScreenArea kRight{{800, 0, 800, 600}, {800, 0, 800, 560}};  // a 40-point panel at its top

class WidgetManagerTest : public ::testing::Test {
protected:
    // A fresh store and manager on this test's file, as at a new launch; `json` is written first.
    WidgetManager &launch(const QByteArray &json = {}, const Rect &visible = {0, 0, 800, 600})
    {
        if (!json.isEmpty())
            pellix::test::writeFile(m_dir.filePath("s.json"), json);
        m_manager.reset();
        m_settings = std::make_unique<SettingsManager>(m_dir.filePath("s.json"));
        m_manager = std::make_unique<WidgetManager>(*m_settings);
        m_manager->setScreenSpaceProvider([this, visible] { return shell::ScreenSpace{screen(), visible, m_screens}; });
        return *m_manager;
    }

    SettingsManager saved() const { return SettingsManager(m_dir.filePath("s.json")); }
    static QRectF screen() { return QGuiApplication::primaryScreen()->geometry(); }

    static void send(WidgetWindow *w, QEvent::Type type, QPoint global)
    {
        QMouseEvent e(type, QPointF(global - w->pos()), QPointF(global),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }

    // Drags the window by its middle so that its content lands at the y-up origin `origin`.
    void drag(const QString &name, Position origin)
    {
        WidgetWindow *w = m_manager->window(name);
        ASSERT_TRUE(w);
        const QRect from = w->frame();
        const QRect to = shell::toQtPixels({origin.x, origin.y, double(from.width()), double(from.height())}, screen());
        send(w, QEvent::MouseButtonPress, from.center());
        send(w, QEvent::MouseMove, to.center());
        send(w, QEvent::MouseButtonRelease, to.center());
    }
    Position originOf(const QString &name) { return m_manager->frameOf(m_manager->window(name)).origin(); }

    QTemporaryDir m_dir;
    std::vector<shell::ScreenArea> m_screens;  // empty: the primary screen alone
    std::unique_ptr<SettingsManager> m_settings;
    std::unique_ptr<WidgetManager> m_manager;
};

}  // namespace

TEST_F(WidgetManagerTest, SwitchingOnAndOffAndClickThroughOfClosedWidgets)
{
    WidgetManager &m = launch();
    m.toggleWidget("clock", true);
    m.toggleWidget("clock", true);
    m.toggleWidget("weather", false);  // absent: nothing to close
    m.spawnWidget("calendar");         // unknown: nothing to create
    EXPECT_EQ(m.openWidgets(), QStringList{"clock"});
    const QWidgetList all = QApplication::topLevelWidgets();
    EXPECT_EQ(std::ranges::count_if(all, [](auto *w) { return qobject_cast<WidgetWindow *>(w) && w->isVisible(); }), 1);
    EXPECT_TRUE(saved().clockEnabled());
    m.toggleWidget("clock", false);
    EXPECT_TRUE(m.openWidgets().isEmpty());
    EXPECT_FALSE(saved().clockEnabled());
    // Click-through of a closed widget is only saved (read when its window is created: system/now_playing.sh).
    m.updateClickThrough("music", true);
    EXPECT_TRUE(m.openWidgets().isEmpty());
    EXPECT_TRUE(saved().musicClickThrough());
}

TEST_F(WidgetManagerTest, DragsSnapAndSaveOnReleaseAndTheNextStartRestoresThem)
{
    WidgetManager &first = launch(R"({"widget.clock.size": "medium", "widget.music.enabled": true,
                                      "widget.battery.enabled": "yes"})", {0, 0, 800, 575});
    first.toggleWidget("clock", true);
    // The default place; showing a window is not a move, so nothing is saved yet.
    WidgetWindow *clock = first.window("clock");
    EXPECT_EQ(clock->frame(), shell::toQtPixels({440, 365, 340, 170}, screen()));
    EXPECT_EQ(clock->contentView()->size(), QSize(340, 170));
    // (A move nobody dragged is not saved either: system/shell.sh.)
    const QPoint start = clock->pos(), at = clock->frame().center();
    send(clock, QEvent::MouseButtonPress, at);
    send(clock, QEvent::MouseMove, at + QPoint(1, 1));  // under the drag distance: a click, not a drag
    EXPECT_EQ(clock->pos(), start);
    send(clock, QEvent::MouseMove, at + QPoint(-100, 50));
    EXPECT_EQ(clock->pos(), start + QPoint(-100, 50));
    EXPECT_FALSE(saved().clockPosition());  // not while dragging
    send(clock, QEvent::MouseButtonRelease, at + QPoint(-100, 50));
    EXPECT_EQ(saved().clockPosition(), (Position{340, 315}));

    drag("clock", {300, 200});
    EXPECT_EQ(saved().clockPosition(), (Position{300, 200}));
    first.spawnWidget("music");
    drag("music", {645, 100});  // 5 right of the clock: snaps flush, the clock stays put
    EXPECT_EQ(saved().musicPosition(), (Position{640, 100}));

    const auto stamp = FileStamp::of(m_dir.filePath("s.json"));
    WidgetManager &next = launch();
    next.restoreWidgets();
    EXPECT_EQ(next.openWidgets(), (QStringList{"clock", "music"}));
    EXPECT_EQ(originOf("clock"), (Position{300, 200}));
    EXPECT_EQ(originOf("music"), (Position{640, 100}));
    EXPECT_TRUE(FileStamp::of(m_dir.filePath("s.json")) == stamp);  // already enabled: not written again
    // A view starts (its timers, its first reading) only after its window's map has gone out.
    QWidget *view = next.window("clock")->contentView()->rootView();
    EXPECT_FALSE(view->isVisible());
    QApplication::processEvents();
    EXPECT_TRUE(view->isVisible());
}

// A place on a screen that is gone is shown on the nearest one and not saved, so
// it comes back with its screen; snapping uses the screen the widget is on.
TEST_F(WidgetManagerTest, PlacesOffEveryScreenAreShownOnTheNearestAndNotSaved)
{
    WidgetManager &m = launch(R"({"widget.weather.position": "{\"x\":1400,\"y\":500}",
                                  "widget.battery.position": "{\"x\":-131,\"y\":-20}"})");
    m.spawnWidget("weather");
    m.spawnWidget("battery");
    EXPECT_EQ(originOf("weather"), (Position{630, 430}));
    EXPECT_EQ(originOf("battery"), (Position{0, 0}));  // 39 points on screen are not enough

    m_screens = {kMain, kRight};
    m.screensChanged();
    EXPECT_EQ(originOf("weather"), (Position{1400, 500}));  // back at the user's place
    EXPECT_EQ(saved().weatherPosition(), (Position{1400, 500}));
    drag("weather", {1422, 395});  // 8 from the second screen's right edge, 5 above its panel
    EXPECT_EQ(saved().weatherPosition(), (Position{1430, 390}));
    // That screen unplugged, and places shown elsewhere never saved: system/shell.sh.
}
