#include "PellixBatteryWidgetView.h"

#include "BatteryRing.h"
#include "BatteryRingView.h"
#include "Colors.h"
#include "Fonts.h"
#include "WidgetFrame.h"

#include <QCoreApplication>

namespace pellix::extension {

using namespace pellix::ui;

namespace {

constexpr double kRingSpacing = 12;

Block rings(const QList<BatteryDevice> &devices, double width)
{
    QList<BatteryRingView> views;
    QList<std::pair<double, double>> ranges;
    for (const BatteryDevice &device : devices) {
        views << BatteryRingView{device};
        ranges << std::pair{views.last().minimumWidth(), views.last().idealWidth()};
    }
    const QList<double> widths = shareWidths(ranges, width, kRingSpacing);
    QList<Block> blocks;
    for (qsizetype i = 0; i < views.size(); ++i)
        blocks << views[i].body(widths[i]);
    return hstack(blocks, kRingSpacing, VAlign::Center);
}

}  // namespace

QList<BatteryDevice> PellixBatteryWidgetView::ringDevices() const
{
    if (!entry.data || !entry.data->battery)
        return {};
    return entry.data->battery->mid(0, kMaxRings);
}

QString PellixBatteryWidgetView::accessibleText() const
{
    const QList<BatteryDevice> devices = ringDevices();
    if (devices.isEmpty())
        return QStringLiteral("MacBook, ") + QCoreApplication::translate("PellixBatteryWidgetView", "100% - Carica");
    QStringList sentences;
    for (const BatteryDevice &device : devices)
        sentences << QStringList{device.name, batteryPercentText(device.percent),
                                 device.charging ? QCoreApplication::translate("BatteryRingView", "In carica")
                                                 : QCoreApplication::translate("BatteryRingView", "Alimentazione")}
                         .join(QStringLiteral(", "));
    return sentences.join(QStringLiteral(". "));
}

Block PellixBatteryWidgetView::body(double width) const
{
    QList<Block> lines{textBlock(QCoreApplication::translate("PellixBatteryWidgetView", "STATO BATTERIA"),
                                 systemFont(9, Weight::Bold, 1), white(0.4), width, 2)};
    const QList<BatteryDevice> devices = ringDevices();
    if (!devices.isEmpty()) {
        lines << rings(devices, width);
    } else {
        lines << textBlock(QStringLiteral("MacBook"), systemFont(14, Weight::Semibold), white(), width)
              << textBlock(QCoreApplication::translate("PellixBatteryWidgetView", "100% - Carica"),
                           systemFont(11, Weight::Regular), systemGreen(), width);
    }
    return vstack(lines, 10, HAlign::Leading);
}

void PellixBatteryWidgetView::paint(QPainter &painter, const QRectF &rect) const
{
    paintInFrame(painter, rect, body(paddedArea(rect).width()), HAlign::Leading);
}

}  // namespace pellix::extension
