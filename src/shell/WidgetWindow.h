#pragma once

#include <QPoint>
#include <QWidget>

#include <memory>
#include <optional>

class WidgetHostingView;
class WidgetSurface;

// One desktop widget's window: frameless, translucent, never focused, below
// normal windows and above the desktop, on every desktop, out of the taskbar,
// pager and window cycling, still shown while the desktop is shown; dragged by
// any point of its background unless it is click-through. A transparent margin
// around the content carries a soft shadow.
//
// The window drags itself: window managers do not move desktop-type windows,
// and it keeps the user's moves apart from the moves a window manager makes on
// its own (placement, keeping windows on screen), which are never reported.
class WidgetWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kShadowMargin = 10;
    static constexpr qreal kCornerRadius = 28;

    // `initialFrame` is the content rectangle in Qt's global coordinates.
    WidgetWindow(const QString &name, WidgetHostingView *contentView, const QRect &initialFrame,
                 bool isClickThrough);
    ~WidgetWindow() override;

    QString widgetName() const { return m_widgetName; }
    WidgetHostingView *contentView() const { return m_contentView; }
    void setClickThrough(bool enabled);
    bool ignoresMouseEvents() const { return m_clickThrough; }

    // The content rectangle (without the shadow margin), Qt global coordinates.
    QRect frame() const;
    void setFrame(const QRect &frame);

signals:
    // The user dropped the window at a new place (once, on release).
    void didMove(WidgetWindow *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void windowExposed();
    void applyInputTransparency(bool on);
    void updateShape();
    void moveTo(const QPoint &topLeft);
    QRect contentRect() const;  // window coordinates

    std::unique_ptr<WidgetSurface> m_surface;
    QString m_widgetName;
    WidgetHostingView *m_contentView;
    bool m_clickThrough;
    bool m_exposed = false;
    bool m_compositing = true;
    std::optional<QPoint> m_pressPoint;  // left button down (the surface's drag space), no drag yet
    QPoint m_pressPlace;                 // the window's position at the press
    bool m_dragging = false;
};
