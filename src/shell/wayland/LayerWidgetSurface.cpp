#include "LayerWidgetSurface.h"

#include "SurfaceBlur.h"
#include "shell/LayerPlacement.h"

#include <LayerShellQt/Window>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace wayland {

LayerWidgetSurface::LayerWidgetSurface(QWidget *window, const QString &name)
    : m_window(window), m_scope(QStringLiteral("pellix-") + name)
{
}

void LayerWidgetSurface::prepareBeforeMap()
{
    m_layer = LayerShellQt::Window::get(m_window->windowHandle());
    if (!m_layer)
        return;
    m_layer->setLayer(LayerShellQt::Window::LayerBottom);
    m_layer->setKeyboardInteractivity(LayerShellQt::Window::KeyboardInteractivityNone);
    m_layer->setScope(m_scope);
    m_layer->setAnchors(LayerShellQt::Window::Anchors(LayerShellQt::Window::AnchorTop)
                        | LayerShellQt::Window::AnchorLeft);
    // Margins from the output's edge: the places the app computes are in output coordinates.
    m_layer->setExclusiveZone(-1);
    m_layer->setScreenConfiguration(LayerShellQt::Window::ScreenFromQWindow);
    applyMargins();
}

// Only the content takes the pointer; the shadow margin lets it through.
void LayerWidgetSurface::setInputRegion(const QRect &content)
{
    m_window->windowHandle()->setMask(QRegion(content));
}

// Asked on every exposure and resize. KWindowEffects sends the region again to
// each new surface of the window itself: only a changed rectangle goes out.
void LayerWidgetSurface::setBlurBehind(const QRect &content)
{
    if (content == m_blur)
        return;
    m_blur = content;
    wayland::setBlurBehind(m_window->windowHandle(), content);
}

void LayerWidgetSurface::setGeometry(const QRect &geometry)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    std::vector<QRect> outputs;
    for (const QScreen *s : screens)
        outputs.push_back(s->geometry());
    const shell::LayerPlace place = shell::layerPlaceOf(geometry, outputs);
    m_geometry = geometry;
    if (geometry.size() != m_window->size())
        m_window->resize(geometry.size());
    QScreen *output = place.output >= 0 ? screens[place.output] : nullptr;
    if (output && output != m_output) {
        m_output = output;
        m_window->setScreen(output);
        if (m_layer && m_window->isVisible()) {
            m_window->hide();
            applyMargins();
            m_window->show();
            return;
        }
    }
    applyMargins();
}

// Stays on its output while the pointer travels: re-creating the surface
// mid-drag would end the drag. The drop moves it to the output holding most of it.
void LayerWidgetSurface::dragTo(const QPoint &topLeft)
{
    m_geometry.moveTopLeft(topLeft);
    applyMargins();
}

void LayerWidgetSurface::applyMargins()
{
    if (!m_layer)
        return;
    const QPoint origin = m_output ? m_output->geometry().topLeft() : QPoint();
    const QPoint margins = m_geometry.topLeft() - origin;
    m_layer->setMargins(QMargins(margins.x(), margins.y(), 0, 0));
    // Margins go out with the next commit.
    m_window->update();
}

// Qt's global position on Wayland is the surface-local one.
QPoint LayerWidgetSurface::dragPoint(const QMouseEvent &event) const
{
    return event.position().toPoint();
}

}  // namespace wayland
