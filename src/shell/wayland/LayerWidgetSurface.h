#pragma once

#include "shell/WidgetSurface.h"

#include <QPointer>

namespace LayerShellQt {
class Window;
}

class QScreen;

namespace wayland {

// A layer-shell surface on the bottom layer (under normal windows, above the
// wallpaper; KWin keeps the background layer with Plasma's own desktop, which
// covers it), anchored to its output's top-left corner and placed by margins.
// The compositor never moves it and offers no move: the app changes the margins.
// An output is fixed when the surface is created, so changing output re-creates it.
class LayerWidgetSurface : public WidgetSurface {
public:
    LayerWidgetSurface(QWidget *window, const QString &name);

    void prepareBeforeMap() override;
    bool clickThroughWaitsForMap() const override { return false; }
    bool reassertOnMap() override { return true; }
    void setInputRegion(const QRect &content) override;
    void setBlurBehind(const QRect &content) override;
    // Seen with Qt 6.8 under sway: a repaint can start from the last frame's
    // pixels (the weather's "AGGIORNAMENTO…" stayed under "ERRORE DI RETE").
    bool mayHoldStalePixels() const override { return true; }
    QRect geometry() const override { return m_geometry; }
    void setGeometry(const QRect &geometry) override;
    void dragTo(const QPoint &topLeft) override;
    QPoint dragPoint(const QMouseEvent &event) const override;
    QPoint positionAt(const QMouseEvent &) const override { return m_geometry.topLeft(); }

private:
    void applyMargins();

    QWidget *m_window;
    QString m_scope;
    QRect m_geometry;
    QRect m_blur;
    QPointer<QScreen> m_output;
    LayerShellQt::Window *m_layer = nullptr;
};

}  // namespace wayland
