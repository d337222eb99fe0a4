// battery-bench [ROUNDS]
// Times one getBatteryDevices() of each source, ROUNDS times (default 200 for
// the Linux source, a quarter of that for the commands), and prints median,
// 90th percentile and minimum in milliseconds, with the CPU time per call.
//   linux:    fake sysfs tree + python3-dbusmock's UPower (4 devices + AC) on a
//             private bus started here
//   sysfs:    the same tree, no UPower on the bus
//   commands: fake pmset and ioreg (sh scripts printing fixed text) through zsh
#include "FakePowerSupplyTree.h"
#include "UPowerPeer.h"
#include "monitors/CommandBatterySource.h"
#include "monitors/LinuxBatterySource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double cpuMs()
{
    // Our own time plus that of reaped children (the shells and tools).
    rusage self{}, children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(self.ru_utime) + ms(self.ru_stime) + ms(children.ru_utime) + ms(children.ru_stime);
}

void measure(const char *label, int rounds, const std::function<qsizetype()> &call)
{
    call();  // warm-up: first connection, page cache
    std::vector<double> times;
    const double cpu0 = cpuMs();
    qsizetype devices = 0;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        devices = call();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    const double cpuPerCall = (cpuMs() - cpu0) / rounds;
    std::sort(times.begin(), times.end());
    std::printf("%-9s rounds=%d devices=%lld median=%.3f ms p90=%.3f ms min=%.3f ms cpu/call=%.3f ms\n", label,
                rounds, static_cast<long long>(devices), times[times.size() / 2], times[times.size() * 9 / 10],
                times.front(), cpuPerCall);
}

bool writeTool(const QString &dir, const QString &name, const QByteArray &output)
{
    const QString path = dir + "/" + name;
    if (!pellix::test::writeFile(path, "#!/bin/sh\ncat <<'END'\n" + output + "\nEND\n"))
        return false;
    return QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(4, QByteArray(argv[1]).toInt()) : 200;
    pellix::test::FakePowerSupplyTree tree;

    {
        pellix::test::PrivateBus bus;
        if (!bus.start()) {
            std::fprintf(stderr, "battery-bench: dbus-daemon did not start\n");
            return 1;
        }
        measure("sysfs", rounds, [&] { return LinuxBatterySource(tree.root(), bus.connection()).getBatteryDevices().size(); });
        pellix::test::UPowerPeer upower(bus);
        if (!upower.start()) {
            std::fprintf(stderr, "battery-bench: UPower mock did not start\n");
            return 1;
        }
        upower.addLinePower("line_power_AC");
        upower.addDevice("battery_BAT0", 2, "5B10W13930", 57.0, true);
        upower.addDevice("mouse_hid_1", 5, "Magic Mouse", 42.0);
        upower.addDevice("keyboard_dev_2", 6, "MX Keys", 80.0);
        upower.addDevice("headset_dev_3", 17, "Jabra Evolve2 65", 65.0);
        measure("linux", rounds, [&] { return LinuxBatterySource(tree.root(), bus.connection()).getBatteryDevices().size(); });
    }

    QTemporaryDir tools;
    const QByteArray report = "Now drawing from 'Battery Power'\n"
                              " -InternalBattery-0 (id=4653155)\t85%; discharging; 5:12 remaining present: true";
    const QByteArray registry = "+-o AppleDeviceManagementHIDEventService  <class AppleDeviceManagementHIDEventService>\n"
                                "    {\n      \"BatteryPercent\" = 42\n      \"Product\" = \"Magic Mouse\"\n    }";
    if (!writeTool(tools.path(), "pmset", report) || !writeTool(tools.path(), "ioreg", registry))
        return 1;
    qputenv("PATH", tools.path().toUtf8() + ":" + qgetenv("PATH"));
    measure("commands", qMax(4, rounds / 4), [] { return CommandBatterySource().getBatteryDevices().size(); });
    return 0;
}
