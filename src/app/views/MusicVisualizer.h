#pragma once

// The small level meter of the now-playing widget: four bars that take new
// random heights (4 to 20 points) every 0.15 s and ease to them (ease-in-out,
// 0.15 s), drawn at kFrameMs frames while the meter is on screen. The bars do
// not follow the audio. Only the meter's own rectangle repaints.

#include <QColor>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>

// The height `progress` (0 to 1) of the way from `from` to `to` along the
// ease-in-out curve, cubic-bezier(0.42, 0, 0.58, 1).
double easedBarHeight(double from, double to, double progress);

class MusicVisualizer : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTickMs = 150;
    // 30 frames a second: five steps per move look smooth on bars this small,
    // at half the frames of a 60 Hz display.
    static constexpr int kFrameMs = 33;
    static constexpr double kMinBarHeight = 4, kMaxBarHeight = 20;
    static constexpr double kBarWidth = 3.5, kBarSpacing = 3.5, kBarRadius = 2;
    static constexpr int kBars = 4;

    explicit MusicVisualizer(const QColor &color, QWidget *parent = nullptr);

    static QSizeF barsSize();
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    // The heights drawn now, on their way to targets().
    const std::array<double, kBars> &heights() const { return m_heights; }
    const std::array<double, kBars> &targets() const { return m_to; }
    bool isTicking() const { return m_timer.isActive(); }

    // One frame: the bars as far along as the clock says; every kTickMs, new targets.
    void frame();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    const QPixmap &barSprite();
    void newTargets();
    void followScreen();

    QColor m_color;
    QPixmap m_sprite;  // one full-height bar, re-made when the colour or pixel ratio changes
    std::array<double, kBars> m_heights{4, 4, 4, 4};
    std::array<double, kBars> m_from{4, 4, 4, 4};
    std::array<double, kBars> m_to{4, 4, 4, 4};
    QElapsedTimer m_clock;
    qint64 m_moveStart = -kTickMs;  // on m_clock, when the bars left m_from for m_to
    QTimer m_timer;
};
