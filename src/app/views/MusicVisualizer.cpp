#include "MusicVisualizer.h"

#include <QPainter>
#include <QRandomGenerator>

#include <cmath>

MusicVisualizer::MusicVisualizer(const QColor &color, QWidget *parent) : QWidget(parent), m_color(color)
{
    // Presses on the bars drag the widget like its background.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(sizeHint());
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &MusicVisualizer::tick);
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
    update();
}

void MusicVisualizer::tick()
{
    for (double &h : m_heights)
        h = kMinBarHeight + QRandomGenerator::global()->generateDouble() * (kMaxBarHeight - kMinBarHeight);
    update();
}

void MusicVisualizer::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_color);
    for (int i = 0; i < kBars; ++i) {
        const double h = m_heights[size_t(i)];
        p.drawRoundedRect(QRectF(i * (kBarWidth + kBarSpacing), kMaxBarHeight - h, kBarWidth, h), kBarRadius, kBarRadius);
    }
}

// Only a meter on screen moves: hidden (other size, nothing playing, widget
// off, window unmapped) it costs nothing.
void MusicVisualizer::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_timer.start();
}

void MusicVisualizer::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}
