#include "BatteryWidgetLayout.h"

#include "Colors.h"

#include <QHash>

QString batteryCategory(const QString &type)
{
    if (type == QLatin1String("macbook") || type == QLatin1String("watch") || type == QLatin1String("airpods"))
        return type;
    return QStringLiteral("mouse");
}

QColor batteryGlowColor(const QList<BatteryDevice> &devices)
{
    for (const BatteryDevice &d : devices) {
        if (d.type != QLatin1String("macbook"))
            continue;
        if (d.percent < 20)
            return d.charging ? pellix::ui::systemOrange() : pellix::ui::systemRed();
        return pellix::ui::systemGreen();
    }
    return pellix::ui::clear();
}

QList<BatteryRingSpec> batteryRings(const QList<BatteryDevice> &devices, const QString &size,
                                    const QStringList &visibleCategories, const QString &computerName)
{
    QList<BatteryRingSpec> rings;
    if (size == QLatin1String("small")) {
        for (const BatteryDevice &d : devices)
            if (d.type == QLatin1String("macbook"))
                return {BatteryRingSpec{d.id, d, true, computerName}};
        return rings;
    }
    // Two accessories of one name share an id; number the repeats so both are drawn.
    QHash<QString, int> seen;
    for (const BatteryDevice &d : devices) {
        if (rings.size() == kMaxMediumRings)
            break;
        if (!visibleCategories.contains(batteryCategory(d.type)))
            continue;
        const int repeat = seen[d.id]++;
        const QString key = repeat ? d.id + QLatin1Char('#') + QString::number(repeat) : d.id;
        const QString label = d.type == QLatin1String("macbook") ? computerName : d.name;
        rings.append(BatteryRingSpec{key, d, false, label});
    }
    return rings;
}
