#include "BatteryRingView.h"

#include "BatteryRing.h"
#include "Colors.h"
#include "Fonts.h"
#include "Symbols.h"

#include <QEasingCurve>
#include <QFontMetricsF>
#include <QPainter>

using namespace pellix::ui;

namespace {

constexpr double kLabelSpacing = 2;

struct RingLabels {
    QFont nameFont, detailFont;
    QColor nameColor, detailColor;
};

RingLabels labels(bool isSmall)
{
    if (isSmall)
        return {systemFont(11.5, Weight::Semibold), systemFont(11, Weight::Regular), white(), white(0.55)};
    return {systemFont(10, Weight::Bold), systemFont(11, Weight::Semibold), white(0.55), white()};
}

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
        QWidget::update();
    });
}

BatteryRingMetrics BatteryRingView::metrics(bool isSmall)
{
    if (isSmall)
        return {10, 96, 7.5, 11, 20};
    return {4, 44, 5, 10, 12};
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
    QWidget::update();
}

double BatteryRingView::contentHeight() const
{
    const RingLabels l = labels(m_isSmall);
    const BatteryRingMetrics m = metrics(m_isSmall);
    return m.ringSize + m.spacing + QFontMetricsF(l.nameFont).height() + kLabelSpacing +
           QFontMetricsF(l.detailFont).height();
}

QSize BatteryRingView::sizeHint() const
{
    const BatteryRingMetrics m = metrics(m_isSmall);
    return QSize(int(std::ceil(m.ringSize + m.lineWidth)), int(std::ceil(contentHeight())));
}

QSize BatteryRingView::minimumSizeHint() const { return QSize(0, 0); }

void BatteryRingView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const BatteryRingMetrics m = metrics(m_isSmall);
    const RingLabels l = labels(m_isSmall);
    const double top = (height() - contentHeight()) / 2;
    const QPointF centre(width() / 2.0, top + m.ringSize / 2);

    drawBatteryRing(painter, centre, m.ringSize, m.lineWidth, m_arcFraction, batteryLevelColor(m_device.percent));
    const QRectF ringArea(centre.x() - m.ringSize / 2, top, m.ringSize, m.ringSize);
    if (m_isSmall) {
        painter.setFont(systemFont(21, Weight::Bold));
        painter.setPen(white());
        painter.drawText(ringArea, Qt::AlignCenter, batteryPercentText(m_device.percent));
    } else {
        drawSymbol(painter, ringArea, batteryIconName(m_device.type), 14 * kRingSymbolScale, white());
    }
    if (m_device.charging)
        drawChargingBolt(painter, centre, m.boltSize, QPointF(m.boltOffset, m.boltOffset));

    // One line each; a name too long for the ring's width ends in an ellipsis.
    const QFontMetricsF nameMetrics(l.nameFont);
    const double nameTop = top + m.ringSize + m.spacing;
    const QRectF nameRect(0, nameTop, width(), nameMetrics.height());
    painter.setFont(l.nameFont);
    painter.setPen(l.nameColor);
    painter.drawText(nameRect, Qt::AlignHCenter | Qt::AlignTop,
                     nameMetrics.elidedText(m_customName, Qt::ElideRight, width()));

    const QString detail = m_isSmall ? QString::fromUtf8(m_device.charging ? "In carica" : "Alimentazione")
                                     : batteryPercentText(m_device.percent);
    const QRectF detailRect(0, nameRect.bottom() + kLabelSpacing, width(), QFontMetricsF(l.detailFont).height());
    painter.setFont(l.detailFont);
    painter.setPen(l.detailColor);
    painter.drawText(detailRect, Qt::AlignHCenter | Qt::AlignTop, detail);
}
