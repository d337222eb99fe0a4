#include "WidgetWindow.h"

#include "Shadow.h"
#include "WidgetHostingView.h"
#include "x11/DesktopStacking.h"
#include "x11/CompositorWatch.h"
#include "x11/X11Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

namespace {

constexpr x11::DesktopHints kWidgetHints{.allDesktops = true, .below = true, .desktopType = true};

}  // namespace

WidgetWindow::WidgetWindow(const QString &name, WidgetHostingView *contentView, const QRect &initialFrame,
                           bool isClickThrough)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnBottomHint),
      m_widgetName(name),
      m_contentView(contentView),
      m_clickThrough(isClickThrough)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(name);
    if (m_contentView)
        m_contentView->setParent(this);
    setFrame(initialFrame);

    winId();  // the native window must exist for the hints below, before the first map
    windowHandle()->installEventFilter(this);
    x11::setDesktopHintsBeforeMap(windowHandle(), kWidgetHints);
    x11::keepAboveOtherDesktops(windowHandle());
    connect(&x11::CompositorWatch::instance(), &x11::CompositorWatch::runningChanged, this, [this](bool running) {
        m_compositing = running;
        if (m_exposed)
            updateShape();
        update();
    });
    // On X11 click-through is switched on only once the window is exposed (see windowExposed).
    if (m_clickThrough && !x11::available())
        applyInputTransparency(true);
}

QRect WidgetWindow::frame() const
{
    return geometry().adjusted(kShadowMargin, kShadowMargin, -kShadowMargin, -kShadowMargin);
}

void WidgetWindow::setFrame(const QRect &frame)
{
    setGeometry(frame.adjusted(-kShadowMargin, -kShadowMargin, kShadowMargin, kShadowMargin));
}

QRect WidgetWindow::contentRect() const
{
    return rect().adjusted(kShadowMargin, kShadowMargin, -kShadowMargin, -kShadowMargin);
}

void WidgetWindow::setClickThrough(bool enabled)
{
    m_clickThrough = enabled;
    m_pressPos.reset();
    m_dragOffset.reset();
    if (m_exposed || !x11::available())
        applyInputTransparency(enabled);
}

void WidgetWindow::applyInputTransparency(bool on)
{
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowTransparentForInput, on);
    // Changing the widget's flags would re-create (withdraw and re-map) the
    // window; change the live QWindow and only tell QWidget about it.
    overrideWindowFlags(flags);
    if (windowHandle())
        windowHandle()->setFlags(flags);
    // Leaving transparency resets the input shape to the whole window; keep the margin out.
    if (!on)
        x11::setInputShape(windowHandle(), contentRect());
}

bool WidgetWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        const bool exposed = windowHandle()->isExposed();
        if (exposed && !m_exposed) {
            m_exposed = true;
            windowExposed();
        }
        m_exposed = exposed;
    }
    return QWidget::eventFilter(watched, event);
}

// Runs on every transition to exposed: after a withdraw and re-map openbox has
// dropped the desktop, stacking and skip states, and a window mapped while
// transparent for input gets its clicks taken by the window manager's frame.
void WidgetWindow::windowExposed()
{
    if (!x11::available())
        return;
    x11::requestDesktopHints(windowHandle(), kWidgetHints);
    m_compositing = x11::CompositorWatch::instance().isRunning();
    updateShape();
    x11::setBlurBehind(windowHandle(), contentRect());
    if (m_clickThrough) {
        applyInputTransparency(false);
        applyInputTransparency(true);
    } else {
        x11::setInputShape(windowHandle(), contentRect());
    }
}

// Without a compositor X11 ignores alpha: clip the window to the rounded glass
// so the corners stay clean (the shadow is lost, there is nothing to blend it with).
void WidgetWindow::updateShape()
{
    if (m_compositing) {
        clearMask();
        return;
    }
    QPainterPath glass;
    glass.addRoundedRect(QRectF(contentRect()), kCornerRadius, kCornerRadius);
    setMask(QRegion(glass.toFillPolygon().toPolygon()));
}

void WidgetWindow::resizeEvent(QResizeEvent *event)
{
    if (m_contentView)
        m_contentView->setGeometry(contentRect());
    if (m_exposed && x11::available()) {
        updateShape();
        x11::setBlurBehind(windowHandle(), contentRect());
        if (!m_clickThrough)
            x11::setInputShape(windowHandle(), contentRect());
    }
    QWidget::resizeEvent(event);
}

// Only switching the widget off closes it: a close request from the window manager
// or a pager would leave the manager holding a hidden window it cannot show again.
void WidgetWindow::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous())
        event->ignore();
}

// Only the exposed part: a clock tick repaints the few points its hands cover.
void WidgetWindow::paintEvent(QPaintEvent *event)
{
    if (!m_compositing || pellix::ui::windowShadowFreeArea(rect(), kCornerRadius, kShadowMargin).contains(event->rect()))
        return;
    QPainter p(this);
    pellix::ui::paintWindowShadowTiles(p, rect(), kCornerRadius, kShadowMargin, event->region());
}

void WidgetWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_clickThrough) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    m_pressPos = event->globalPosition().toPoint();
    m_pressOffset = event->position().toPoint();
}

// The drag starts on the first motion past the drag distance, so a click is not
// a move. The press gave us an implicit pointer grab: motions keep coming while
// the pointer is outside the window.
void WidgetWindow::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (m_pressPos && (event->buttons() & Qt::LeftButton) && !m_clickThrough) {
        if ((global - *m_pressPos).manhattanLength() < QApplication::startDragDistance())
            return;
        // From the press's own coordinates, not pos(): right after the map, on a
        // loaded machine, pos() can still be the window's place before the map.
        m_dragStart = *m_pressPos - m_pressOffset;
        m_dragOffset = m_pressOffset;
        m_pressPos.reset();
    }
    if (!m_dragOffset) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    move(global - *m_dragOffset);
}

void WidgetWindow::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressPos.reset();
    if (!m_dragOffset) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    // The drop point comes from the pointer: pos() may still hold a position
    // the X server reports for an earlier step of the drag.
    move(event->globalPosition().toPoint() - *m_dragOffset);
    m_dragOffset.reset();
    if (pos() != m_dragStart)
        emit didMove(this);
}
