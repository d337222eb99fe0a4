#include "PowerSupplyTree.h"

#include "BatteryReportParsing.h"

#include <QDir>
#include <QFile>

#include <cmath>

namespace {

constexpr qint64 kMaxAttributeBytes = 4096;

std::optional<QString> readAttribute(const QString &dir, const char *attribute)
{
    QFile file(dir + QLatin1Char('/') + QLatin1String(attribute));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxAttributeBytes);
    return QString::fromUtf8(bytes).trimmed();
}

std::optional<int64_t> readInteger(const QString &dir, const char *attribute)
{
    const std::optional<QString> text = readAttribute(dir, attribute);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const qlonglong value = text->toLongLong(&ok, 10);
    return ok ? std::optional<int64_t>(value) : std::nullopt;
}

std::optional<bool> readFlag(const QString &dir, const char *attribute)
{
    const std::optional<int64_t> value = readInteger(dir, attribute);
    return value ? std::optional<bool>(*value != 0) : std::nullopt;
}

bool isComputerSupply(const PowerSupply &s) { return s.scope != QLatin1String("Device"); }

bool isComputerBattery(const PowerSupply &s)
{
    return s.type == QLatin1String("Battery") && isComputerSupply(s) && s.present.value_or(true);
}

// Mains, any USB flavour (USB_C, USB_PD, …), wireless chargers.
bool isExternalSupply(const PowerSupply &s)
{
    return isComputerSupply(s) && (s.type == QLatin1String("Mains") || s.type.startsWith(QLatin1String("USB")) ||
                                   s.type == QLatin1String("Wireless") || s.type == QLatin1String("BrickID"));
}

std::optional<int64_t> ratioPercent(int64_t now, int64_t full)
{
    if (full <= 0 || now < 0)
        return std::nullopt;
    return int64_t(std::llround(100.0 * double(now) / double(full)));
}

// Several batteries: sum the stored energy rather than averaging percentages,
// so a small nearly empty battery does not halve the figure.
int64_t combinedPercent(const QList<PowerSupply> &batteries)
{
    if (batteries.size() == 1 && batteries.front().capacity)
        return *batteries.front().capacity;
    auto weighted = [&](auto now, auto full) -> std::optional<int64_t> {
        int64_t sumNow = 0, sumFull = 0;
        for (const PowerSupply &b : batteries) {
            if (!(b.*now) || !(b.*full))
                return std::nullopt;
            sumNow += *(b.*now);
            sumFull += *(b.*full);
        }
        return ratioPercent(sumNow, sumFull);
    };
    if (auto p = weighted(&PowerSupply::energyNow, &PowerSupply::energyFull))
        return *p;
    if (auto p = weighted(&PowerSupply::chargeNow, &PowerSupply::chargeFull))
        return *p;
    int64_t sum = 0, count = 0;
    for (const PowerSupply &b : batteries)
        if (b.capacity) {
            sum += *b.capacity;
            ++count;
        }
    return count ? int64_t(std::llround(double(sum) / double(count))) : 100;
}

}  // namespace

QString defaultPowerSupplyRoot() { return QStringLiteral("/sys/class/power_supply"); }

QList<PowerSupply> readPowerSupplies(const QString &root)
{
    QList<PowerSupply> supplies;
    const QDir dir(root);
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        PowerSupply s;
        s.name = name;
        s.type = readAttribute(path, "type").value_or(QString());
        s.scope = readAttribute(path, "scope").value_or(QString());
        s.status = readAttribute(path, "status").value_or(QString());
        s.modelName = readAttribute(path, "model_name").value_or(QString());
        s.present = readFlag(path, "present");
        s.online = readFlag(path, "online");
        if (s.type == QLatin1String("Battery")) {
            s.capacity = readInteger(path, "capacity");
            s.energyNow = readInteger(path, "energy_now");
            s.energyFull = readInteger(path, "energy_full");
            s.chargeNow = readInteger(path, "charge_now");
            s.chargeFull = readInteger(path, "charge_full");
        }
        supplies.append(s);
    }
    return supplies;
}

namespace battery {

BatteryDevice computerEntryFromSupplies(const QList<PowerSupply> &supplies)
{
    QList<PowerSupply> batteries;
    bool anyExternal = false, externalOnline = false, batteryCharging = false;
    for (const PowerSupply &s : supplies) {
        if (isComputerBattery(s)) {
            batteries.append(s);
            batteryCharging |= s.status == QLatin1String("Charging");
        } else if (isExternalSupply(s)) {
            anyExternal = true;
            externalOnline |= s.online.value_or(false);
        }
    }
    if (batteries.isEmpty()) {
        // A desktop that reports no supply at all still runs from the mains.
        return computerEntry(100, externalOnline || !anyExternal);
    }
    return computerEntry(combinedPercent(batteries), externalOnline || batteryCharging);
}

QList<BatteryDevice> accessoriesFromSupplies(const QList<PowerSupply> &supplies)
{
    QList<BatteryDevice> devices;
    for (const PowerSupply &s : supplies) {
        if (s.type != QLatin1String("Battery") || isComputerSupply(s) || !s.present.value_or(true))
            continue;
        if (!s.capacity || s.modelName.isEmpty())
            continue;  // level-only devices ("Normal", "Low") give no percentage
        devices.append(accessoryEntry(s.modelName, *s.capacity, accessoryType(s.modelName)));
    }
    return devices;
}

}  // namespace battery
