#include "BatteryRingView.h"

#include "BatteryRing.h"
#include "Colors.h"
#include "Fonts.h"

#include <QFontMetricsF>

#include <algorithm>

namespace pellix::extension {

using namespace pellix::ui;

namespace {

QFont labelFont()
{
    return systemFont(9, Weight::Semibold);
}

}  // namespace

QString BatteryRingView::systemIconName(const QString &type)
{
    return batteryIconName(type);
}

double BatteryRingView::minimumWidth() const
{
    return extensionRingStyle().ringSize;
}

double BatteryRingView::idealWidth() const
{
    const QString name = device.name.left(kMaxTextLength);
    return std::max(minimumWidth(), QFontMetricsF(labelFont()).horizontalAdvance(name));
}

Block BatteryRingView::body(double width) const
{
    const BatteryRingStyle style = extensionRingStyle();
    const QString name = QFontMetricsF(labelFont()).elidedText(device.name.left(kMaxTextLength), Qt::ElideRight, width);
    const QList<BatteryRingLabel> labels{{name, labelFont(), white(0.6)}};
    const QSizeF size(width, batteryRingCellHeight(style, labels));
    const BatteryRingReading reading{device.percent, device.charging, device.type};
    auto draw = [style, reading, labels, size](QPainter &painter, const QPointF &at) {
        paintBatteryRingCell(painter, QRectF(at, size), style, reading, batteryArcFraction(reading.percent), labels);
    };
    QStringList contents{systemIconName(device.type)};
    if (device.charging)
        contents << QStringLiteral("bolt.fill");
    contents << name;
    return {size, draw, contents};
}

}  // namespace pellix::extension
