#pragma once

// The small level meter of the now-playing widget: four bars that jump to new
// random heights (4 to 20 points) every 0.15 s while the meter is on screen.
// The bars do not follow the audio. Only the meter's own rectangle repaints.

#include <QColor>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>

class MusicVisualizer : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTickMs = 150;
    static constexpr double kMinBarHeight = 4, kMaxBarHeight = 20;
    static constexpr double kBarWidth = 3.5, kBarSpacing = 3.5, kBarRadius = 2;
    static constexpr int kBars = 4;

    explicit MusicVisualizer(const QColor &color, QWidget *parent = nullptr);

    static QSizeF barsSize();
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    const std::array<double, kBars> &heights() const { return m_heights; }
    bool isTicking() const { return m_timer.isActive(); }

    void tick();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    const QPixmap &barSprite();

    QColor m_color;
    QPixmap m_sprite;  // one full-height bar, re-made when the colour or pixel ratio changes
    std::array<double, kBars> m_heights{4, 4, 4, 4};
    QTimer m_timer;
};
