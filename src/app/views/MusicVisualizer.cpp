#include "MusicVisualizer.h"

#include "monitors/SessionSight.h"

#include <QEasingCurve>
#include <QPainter>
#include <QRandomGenerator>

#include <cmath>

double easedBarHeight(double from, double to, double progress)
{
    static const QEasingCurve curve = [] {
        QEasingCurve c(QEasingCurve::BezierSpline);
        c.addCubicBezierSegment(QPointF(0.42, 0), QPointF(0.58, 1), QPointF(1, 1));
        return c;
    }();
    return from + (to - from) * curve.valueForProgress(qBound(0.0, progress, 1.0));
}

MusicVisualizer::MusicVisualizer(const QColor &color, QWidget *parent) : QWidget(parent), m_color(color)
{
    // Presses on the bars drag the widget like its background.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(sizeHint());
    m_timer.setInterval(kFrameMs);
    connect(&m_timer, &QTimer::timeout, this, &MusicVisualizer::frame);
    SessionSight::shared().follow(this, [this](bool) { followScreen(); });
}

QSizeF MusicVisualizer::barsSize() { return {kBars * kBarWidth + (kBars - 1) * kBarSpacing, kMaxBarHeight}; }

QSize MusicVisualizer::sizeHint() const
{
    const QSizeF s = barsSize();
    return {int(std::ceil(s.width())), int(std::ceil(s.height()))};
}

void MusicVisualizer::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    m_sprite = QPixmap();
    update();
}

void MusicVisualizer::newTargets()
{
    m_from = m_heights;
    for (double &h : m_to)
        h = kMinBarHeight + QRandomGenerator::global()->generateDouble() * (kMaxBarHeight - kMinBarHeight);
}

// The moves keep their 0.15 s whatever the frames' jitter: a new one starts
// where the last should have ended, unless the meter was away far longer.
void MusicVisualizer::frame()
{
    if (!m_clock.isValid())
        m_clock.start();
    const qint64 now = m_clock.elapsed();
    if (now - m_moveStart >= kTickMs) {
        m_heights = m_to;
        newTargets();
        m_moveStart = now - m_moveStart < 2 * kTickMs ? m_moveStart + kTickMs : now;
    }
    const double progress = double(now - m_moveStart) / kTickMs;
    for (size_t i = 0; i < m_heights.size(); ++i)
        m_heights[i] = easedBarHeight(m_from[i], m_to[i], progress);
    update();
}

const QPixmap &MusicVisualizer::barSprite()
{
    const qreal ratio = devicePixelRatioF();
    if (!m_sprite.isNull() && m_sprite.devicePixelRatio() == ratio)
        return m_sprite;
    m_sprite = QPixmap(QSizeF(kBarWidth * ratio, kMaxBarHeight * ratio).toSize() + QSize(1, 0));
    m_sprite.setDevicePixelRatio(ratio);
    m_sprite.fill(Qt::transparent);
    QPainter p(&m_sprite);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_color);
    p.drawRoundedRect(QRectF(0, 0, kBarWidth, kMaxBarHeight), kBarRadius, kBarRadius);
    return m_sprite;
}

// Antialiased rounded rectangles cost far more than the blits of a cached bar:
// a bar of height h is the sprite's top half-h over its bottom half-h, so both
// rounded ends stay whole (h is never below twice the corner radius).
void MusicVisualizer::paintEvent(QPaintEvent *)
{
    const QPixmap &sprite = barSprite();
    const qreal ratio = sprite.devicePixelRatio();
    const int full = sprite.height();
    QPainter p(this);
    for (int i = 0; i < kBars; ++i) {
        const int h = qBound(1, qRound(m_heights[size_t(i)] * ratio), full);
        const int top = h / 2, bottom = h - top;
        const double x = i * (kBarWidth + kBarSpacing);
        p.drawPixmap(QRectF(x, (full - h) / ratio, sprite.width() / ratio, top / ratio), sprite,
                     QRectF(0, 0, sprite.width(), top));
        p.drawPixmap(QRectF(x, (full - bottom) / ratio, sprite.width() / ratio, bottom / ratio), sprite,
                     QRectF(0, full - bottom, sprite.width(), bottom));
    }
}

// Only a meter on screen moves: hidden (other size, nothing playing, widget
// off, window unmapped) or unseen (session locked) it costs nothing.
void MusicVisualizer::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    followScreen();
}

void MusicVisualizer::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    followScreen();
}

void MusicVisualizer::followScreen()
{
    if (!isVisible() || !SessionSight::shared().sees(this)) {
        m_timer.stop();
    } else if (!m_timer.isActive()) {
        m_moveStart = -kTickMs;  // a new move at the first frame
        m_timer.start();
    }
}
