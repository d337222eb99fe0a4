#include "SystemReadings.h"

#include <QFile>
#include <QList>
#include <QThread>

#include <sys/statvfs.h>

namespace {

QByteArray readProc(const char *path)
{
    QFile file(QString::fromLatin1(path));
    // /proc files report size 0: read until the end.
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

std::optional<CpuTimes> parseCpuTimes(const QByteArray &procStat)
{
    // "cpu  user nice system idle iowait irq softirq steal ...", all CPUs together.
    const QByteArray line = procStat.left(procStat.indexOf('\n'));
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() < 5 || fields.first() != "cpu")
        return std::nullopt;
    CpuTimes times;
    for (int i = 1; i < fields.size() && i <= 8; ++i) {
        bool ok = false;
        const qint64 value = fields[i].toLongLong(&ok);
        if (!ok || value < 0)
            return std::nullopt;
        times.total += value;
        if (i != 4 && i != 5)  // idle and iowait are not busy
            times.busy += value;
    }
    return times;
}

std::optional<std::pair<qint64, qint64>> parseMemory(const QByteArray &procMeminfo)
{
    qint64 total = -1;
    qint64 available = -1;
    for (const QByteArray &line : procMeminfo.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        bool ok = false;
        const qint64 kib = fields[1].toLongLong(&ok);
        if (!ok || kib < 0)
            continue;
        if (fields[0] == "MemTotal:")
            total = kib * 1024;
        else if (fields[0] == "MemAvailable:")
            available = kib * 1024;
    }
    if (total <= 0 || available < 0 || available > total)
        return std::nullopt;
    return std::pair{total - available, total};
}

std::optional<qint64> parseUptime(const QByteArray &procUptime)
{
    bool ok = false;
    const double seconds = procUptime.simplified().split(' ').value(0).toDouble(&ok);
    if (!ok || seconds < 0 || seconds > 1e12)
        return std::nullopt;
    return qint64(seconds);
}

std::optional<SystemReadings> readSystem(const QString &homePath, int intervalMs)
{
    const auto before = parseCpuTimes(readProc("/proc/stat"));
    QThread::msleep(ulong(intervalMs));
    const auto after = parseCpuTimes(readProc("/proc/stat"));
    const auto memory = parseMemory(readProc("/proc/meminfo"));
    const auto uptime = parseUptime(readProc("/proc/uptime"));
    struct statvfs disk;
    if (!before || !after || !memory || !uptime || statvfs(QFile::encodeName(homePath).constData(), &disk) != 0)
        return std::nullopt;

    SystemReadings readings;
    const qint64 total = after->total - before->total;
    readings.cpuPercent = total > 0 ? 100.0 * double(after->busy - before->busy) / double(total) : 0;
    readings.memoryUsed = memory->first;
    readings.memoryTotal = memory->second;
    const auto block = qint64(disk.f_frsize);
    readings.diskUsed = qint64(disk.f_blocks - disk.f_bfree) * block;
    readings.diskTotal = readings.diskUsed + qint64(disk.f_bavail) * block;
    readings.uptimeSeconds = *uptime;
    return readings;
}
