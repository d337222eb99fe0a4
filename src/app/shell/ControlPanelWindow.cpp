#include "ControlPanelWindow.h"

#include "shell/BlurBehind.h"
#include "shell/ScreenSpace.h"
#include "panel/PanelStyle.h"
#include "shell/x11/CompositorWatch.h"
#include "shell/x11/X11Window.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QVBoxLayout>
#include <QWindow>

#include <malloc.h>

namespace {

// Qt reports a plain top-level widget as a filler; screen readers announce windows by the frame role.
QAccessibleInterface *accessibleWindow(const QString &className, QObject *object)
{
    if (className == QLatin1String("ControlPanelWindow") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

ControlPanelWindow::ControlPanelWindow(ControlPanelCallbacks callbacks, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      m_callbacks(std::move(callbacks))
{
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleWindow), true);
    Q_UNUSED(factoryInstalled);
    setWindowTitle(kTitle);
    setPalette(panel::darkPanelPalette());
    // The window's visual is chosen when it is created, and a compositor may start
    // later: always ask for alpha; the backdrop is opaque while nothing blends it.
    setAttribute(Qt::WA_TranslucentBackground);
    connect(&x11::CompositorWatch::instance(), &x11::CompositorWatch::runningChanged, this,
            qOverload<>(&QWidget::update));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setContentView(new QWidget);

    const shell::ScreenSpace space = shell::currentScreenSpace();
    const QRect frame = space.toQt(shell::controlPanelFrame(space.visible));
    setFixedSize(frame.size());
    setGeometry(frame);  // the content rectangle, not the frame the window manager adds
}

void ControlPanelWindow::setContentView(QWidget *view)
{
    delete m_contentView;
    m_contentView = view;
    if (view)
        layout()->addWidget(view);
}

void ControlPanelWindow::present()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ControlPanelWindow::showEvent(QShowEvent *event)
{
    // Sent before every map: the window manager dropped the states when the window
    // was withdrawn, and Qt only merges its own into what it finds here. The native
    // window itself may be new (see hideEvent), and it needs its blur asked for again.
    if (!event->spontaneous()) {
        x11::setDesktopHintsBeforeMap(windowHandle(), {});
        shell::setBlurBehind(windowHandle(), rect());
    }
    QWidget::showEvent(event);
}

void ControlPanelWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // The panel is shown at launch and then mostly sits closed: while hidden it
    // keeps no X window and no window-sized paint buffer (about 1 MB). Both are
    // made again by the next show; the widgets, and all they hold, stay. Not from
    // inside the event: the close that hides it is still being handled by that window.
    if (!event->spontaneous())
        QMetaObject::invokeMethod(this, &ControlPanelWindow::releaseWindowWhileHidden, Qt::QueuedConnection);
}

void ControlPanelWindow::releaseWindowWhileHidden()
{
    if (!isVisible() && testAttribute(Qt::WA_WState_Created)) {
        destroy();
        QPixmapCache::clear();  // the style's pieces of the panel's controls; the widgets keep none there
        // What the panel's showing freed lies between what stays: only a trim gives
        // those pages back (about 1.8 MB of the idle app's 43 MB), once per closing.
        ::malloc_trim(0);
    }
}

void ControlPanelWindow::closeEvent(QCloseEvent *event)
{
    // An accepted close lets Qt tear the window down its own way; hide instead,
    // which keeps this widget and its content for the next showing.
    event->ignore();
    hide();
}

// The backdrop behind the whole content: translucent where a compositor blends it.
void ControlPanelWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), panel::backdropColor(x11::CompositorWatch::instance().isRunning()));
}
