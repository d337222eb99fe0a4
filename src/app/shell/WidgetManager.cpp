#include "WidgetManager.h"

#include "shell/WidgetHostingView.h"
#include "shell/WidgetWindow.h"
#include "settings/SettingsManager.h"
#include "settings/WidgetNames.h"
#include "views/WidgetViewFactory.h"
#include "extensions/ExtensionSupervisor.h"
#include "extensions/RemoteWidgetView.h"
#include "shell/x11/X11Window.h"

#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>

using shell::Rect;

namespace {
constexpr int kScreensSettleMs = 100;
}

WidgetManager::WidgetManager(SettingsManager &settings, QObject *parent)
    : QObject(parent), m_settings(settings), m_screenSpace(shell::currentScreenSpace)
{
    m_screensSettle.setSingleShot(true);
    m_screensSettle.setInterval(kScreensSettleMs);
    connect(&m_screensSettle, &QTimer::timeout, this, &WidgetManager::screensChanged);
    auto *app = qGuiApp;
    if (!app)
        return;
    const auto settle = [this] { m_screensSettle.start(); };
    connect(app, &QGuiApplication::screenAdded, this, [this, settle](QScreen *screen) {
        watchScreen(screen);
        settle();
    });
    connect(app, &QGuiApplication::screenRemoved, this, settle);
    connect(app, &QGuiApplication::primaryScreenChanged, this, settle);
    for (QScreen *screen : QGuiApplication::screens())
        watchScreen(screen);
}

void WidgetManager::watchScreen(QScreen *screen)
{
    const auto settle = [this] { m_screensSettle.start(); };
    connect(screen, &QScreen::geometryChanged, this, settle);
    connect(screen, &QScreen::availableGeometryChanged, this, settle);
}

WidgetManager::~WidgetManager()
{
    closeAll();
}

void WidgetManager::setScreenSpaceProvider(std::function<shell::ScreenSpace()> provider)
{
    m_screenSpace = provider ? std::move(provider) : shell::currentScreenSpace;
}

shell::ScreenSpace WidgetManager::screenSpace() const
{
    return m_screenSpace();
}

void WidgetManager::setExtensionSupervisor(extensions::ExtensionSupervisor *supervisor)
{
    m_extensions = supervisor;
    if (!supervisor)
        return;
    // Switched on before (or while) the app ran: shown as soon as the extension answers.
    connect(supervisor, &extensions::ExtensionSupervisor::widgetsLearnt, this, [this](const QStringList &names) {
        for (const QString &name : names)
            if (m_settings.isEnabled(name))
                spawnWidget(name);
    });
    // Its switch stays on: after a restart of the app it is tried again.
    connect(supervisor, &extensions::ExtensionSupervisor::widgetsStopped, this, [this](const QStringList &names) {
        for (const QString &name : names)
            despawnWidget(name);
    });
}

bool WidgetManager::isKnown(const QString &name) const
{
    return widgetIndex(name) >= 0 || (m_extensions && m_extensions->canShow(name));
}

QString WidgetManager::extensionFamily(const QString &name) const
{
    const ExtensionWidgetInfo *widget = m_extensions ? m_extensions->catalog().widget(name) : nullptr;
    return widget ? widget->sizeFor(m_settings.size(name)) : m_settings.size(name);
}

QWidget *WidgetManager::createView(const QString &name)
{
    if (widgetIndex(name) >= 0)
        return createWidgetView(name, m_settings);
    return new RemoteWidgetView(name, extensionFamily(name), *m_extensions, m_settings);
}

void WidgetManager::restoreWidgets()
{
    for (const QString &name : kWidgetNames)
        if (m_settings.isEnabled(name))
            toggleWidget(name, true);
    // Extension widgets whose extension has answered already; the others follow its hello.
    if (m_extensions)
        for (const ExtensionInfo &extension : m_extensions->catalog().extensions())
            for (const ExtensionWidgetInfo &widget : extension.widgets)
                if (m_settings.isEnabled(widget.name))
                    spawnWidget(widget.name);
}

void WidgetManager::toggleWidget(const QString &name, bool enabled)
{
    m_settings.saveSetting(enabled, SettingsManager::enabledKey(name));
    if (enabled)
        spawnWidget(name);
    else
        despawnWidget(name);
}

std::optional<Position> WidgetManager::getSavedPosition(const QString &name) const
{
    if (widgetIndex(name) < 0 && !isExtensionWidgetName(name))
        return std::nullopt;
    return m_settings.getPosition(name);
}

