// battery-bench [ROUNDS]
// Times one getBatteryDevices() of each source on the calling (GUI) thread,
// ROUNDS times (default 200; a quarter of that for the commands), and prints
// median, 90th percentile and maximum wall time and the thread's CPU time per
// call, in milliseconds. The event loop runs between calls, as in the app.
//   sysfs:          fake sysfs tree, no UPower
//   upower-4:       the tree + python3-dbusmock's UPower (4 devices + AC) on a private bus
//   upower-silent:  a UPower that owns its name and never answers
//   upower-10000:   a UPower listing 10,000 devices with hostile values; also the
//                   time until the (capped) list is known and the longest stall
//                   of the event loop meanwhile
//   commands:       fake pmset and ioreg (sh scripts printing fixed text) through zsh
#include "FakePowerSupplyTree.h"
#include "UPowerPeer.h"
#include "monitors/CommandBatterySource.h"
#include "monitors/LinuxBatterySource.h"
#include "monitors/UPowerDeviceCache.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
}

void measure(const char *label, int rounds, const std::function<qsizetype()> &call)
{
    call();  // warm-up: first connection, page cache
    std::vector<double> times;
    double cpu = 0;
    qsizetype devices = 0;
    for (int i = 0; i < rounds; ++i) {
        QCoreApplication::processEvents();
        const double cpu0 = threadCpuMs();
        QElapsedTimer t;
        t.start();
        devices = call();
        times.push_back(t.nsecsElapsed() / 1e6);
        cpu += threadCpuMs() - cpu0;
    }
    std::sort(times.begin(), times.end());
    std::printf("%-14s rounds=%d devices=%lld median=%.3f ms p90=%.3f ms max=%.3f ms thread-cpu/call=%.3f ms\n", label,
                rounds, static_cast<long long>(devices), times[times.size() / 2], times[times.size() * 9 / 10],
                times.back(), cpu / rounds);
}

// Until the cache knows UPower's list: how long it took and the event loop's longest stall.
void timeSync(UPowerDeviceCache &cache, const LinuxBatterySource &source)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, worst = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        worst = qMax(worst, clock.elapsed() - last);
        last = clock.elapsed();
    });
    probe.start(1);
    source.getBatteryDevices();
    while (!cache.accessories() && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("%-14s list known after %lld ms (%lld accessories); longest event-loop stall %lld ms\n", "upower-10000",
                static_cast<long long>(clock.elapsed()), static_cast<long long>(cache.accessories().value_or(QList<BatteryDevice>()).size()),
                static_cast<long long>(worst));
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
    measure("sysfs", rounds, [&] { return LinuxBatterySource(tree.root(), nullptr).getBatteryDevices().size(); });

    {
        pellix::test::PrivateBus bus;
        if (!bus.start()) {
            std::fprintf(stderr, "battery-bench: dbus-daemon did not start\n");
            return 1;
        }
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
        UPowerDeviceCache cache(bus.connection());
        const LinuxBatterySource source(tree.root(), &cache);
        source.getBatteryDevices();
        settle(500);
        measure("upower-4", rounds, [&] { return source.getBatteryDevices().size(); });
    }
    {
        pellix::test::PrivateBus bus;
        if (!bus.start())
            return 1;
        pellix::test::HostileUPower silent(bus, {"--silent"});
        if (!silent.waitReady())
            return 1;
        UPowerDeviceCache cache(bus.connection(), 300);
        const LinuxBatterySource source(tree.root(), &cache);
        measure("upower-silent", rounds, [&] { return source.getBatteryDevices().size(); });
    }
    {
        pellix::test::PrivateBus bus;
        if (!bus.start())
            return 1;
        pellix::test::HostileUPower hostile(bus, {"--devices", "10000"});
        if (!hostile.waitReady())
            return 1;
        UPowerDeviceCache cache(bus.connection());
        const LinuxBatterySource source(tree.root(), &cache);
        timeSync(cache, source);
        measure("upower-10000", rounds, [&] { return source.getBatteryDevices().size(); });
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
