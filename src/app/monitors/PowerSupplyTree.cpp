#include "PowerSupplyTree.h"

#include "BatteryReportParsing.h"
#include "DirectoryListing.h"
#include "RegularFile.h"
#include "ValueBounds.h"

#include <QFile>

#include <cmath>

namespace {

constexpr qint64 kMaxAttributeBytes = 4096;

// One supply's directory, listed once so that only attributes that exist are opened.
class SupplyDirectory {
public:
    SupplyDirectory(int rootFd, const QString &name) : m_dir(rootFd, QFile::encodeName(name)) {}

    bool isOpen() const { return m_dir.isOpen(); }

    std::optional<QString> text(const char *attribute) const
    {
        if (!m_dir.names().contains(QLatin1String(attribute)))
            return std::nullopt;
        const FileRead file = readRegularFileAt(m_dir.fd(), attribute, kMaxAttributeBytes);
        return file.hasText() ? std::optional<QString>(QString::fromUtf8(file.bytes).trimmed()) : std::nullopt;
    }
    std::optional<int64_t> integer(const char *attribute) const
    {
        const std::optional<QString> value = text(attribute);
        bool ok = false;
        const qlonglong number = value ? value->toLongLong(&ok, 10) : 0;
        return ok ? std::optional<int64_t>(number) : std::nullopt;
    }
    std::optional<bool> flag(const char *attribute) const
    {
        const std::optional<int64_t> value = integer(attribute);
        return value ? std::optional<bool>(*value != 0) : std::nullopt;
    }

private:
    DirectoryListing m_dir;
};

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

// Several batteries: sum the stored energy rather than averaging percentages,
// so a small nearly empty battery does not halve the figure. Sums are doubles:
// two batteries reporting INT64_MAX would overflow any integer.
double combinedPercent(const QList<PowerSupply> &batteries)
{
    if (batteries.size() == 1 && batteries.front().capacity)
        return double(*batteries.front().capacity);
    auto weighted = [&](auto now, auto full) -> std::optional<double> {
        double sumNow = 0, sumFull = 0;
        for (const PowerSupply &b : batteries) {
            if (!(b.*now) || !(b.*full) || *(b.*now) < 0 || *(b.*full) < 0)
                return std::nullopt;
            sumNow += double(*(b.*now));
            sumFull += double(*(b.*full));
        }
        return sumFull > 0 ? std::optional<double>(100.0 * sumNow / sumFull) : std::nullopt;
    };
    if (auto p = weighted(&PowerSupply::energyNow, &PowerSupply::energyFull))
        return *p;
    if (auto p = weighted(&PowerSupply::chargeNow, &PowerSupply::chargeFull))
        return *p;
    double sum = 0;
    int count = 0;
    for (const PowerSupply &b : batteries)
        if (b.capacity) {
            sum += double(*b.capacity);
            ++count;
        }
    return count ? sum / count : 100.0;
}

PowerSupply readSupply(const QString &name, const SupplyDirectory &dir)
{
    PowerSupply s;
    s.name = name;
    s.type = dir.text("type").value_or(QString());
    s.scope = dir.text("scope").value_or(QString());
    s.status = dir.text("status").value_or(QString());
    s.modelName = bounds::displayName(dir.text("model_name").value_or(QString()));
    s.present = dir.flag("present");
    s.online = dir.flag("online");
    if (s.type == QLatin1String("Battery")) {
        s.capacity = dir.integer("capacity");
        s.energyNow = dir.integer("energy_now");
        s.energyFull = dir.integer("energy_full");
        s.chargeNow = dir.integer("charge_now");
        s.chargeFull = dir.integer("charge_full");
    }
    return s;
}

}  // namespace

QString defaultPowerSupplyRoot() { return QStringLiteral("/sys/class/power_supply"); }

QList<PowerSupply> readPowerSupplies(const QString &root)
{
    QList<PowerSupply> supplies;
    const DirectoryListing rootDir(-1, QFile::encodeName(root));
    QStringList names = rootDir.names();
    names.sort();
    for (const QString &name : std::as_const(names)) {
        const SupplyDirectory dir(rootDir.fd(), name);
        if (dir.isOpen())  // class entries are links to directories; anything else is not a supply
            supplies.append(readSupply(name, dir));
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
    return computerEntry(bounds::percentFromDouble(combinedPercent(batteries)).value_or(100),
                         externalOnline || batteryCharging);
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
