#include "LinuxBatterySource.h"

#include "BatteryReportParsing.h"
#include "CommandBatterySource.h"
#include "PowerSupplyTree.h"
#include "RegularFile.h"
#include "UPowerDeviceCache.h"
#include "ValueBounds.h"

LinuxBatterySource::LinuxBatterySource(QString powerSupplyRoot, UPowerDeviceCache *upower, QString machineInfoPath)
    : m_powerSupplyRoot(std::move(powerSupplyRoot)), m_upower(upower), m_machineInfoPath(std::move(machineInfoPath))
{
}

QList<BatteryDevice> LinuxBatterySource::getBatteryDevices() const
{
    const QList<PowerSupply> supplies = readPowerSupplies(m_powerSupplyRoot);
    QList<BatteryDevice> devices{battery::computerEntryFromSupplies(supplies)};
    if (std::optional<QList<BatteryDevice>> accessories = m_upower ? m_upower->accessories() : std::nullopt)
        devices += *accessories;
    else
        devices += battery::accessoriesFromSupplies(supplies);
    return devices;
}

QString LinuxBatterySource::getComputerName() const
{
    if (const FileRead info = readRegularFile(m_machineInfoPath, 64 * 1024); info.hasText()) {
        const QString pretty = bounds::displayName(battery::prettyHostName(QString::fromUtf8(info.bytes))).trimmed();
        if (!pretty.isEmpty())
            return pretty;
    }
    return hostNameOrDefault();
}

namespace battery {

namespace {

// Shell-style value: "double quoted" with backslash escapes, 'single quoted', or bare.
QString unquoted(const QString &raw)
{
    if (raw.size() >= 2 && raw.front() == QLatin1Char('\'') && raw.back() == QLatin1Char('\''))
        return raw.mid(1, raw.size() - 2);
    if (raw.size() >= 2 && raw.front() == QLatin1Char('"') && raw.back() == QLatin1Char('"')) {
        QString value;
        const QString inner = raw.mid(1, raw.size() - 2);
        for (qsizetype i = 0; i < inner.size(); ++i) {
            if (inner[i] == QLatin1Char('\\') && i + 1 < inner.size())
                ++i;
            value += inner[i];
        }
        return value;
    }
    return raw;
}

}  // namespace

QString prettyHostName(const QString &machineInfo)
{
    QString name;
    for (const QString &line : machineInfo.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("PRETTY_HOSTNAME=")))
            name = unquoted(trimmed.mid(int(qstrlen("PRETTY_HOSTNAME="))));  // the last assignment wins
    }
    return name.trimmed();
}

}  // namespace battery
