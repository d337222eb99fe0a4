#include "ControlPanelWindow.h"

#include "ScreenSpace.h"
#include "x11/X11Window.h"

#include <QVBoxLayout>
#include <QWindow>

ControlPanelWindow::ControlPanelWindow(ControlPanelCallbacks callbacks, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      m_callbacks(std::move(callbacks))
{
    setWindowTitle(kTitle);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setContentView(new QWidget);

    const shell::ScreenSpace space = shell::currentScreenSpace();
    const QRect frame = space.toQt(shell::controlPanelFrame(space.visible));
    setFixedSize(frame.size());
    setGeometry(frame);  // the content rectangle, not the frame the window manager adds

    winId();
    windowHandle()->installEventFilter(this);
    x11::setDesktopHintsBeforeMap(windowHandle(), {});
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

bool ControlPanelWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Each re-show maps the window anew and the window manager forgets the skip states.
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        const bool exposed = windowHandle()->isExposed();
        if (exposed && !m_exposed)
            x11::requestDesktopHints(windowHandle(), {});
        m_exposed = exposed;
    }
    return QWidget::eventFilter(watched, event);
}
