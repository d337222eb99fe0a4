#include "BatteryRingView.h"

#include "Colors.h"
#include "Fonts.h"

#include <QEasingCurve>
#include <QPainter>

#include <cmath>

using namespace pellix::ui;

namespace {

// The ease-in-out timing curve (0.42, 0, 0.58, 1).
QEasingCurve easeInOut()
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0), QPointF(0.58, 1), QPointF(1, 1));
    return curve;
}

}  // namespace

BatteryRingView::BatteryRingView(const BatteryDevice &device, bool isSmall, const QString &customName,
                                 QWidget *parent)
    : QWidget(parent),
      m_device(device),
      m_isSmall(isSmall),
      m_customName(customName),
      m_arcFraction(batteryArcFraction(device.percent))
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Presses fall through to the window, which drags the widget.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_animation.setDuration(kArcAnimationMs);
    m_animation.setEasingCurve(easeInOut());
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_arcFraction = value.toDouble();
        update();
    });
}

BatteryRingStyle BatteryRingView::style() const
{
    return m_isSmall ? smallRingStyle() : mediumRingStyle();
}

QRectF BatteryRingView::cell() const
{
    return QRectF(rect()).adjusted(0, kBleed, 0, -kBleed);
}

QList<BatteryRingLabel> BatteryRingView::labels() const
{
    if (m_isSmall)
        return {{m_customName, systemFont(11.5, Weight::Semibold), white()},
                {m_device.charging ? tr("In carica") : tr("Alimentazione"), systemFont(11, Weight::Regular),
                 white(0.55)}};
    return {{m_customName, systemFont(10, Weight::Bold), white(0.55)},
            {batteryPercentText(m_device.percent), systemFont(11, Weight::Semibold), white()}};
}

void BatteryRingView::setReading(const BatteryDevice &device, const QString &customName)
{
    if (device == m_device && customName == m_customName)
        return;
    const bool percentChanged = device.percent != m_device.percent;
    m_device = device;
    m_customName = customName;
    if (percentChanged) {
        m_animation.stop();
        m_animation.setStartValue(m_arcFraction);
        m_animation.setEndValue(batteryArcFraction(device.percent));
        m_animation.start();
    }
    update();
}

QSize BatteryRingView::sizeHint() const
{
    const BatteryRingStyle s = style();
    return QSize(int(std::ceil(s.ringSize + s.lineWidth)),
                 int(std::ceil(batteryRingCellHeight(s, labels()))) + 2 * kBleed);
}

QSize BatteryRingView::minimumSizeHint() const { return QSize(0, 0); }

void BatteryRingView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintBatteryRingCell(painter, cell(), style(), {m_device.percent, m_device.charging, m_device.type}, m_arcFraction,
                         labels());
}
