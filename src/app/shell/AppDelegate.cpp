#include "AppDelegate.h"

#include "PellixLogging.h"
#include "TrayIcon.h"
#include "shell/WidgetWindow.h"
#include "monitors/WeatherMonitor.h"
#include "panel/ControlPanelView.h"
#include "settings/SettingsManager.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWindow>

AppDelegate::AppDelegate(SettingsManager &settings, QObject *parent)
    : QObject(parent), m_settings(settings), m_widgets(settings)
{
    m_widgets.setExtensionSupervisor(&m_extensions);
}

AppDelegate::~AppDelegate()
{
    m_widgets.closeAll();
    delete m_statusBarItem;
}

void AppDelegate::applicationDidFinishLaunching()
{
    // No accessory policy to set here: no window of ours asks for a taskbar entry.
    // The widgets come first, as they are what the user waits for. The tray icon
    // and the panel (D-Bus, the font database, a large window) wait until the
    // widgets are on screen, so as not to take the CPU from the window manager
    // and the X server meanwhile; at most kLaunchWaitMs when nothing shows them.
    m_widgets.restoreWidgets();
    // Their processes start meanwhile; their widgets show when each answers.
    m_extensions.start();
    QList<QWindow *> pending;
    for (const QString &name : m_widgets.openWidgets())
        if (QWindow *window = m_widgets.window(name)->windowHandle(); window && !window->isExposed())
            pending.append(window);
    if (pending.isEmpty()) {
        finishLaunching();
        return;
    }
    m_launchWait = new ExposureWait(pending, this);
    connect(m_launchWait, &ExposureWait::done, this, &AppDelegate::finishLaunching);
}

void AppDelegate::finishLaunching()
{
    if (m_launchWait) {
        m_launchWait->deleteLater();
        m_launchWait = nullptr;
    }
    if (m_controlPanelWindow)
        return;
    setupStatusBarItem();
    createControlPanelWindow();
    showControlPanel();
}

void AppDelegate::applicationWillTerminate()
{
    m_widgets.closeAll();
}

void AppDelegate::setupStatusBarItem()
{
    m_menu = std::make_unique<QMenu>();
    m_menu->setAccessibleName("PellixWidget");
    m_showAction = m_menu->addAction(tr("Mostra Control Panel"), this, &AppDelegate::showControlPanel);
    m_showAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_menu->addSeparator();
    m_quitAction = m_menu->addAction(tr("Esci"), this, &AppDelegate::quitApp);
    m_quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    m_statusBarItem = new QSystemTrayIcon(makeTrayIcon());
    m_statusBarItem->setToolTip("PellixWidget");
    m_statusBarItem->setContextMenu(m_menu.get());
    // A left click opens the menu too, as the status item does. Not on Wayland:
    // there a menu without a parent window becomes a window of its own (sway
    // tiled it full-screen), and the tray host shows the item's menu itself;
    // the click opens the menu's first entry, the panel.
    const bool menuAtPointer = QGuiApplication::platformName() != QLatin1String("wayland");
    connect(m_statusBarItem, &QSystemTrayIcon::activated, this,
            [this, menuAtPointer](QSystemTrayIcon::ActivationReason reason) {
                if (reason != QSystemTrayIcon::Trigger)
                    return;
                if (menuAtPointer)
                    m_menu->popup(QCursor::pos());
                else
                    showControlPanel();
            });
    // Without a tray host this fails quietly; a host that appears later docks the icon.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        qCInfo(lcShell, "no system tray yet: the control panel stays reachable by launching the app again");
    m_statusBarItem->show();
}

ControlPanelCallbacks AppDelegate::controlPanelCallbacks()
{
    QPointer<WidgetManager> manager(&m_widgets);
    return {
        [manager](const QString &name, bool enabled) {
            if (manager)
                manager->toggleWidget(name, enabled);
        },
        [manager](const QString &name, const QString &size) {
            if (manager)
                manager->resizeWidget(name, size);
        },
        [manager](const QString &name, bool enabled) {
            if (manager)
                manager->updateClickThrough(name, enabled);
        },
    };
}

void AppDelegate::createControlPanelWindow()
{
    const ControlPanelCallbacks callbacks = controlPanelCallbacks();
    m_controlPanelWindow = std::make_unique<ControlPanelWindow>(callbacks);
    m_controlPanelWindow->setContentView(new panel::ControlPanelView(callbacks, m_settings, WeatherMonitor::shared(), &m_catalog));
    // The menu's shortcuts work while the panel has the focus (widgets never take it).
    for (QAction *action : {m_showAction, m_quitAction})
        if (action)
            m_controlPanelWindow->addAction(action);
}

void AppDelegate::showControlPanel()
{
    if (m_controlPanelWindow)
        m_controlPanelWindow->present();
}

void AppDelegate::quitApp()
{
    // Not quit(): in Qt 6 that first closes every window and is cancelled when one
    // still counts as visible afterwards; "Esci" chosen in the tray menu left the
    // app running with no window at all. Leaving the event loop always ends it.
    QCoreApplication::exit(0);
}
