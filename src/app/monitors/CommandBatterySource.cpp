#include "CommandBatterySource.h"

#include "BatteryReportParsing.h"
#include "PellixLogging.h"
#include "ValueBounds.h"

#include <QSysInfo>

CommandBatterySource::CommandBatterySource(QString scutilPath, BoundedProcessLimits limits)
    : m_scutilPath(std::move(scutilPath)), m_limits(limits)
{
    m_limits.diagnostics = &lcBattery();
}

QString CommandBatterySource::shell(const QString &commandLine) const
{
    const std::optional<QByteArray> bytes = runBoundedProcess(
        QStringLiteral("/bin/zsh"), {QStringLiteral("-c"), commandLine}, ProcessOutput::MergedChannels, m_limits);
    return bytes ? battery::decodeUtf8OrEmpty(*bytes) : QString();
}

QList<BatteryDevice> CommandBatterySource::getBatteryDevices() const
{
    QList<BatteryDevice> devices{battery::computerEntryFromPowerReport(shell(QStringLiteral("pmset -g batt")))};
    devices += battery::accessoriesFromRegistry(shell(QStringLiteral("ioreg -r -d 1 -k \"BatteryPercent\"")));
    return devices;
}

QString CommandBatterySource::getComputerName() const
{
    const std::optional<QByteArray> bytes = runBoundedProcess(
        m_scutilPath, {QStringLiteral("--get"), QStringLiteral("ComputerName")}, ProcessOutput::StdoutOnly, m_limits);
    if (bytes) {
        const QString name = bounds::displayName(battery::decodeUtf8OrEmpty(*bytes).trimmed()).trimmed();
        if (!name.isEmpty())
            return name;
    }
    return hostNameOrDefault();
}

QString hostNameOrDefault()
{
    const QString host = bounds::displayName(QSysInfo::machineHostName());
    return host.isEmpty() ? QStringLiteral("MacBook") : host;
}
