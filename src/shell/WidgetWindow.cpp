#include "WidgetWindow.h"

#include "Shadow.h"
#include "WidgetHostingView.h"
#include "WidgetSurface.h"
#include "x11/CompositorWatch.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

#include <utility>

WidgetWindow::WidgetWindow(const QString &name, WidgetHostingView *contentView, const QRect &initialFrame,
                           bool isClickThrough)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnBottomHint),
      m_surface(createWidgetSurface(this, name)),
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
    m_surface->prepareBeforeMap();
    connect(&x11::CompositorWatch::instance(), &x11::CompositorWatch::runningChanged, this, [this](bool running) {
        m_compositing = running;
        if (m_exposed)
            updateShape();
        update();
    });
    if (m_clickThrough && !m_surface->clickThroughWaitsForMap())
        applyInputTransparency(true);
}

WidgetWindow::~WidgetWindow() = default;

QRect WidgetWindow::frame() const
{
    return m_surface->geometry().adjusted(kShadowMargin, kShadowMargin, -kShadowMargin, -kShadowMargin);
}

void WidgetWindow::setFrame(const QRect &frame)
{
    m_surface->setGeometry(frame.adjusted(-kShadowMargin, -kShadowMargin, kShadowMargin, kShadowMargin));
}

void WidgetWindow::moveTo(const QPoint &topLeft)
{
    m_surface->setGeometry(QRect(topLeft, size()));
}

QRect WidgetWindow::contentRect() const
{
    return rect().adjusted(kShadowMargin, kShadowMargin, -kShadowMargin, -kShadowMargin);
}

void WidgetWindow::setClickThrough(bool enabled)
{
    m_clickThrough = enabled;
    m_pressPoint.reset();
    m_dragging = false;
    if (m_exposed || !m_surface->clickThroughWaitsForMap())
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
        m_surface->setInputRegion(contentRect());
    update();  // a Wayland surface takes its new input region with the next commit
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

// Runs on every transition to exposed: a window manager may have dropped what
// it was told before, and a window mapped while transparent for input may have
// its clicks taken by the window manager's frame.
void WidgetWindow::windowExposed()
{
    if (!m_surface->reassertOnMap())
        return;
    m_compositing = x11::CompositorWatch::instance().isRunning();
    updateShape();
    m_surface->setBlurBehind(contentRect());
    if (m_clickThrough) {
        applyInputTransparency(false);
        applyInputTransparency(true);
    } else {
        m_surface->setInputRegion(contentRect());
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
    if (m_exposed) {
        updateShape();
        m_surface->setBlurBehind(contentRect());
        if (!m_clickThrough)
            m_surface->setInputRegion(contentRect());
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
    if (m_surface->mayHoldStalePixels()) {
        QPainter clear(this);
        clear.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect &r : event->region())
            clear.fillRect(r, Qt::transparent);
    }
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
    m_pressPoint = m_surface->dragPoint(*event);
    m_pressPlace = m_surface->positionAt(*event);
}

// The drag starts on the first motion past the drag distance, so a click is not
// a move. The press gave us an implicit pointer grab: motions keep coming while
// the pointer is outside the window. The place is always the one at the press
// plus the pointer's travel since: compositors that report motion relative to
// the surface as it was at the press make an incremental move run away.
void WidgetWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressPoint || !(event->buttons() & Qt::LeftButton) || m_clickThrough) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint travel = m_surface->dragPoint(*event) - *m_pressPoint;
    if (!m_dragging && travel.manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    m_surface->dragTo(m_pressPlace + travel);
}

void WidgetWindow::mouseReleaseEvent(QMouseEvent *event)
{
    const std::optional<QPoint> press = std::exchange(m_pressPoint, std::nullopt);
    if (!m_dragging || !press) {
        m_dragging = false;
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    // The drop point comes from the pointer: pos() may still hold a position
    // the X server reports for an earlier step of the drag.
    const QPoint dropped = m_pressPlace + (m_surface->dragPoint(*event) - *press);
    moveTo(dropped);
    if (dropped != m_pressPlace)
        emit didMove(this);
}
