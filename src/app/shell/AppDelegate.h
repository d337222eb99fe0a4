#pragma once

#include "ControlPanelWindow.h"
#include "extensions/ExtensionCatalog.h"
#include "extensions/ExtensionSupervisor.h"
#include "shell/ExposureWait.h"
#include "WidgetManager.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QWindow;
class SettingsManager;

// Owns the tray icon and its menu, the control-panel window and the widget manager.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    explicit AppDelegate(SettingsManager &settings, QObject *parent = nullptr);
    ~AppDelegate() override;

    // Restores the widgets; the tray icon and the panel follow once they are on screen.
    void applicationDidFinishLaunching();
    void applicationWillTerminate();
    void showControlPanel();
    void quitApp();

    WidgetManager &widgetManager() { return m_widgets; }
    ExtensionCatalog &extensionCatalog() { return m_catalog; }
    extensions::ExtensionSupervisor &extensionSupervisor() { return m_extensions; }
    ControlPanelWindow *controlPanelWindow() const { return m_controlPanelWindow.get(); }
    QSystemTrayIcon *statusBarItem() const { return m_statusBarItem; }
    QMenu *statusMenu() const { return m_menu.get(); }

private:
    void finishLaunching();
    void setupStatusBarItem();
    void createControlPanelWindow();
    ControlPanelCallbacks controlPanelCallbacks();

    SettingsManager &m_settings;
    ExtensionCatalog m_catalog;
    extensions::ExtensionSupervisor m_extensions{m_catalog};
    WidgetManager m_widgets;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon *m_statusBarItem = nullptr;
    QAction *m_showAction = nullptr;
    QAction *m_quitAction = nullptr;
    std::unique_ptr<ControlPanelWindow> m_controlPanelWindow;
    ExposureWait *m_launchWait = nullptr;
};
