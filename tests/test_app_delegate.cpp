// Start-up, tray menu, control-panel window and the panel's callbacks.
#include "shell/AppDelegate.h"
#include "shell/ScreenSpace.h"
#include "shell/WidgetWindow.h"
#include "settings/SettingsManager.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

class AppDelegateTest : public ::testing::Test {
protected:
    void launch(const QByteArray &json = {})
    {
        ASSERT_TRUE(m_dir.isValid());
        if (!json.isEmpty())
            pellix::test::writeFile(m_dir.filePath("s.json"), json);
        m_settings = std::make_unique<SettingsManager>(m_dir.filePath("s.json"));
        m_delegate = std::make_unique<AppDelegate>(*m_settings);
        m_delegate->applicationDidFinishLaunching();
    }

    void TearDown() override
    {
        m_delegate.reset();
        QApplication::processEvents();
    }

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

TEST_F(AppDelegateTest, FirstLaunchShowsOnlyTheControlPanel)
{
    launch();
    EXPECT_EQ(visibleWindowTitles(), QStringList{"PellixWidget Control Panel"});
    ControlPanelWindow *panel = m_delegate->controlPanelWindow();
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->size(), QSize(420, 600));
    const shell::ScreenSpace space = shell::currentScreenSpace();
    EXPECT_EQ(panel->geometry(), space.toQt(shell::controlPanelFrame(space.visible)));
    EXPECT_TRUE(m_delegate->widgetManager().openWidgets().isEmpty());
}

TEST_F(AppDelegateTest, EnabledWidgetsOpenAtLaunchAndCloseAtTermination)
{
    launch(R"({"widget.battery.enabled": true, "widget.clock.enabled": true})");
    EXPECT_EQ(m_delegate->widgetManager().openWidgets(), (QStringList{"clock", "battery"}));
    EXPECT_EQ(visibleWindowTitles(), (QStringList{"PellixWidget Control Panel", "battery", "clock"}));
    m_delegate->applicationWillTerminate();
    EXPECT_TRUE(m_delegate->widgetManager().openWidgets().isEmpty());
    EXPECT_EQ(visibleWindowTitles(), QStringList{"PellixWidget Control Panel"});
    // Termination does not switch anything off.
    EXPECT_TRUE(SettingsManager(m_dir.filePath("s.json")).clockEnabled());
}

TEST_F(AppDelegateTest, TrayMenuHasTheTwoEntries)
{
    launch();
    ASSERT_TRUE(m_delegate->statusBarItem());
    EXPECT_EQ(m_delegate->statusBarItem()->contextMenu(), m_delegate->statusMenu());
    EXPECT_FALSE(m_delegate->statusBarItem()->icon().isNull());
    EXPECT_EQ(m_delegate->statusBarItem()->toolTip(), "PellixWidget");
    const QList<QAction *> actions = m_delegate->statusMenu()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), "Mostra Control Panel");
    EXPECT_EQ(actions[0]->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text(), "Esci");
    EXPECT_EQ(actions[2]->shortcut(), QKeySequence("Ctrl+Q"));
}

TEST_F(AppDelegateTest, ClosingHidesThePanelAndTheMenuBringsTheSameOneBack)
{
    launch();
    ControlPanelWindow *panel = m_delegate->controlPanelWindow();
    panel->close();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(m_delegate->controlPanelWindow(), panel);
    m_delegate->statusMenu()->actions()[0]->trigger();
    EXPECT_EQ(m_delegate->controlPanelWindow(), panel);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->size(), QSize(420, 600));
}

TEST_F(AppDelegateTest, PanelCallbacksDriveTheManager)
{
    launch();
    const ControlPanelCallbacks callbacks = m_delegate->controlPanelWindow()->callbacks();
    WidgetManager &m = m_delegate->widgetManager();
    callbacks.onToggleWidget("weather", true);
    ASSERT_EQ(m.openWidgets(), QStringList{"weather"});
    const shell::Rect before = m.frameOf(m.window("weather"));
    callbacks.onResizeWidget("weather", "medium");
    EXPECT_EQ(m.frameOf(m.window("weather")).width, 340);
    EXPECT_EQ(m.frameOf(m.window("weather")).maxX(), before.maxX());
    callbacks.onClickThroughChanged("weather", true);
    EXPECT_TRUE(m.window("weather")->ignoresMouseEvents());
    callbacks.onToggleWidget("weather", false);
    EXPECT_TRUE(m.openWidgets().isEmpty());
}

TEST_F(AppDelegateTest, CallbacksDoNothingOnceTheDelegateIsGone)
{
    launch();
    const ControlPanelCallbacks callbacks = m_delegate->controlPanelWindow()->callbacks();
    m_delegate.reset();
    callbacks.onToggleWidget("clock", true);
    callbacks.onResizeWidget("clock", "medium");
    callbacks.onClickThroughChanged("clock", true);
    QApplication::processEvents();
    EXPECT_TRUE(visibleWindowTitles().isEmpty());
    const SettingsManager reread(m_dir.filePath("s.json"));
    EXPECT_FALSE(reread.clockEnabled());
    EXPECT_FALSE(reread.clockClickThrough());
}
