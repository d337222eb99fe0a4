#pragma once

// What the System widget shows, read from /proc and statvfs(3).

#include <QByteArray>
#include <QString>

#include <optional>

struct SystemReadings {
    double cpuPercent = 0;  // busy share of all CPUs over the sampling interval
    qint64 memoryUsed = 0;  // bytes: MemTotal - MemAvailable
    qint64 memoryTotal = 0;
    qint64 diskUsed = 0;  // bytes of the home folder's file system, as df counts them
    qint64 diskTotal = 0;  // used + available to the user
    qint64 uptimeSeconds = 0;
};

// The parts of /proc these come from, taken apart (nothing on a malformed text).
struct CpuTimes {
    qint64 busy = 0;
    qint64 total = 0;
};
std::optional<CpuTimes> parseCpuTimes(const QByteArray &procStat);
std::optional<std::pair<qint64, qint64>> parseMemory(const QByteArray &procMeminfo);  // used, total
std::optional<qint64> parseUptime(const QByteArray &procUptime);

// Samples the CPU twice `intervalMs` apart: it blocks, call it off the GUI thread.
// Nothing when /proc or the file system cannot be read.
std::optional<SystemReadings> readSystem(const QString &homePath, int intervalMs);