void WidgetManager::spawnWidget(const QString &name)
{
    if (window(name) || !isKnown(name))
        return;
    const double width =
        shell::widgetWidth(widgetIndex(name) >= 0 ? m_settings.size(name) : extensionFamily(name));
    QWidget *view = createView(name);
    if (!view)
        return;
    // The view starts (its timers, its first reading: D-Bus, files, the network)
    // once the window's map has gone out, so no slow source holds a widget off the
    // screen; the first paint comes later still, when the window is exposed.
    view->hide();
    auto *hosting = new WidgetHostingView(view);
    hosting->setGeometry(0, 0, int(width), int(shell::kWidgetHeight));

    const shell::ScreenSpace space = screenSpace();
    const Rect frame = homeFrame(name, width, space);
    auto *window = new WidgetWindow(name, hosting, space.toQt(frame), m_settings.isClickThrough(name));
    const ExtensionWidgetInfo *extension = m_extensions ? m_extensions->catalog().widget(name) : nullptr;
    window->setAccessibleName(extension ? extension->displayName : widgetTitle(name));
    connect(window, &WidgetWindow::didMove, this, &WidgetManager::windowDidMove);
    m_widgetWindows.append({name, window});
    window->show();
    QMetaObject::invokeMethod(view, &QWidget::show, Qt::QueuedConnection);
    x11::flush();  // the window manager maps it while the next one is built
}

Rect WidgetManager::homeFrame(const QString &name, double width, const shell::ScreenSpace &space) const
{
    std::optional<Position> origin = getSavedPosition(name);
    if (!origin)
        origin = shell::defaultOrigin(name, width, space.visible);
    if (!origin) {
        // Extension widgets start down the left column, away from the built-ins' and from each other.
        std::vector<Rect> others;
        for (const auto &[otherName, other] : m_widgetWindows)
            if (otherName != name)
                others.push_back(frameOf(other));
        origin = shell::freeOrigin(width, space.visible, others);
    }
    return shell::reachableFrame({origin->x, origin->y, width, shell::kWidgetHeight}, space.areas());
}

void WidgetManager::screensChanged()
{
    const shell::ScreenSpace space = screenSpace();
    m_isSnapping = true;
    const auto reset = qScopeGuard([this] { m_isSnapping = false; });
    // Also where the place stays: a Wayland surface whose output went away is
    // re-created on the one that holds its place now.
    for (const auto &[name, window] : std::as_const(m_widgetWindows))
        window->setFrame(space.toQt(homeFrame(name, frameOf(window).width, space)));
}

void WidgetManager::despawnWidget(const QString &name)
{
    for (qsizetype i = 0; i < m_widgetWindows.size(); ++i) {
        if (m_widgetWindows[i].first != name)
            continue;
        WidgetWindow *window = m_widgetWindows.takeAt(i).second;
        disconnect(window, nullptr, this, nullptr);
        window->close();
        window->deleteLater();
        return;
    }
}

void WidgetManager::closeAll()
{
    while (!m_widgetWindows.isEmpty())
        despawnWidget(m_widgetWindows.first().first);
}

void WidgetManager::resizeWidget(const QString &name, const QString &size)
{
    WidgetWindow *window = this->window(name);
    if (!window)
        return;
    const shell::ScreenSpace space = screenSpace();
    if (isExtensionWidgetName(name)) {
        // Its process draws the other family into a new view; the place is kept.
        m_settings.setPosition(shell::resizedFrame(frameOf(window), extensionFamily(name)).origin(), name);
        despawnWidget(name);
        spawnWidget(name);
        return;
    }
    const Rect resized = shell::resizedFrame(frameOf(window), size);
    {
        // The stored origin below is the resized one, not a snapped one.
        m_isSnapping = true;
        const auto reset = qScopeGuard([this] { m_isSnapping = false; });
        window->setFrame(space.toQt(resized));
    }
    m_settings.setPosition(resized.origin(), name);
}

void WidgetManager::updateClickThrough(const QString &name, bool enabled)
{
    m_settings.saveSetting(enabled, SettingsManager::clickThroughKey(name));
    if (WidgetWindow *window = this->window(name))
        window->setClickThrough(enabled);
}

void WidgetManager::windowDidMove(WidgetWindow *window)
{
    if (m_isSnapping)
        return;
    const QString name = nameOf(window);
    if (name.isEmpty())
        return;
    m_isSnapping = true;
    const auto reset = qScopeGuard([this] { m_isSnapping = false; });

    const shell::ScreenSpace space = screenSpace();
    const Rect current = frameOf(window);
    std::vector<Rect> others;
    for (const auto &[otherName, other] : std::as_const(m_widgetWindows))
        if (otherName != name)
            others.push_back(frameOf(other));
    const Rect snapped = shell::snappedFrame(current, space.workAreaOf(current), others);
    if (snapped != current)
        window->setFrame(space.toQt(snapped));
    m_settings.setPosition(snapped.origin(), name);
}

WidgetWindow *WidgetManager::window(const QString &name) const
{
    for (const auto &[key, window] : m_widgetWindows)
        if (key == name)
            return window;
    return nullptr;
}

QString WidgetManager::nameOf(const WidgetWindow *window) const
{
    for (const auto &[key, w] : m_widgetWindows)
        if (w == window)
            return key;
    return {};
}

QStringList WidgetManager::openWidgets() const
{
    QStringList names;
    for (const auto &entry : m_widgetWindows)
        names.append(entry.first);
    return names;
}

Rect WidgetManager::frameOf(const WidgetWindow *window) const
{
    return screenSpace().fromQt(window->frame());
}
