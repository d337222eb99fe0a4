#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

#include <optional>

class WidgetHostingView;

// One desktop widget's window: frameless, translucent, never focused, below
// normal windows and above the desktop, on every desktop, out of the taskbar,
// pager and window cycling; dragged by any point of its background unless it
// is click-through. A transparent margin around the content carries a soft shadow.
class WidgetWindow : public QWidget {
    Q_OBJECT

public:
    // Below the snap distance: openbox's edge resistance stops the window (margin
    // included) at a screen edge, and the content must still be close enough to snap.
    static constexpr int kShadowMargin = 10;
    static constexpr qreal kCornerRadius = 28;

    // `initialFrame` is the content rectangle in Qt's global coordinates.
    WidgetWindow(const QString &name, WidgetHostingView *contentView, const QRect &initialFrame,
                 bool isClickThrough);

    QString widgetName() const { return m_widgetName; }
    WidgetHostingView *contentView() const { return m_contentView; }
    void setClickThrough(bool enabled);
    bool ignoresMouseEvents() const { return m_clickThrough; }

    // The content rectangle (without the shadow margin), Qt global coordinates.
    QRect frame() const;
    void setFrame(const QRect &frame);

signals:
    void didMove(WidgetWindow *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void windowExposed();
    void reportMove();
    void applyInputTransparency(bool on);
    void updateShape();
    QRect contentRect() const;  // window coordinates
    const QPixmap &shadow();

    QString m_widgetName;
    WidgetHostingView *m_contentView;
    bool m_clickThrough;
    bool m_exposed = false;
    bool m_compositing = true;
    std::optional<QPoint> m_pressPos;    // left button down, no drag yet
    std::optional<QPoint> m_dragOffset;  // manual drag in progress (no window manager took it)
    QPoint m_reportedPos;  // where the last didMove (or the initial placement) put the window
    QPixmap m_shadow;
};
