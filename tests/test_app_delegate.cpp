// Start-up, tray menu, control-panel window and the panel's callbacks.
#include "shell/AppDelegate.h"
#include "shell/WidgetWindow.h"
#include "settings/SettingsManager.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>

namespace {

class AppDelegateTest : public ::testing::Test {
protected:
    AppDelegate &launch(const QByteArray &json = "{}")
    {
        pellix::test::writeFile(m_dir.filePath("s.json"), json);
        m_settings = std::make_unique<SettingsManager>(m_dir.filePath("s.json"));
        m_delegate = std::make_unique<AppDelegate>(*m_settings);
        m_delegate->applicationDidFinishLaunching();
        // The tray icon and the panel follow once the widgets are exposed.
        EXPECT_TRUE(QTest::qWaitFor([this] { return m_delegate->controlPanelWindow() != nullptr; }, 2000));
        return *m_delegate;
    }
    SettingsManager saved() const { return SettingsManager(m_dir.filePath("s.json")); }

    static QStringList visibleWindowTitles()
    {
        QStringList titles;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                titles.append(w->windowTitle());
        titles.sort();
        return titles;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsManager> m_settings;
    std::unique_ptr<AppDelegate> m_delegate;
};

}  // namespace

TEST_F(AppDelegateTest, ThePanelComesBackFromTheTrayAndItsCallbacksDriveTheManagerWhileTheDelegateLives)
{
    // Closing only hides the panel; the tray menu's first entry brings back the same one
    // (quitting leaves the widgets switched on: system/panel.sh).
    ControlPanelWindow *panel = launch().controlPanelWindow();
    panel->close();
    m_delegate->statusMenu()->actions().value(0)->trigger();
    EXPECT_TRUE(m_delegate->controlPanelWindow() == panel && panel->isVisible());
    const ControlPanelCallbacks callbacks = panel->callbacks();
    WidgetManager &m = m_delegate->widgetManager();
    callbacks.onToggleWidget("weather", true);
    ASSERT_EQ(m.openWidgets(), QStringList{"weather"});
    const shell::Rect before = m.frameOf(m.window("weather"));
    callbacks.onResizeWidget("weather", "medium");
    EXPECT_EQ(m.frameOf(m.window("weather")), (shell::Rect{before.x - 170, before.y, 340, 170}));
    EXPECT_EQ(saved().weatherPosition(), (Position{before.x - 170, before.y}));  // the new origin is kept
    callbacks.onClickThroughChanged("weather", true);
    EXPECT_TRUE(m.window("weather")->ignoresMouseEvents());
    callbacks.onToggleWidget("weather", false);
    EXPECT_TRUE(m.openWidgets().isEmpty());
    // The panel may outlive the delegate at exit: its callbacks then do nothing.
    m_delegate.reset();
    callbacks.onToggleWidget("clock", true);
    callbacks.onResizeWidget("clock", "medium");
    callbacks.onClickThroughChanged("clock", true);
    QApplication::processEvents();
    EXPECT_TRUE(visibleWindowTitles().isEmpty());
    EXPECT_FALSE(saved().clockEnabled());
    EXPECT_FALSE(saved().clockClickThrough());
}

TEST(ExposureWaitTest, DoneOnceWhenEveryWindowIsExposedOrAtTheBound)
{
    QWindow shown, alsoShown, neverShown;
    int exposedDone = 0, boundDone = 0;
    ExposureWait exposed({&shown, &alsoShown});
    QObject::connect(&exposed, &ExposureWait::done, [&] { ++exposedDone; });
    ExposureWait bound({&shown, &neverShown});
    QObject::connect(&bound, &ExposureWait::done, [&] { ++boundDone; });
    shown.show();
    alsoShown.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return exposedDone > 0; }, ExposureWait::kLaunchWaitMs / 2));
    EXPECT_EQ(boundDone, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return boundDone > 0; }, ExposureWait::kLaunchWaitMs * 2));
    shown.hide();
    QTest::qWait(50);
    EXPECT_EQ(exposedDone + boundDone, 2);
}
