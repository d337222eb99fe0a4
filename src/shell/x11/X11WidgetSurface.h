#pragma once

#include "shell/WidgetSurface.h"

class QWidget;

namespace x11 {

// A desktop-type X11 window kept below normal windows, on every desktop and
// above other desktop windows; the window manager never moves it, the app does.
class X11WidgetSurface : public WidgetSurface {
public:
    explicit X11WidgetSurface(QWidget *window) : m_window(window) {}

    void prepareBeforeMap() override;
    bool clickThroughWaitsForMap() const override;
    bool reassertOnMap() override;
    void setInputRegion(const QRect &content) override;
    void setBlurBehind(const QRect &content) override;
    QRect geometry() const override;
    void setGeometry(const QRect &geometry) override;
    QPoint dragPoint(const QMouseEvent &event) const override;
    QPoint positionAt(const QMouseEvent &event) const override;

private:
    QWidget *m_window;
};

}  // namespace x11
