#include "SwitchButton.h"

#include "PanelStyle.h"

#include <QFocusEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace panel {

namespace {

constexpr double kWidth = 38;
constexpr double kHeight = 22;
constexpr double kKnobInset = 2;

}  // namespace

SwitchButton::SwitchButton(const QString &accessibleName, double scale, QWidget *parent)
    : QAbstractButton(parent), m_scale(scale)
{
    setCheckable(true);
    setAccessibleName(accessibleName);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

QSize SwitchButton::sizeHint() const
{
    // Room for the focus ring around the track.
    return QSize(qCeil(kWidth * m_scale) + 4, qCeil(kHeight * m_scale) + 4);
}

void SwitchButton::showChecked(bool on)
{
    const QSignalBlocker quiet(this);
    setChecked(on);
}

void SwitchButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track((width() - kWidth * m_scale) / 2, (height() - kHeight * m_scale) / 2, kWidth * m_scale,
                       kHeight * m_scale);
    const double radius = track.height() / 2;
    QColor fill = isChecked() ? accentBlue() : pellix::ui::white(0.16);
    if (!isEnabled())
        fill.setAlphaF(fill.alphaF() * 0.5f);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(track, radius, radius);

    const double knob = track.height() - 2 * kKnobInset * m_scale;
    const double x = isChecked() ? track.right() - kKnobInset * m_scale - knob : track.left() + kKnobInset * m_scale;
    const QRectF knobRect(x, track.top() + kKnobInset * m_scale, knob, knob);
    p.setBrush(pellix::ui::black(0.18));
    p.drawEllipse(knobRect.translated(0, 0.6));
    p.setBrush(Qt::white);
    p.drawEllipse(knobRect);

    if (hasFocus() && m_focusRing) {
        p.setBrush(Qt::NoBrush);
        QColor ring = accentBlue();
        ring.setAlphaF(0.6f);
        p.setPen(QPen(ring, 2));
        p.drawRoundedRect(track.adjusted(-1, -1, 1, 1), radius + 1, radius + 1);
    }
}

void SwitchButton::focusInEvent(QFocusEvent *event)
{
    m_focusRing = focusRingFor(event->reason());
    QAbstractButton::focusInEvent(event);
}

void SwitchButton::focusOutEvent(QFocusEvent *event)
{
    m_focusRing = false;
    QAbstractButton::focusOutEvent(event);
}

}  // namespace panel
