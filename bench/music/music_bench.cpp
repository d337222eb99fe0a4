// music-bench [ROUNDS]
// Times one getNowPlaying() through MPRIS, ROUNDS times (default 300), and
// prints median, 90th percentile and minimum in milliseconds, with the CPU time
// per call and the CPU time of child processes reaped meanwhile (0 when the
// refresh started no process). The bus names are followed as the app does
// (listed once, then kept from the bus's signals). On a private bus started here:
//   none:         no player at all (the idle refresh)
//   mpv:          mpv with its MPRIS plug-in playing, nothing else
//   spotify+mpv:  a scripted player on Spotify's name, paused, and mpv playing
//                 (the longest path: Spotify asked first, then the other players)
#include "MusicPeers.h"
#include "monitors/MprisPlayers.h"
#include "monitors/MusicMonitor.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

long long usec(const timeval &t) { return t.tv_sec * 1000000LL + t.tv_usec; }
long long cpuUsec(const rusage &r) { return usec(r.ru_utime) + usec(r.ru_stime); }

void measure(const char *label, int rounds, const QDBusConnection &bus, MprisNames &names)
{
    QCoreApplication::processEvents();  // the players' arrival, announced by the bus
    const auto call = [&] {
        MprisPlayers players(bus, MprisPlayers::kCallTimeoutMs, &names);
        return MusicMonitor::getNowPlaying(players).music;
    };
    const MusicData first = call();
    rusage self0{}, children0{}, self1{}, children1{};
    getrusage(RUSAGE_SELF, &self0);
    getrusage(RUSAGE_CHILDREN, &children0);
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        call();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    getrusage(RUSAGE_SELF, &self1);
    getrusage(RUSAGE_CHILDREN, &children1);
    std::sort(times.begin(), times.end());
    const double cpu = double(cpuUsec(self1) - cpuUsec(self0)) / 1000.0 / rounds;
    const double childCpu = double(cpuUsec(children1) - cpuUsec(children0)) / 1000.0;
    std::printf("%-12s rounds=%d track=\"%s\" median=%.3f ms p90=%.3f ms min=%.3f ms cpu/call=%.3f ms children cpu=%.3f ms\n",
                label, rounds, qPrintable(first.track.value_or("-")), times[times.size() / 2],
                times[times.size() * 9 / 10], times.front(), cpu, childCpu);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(10, QByteArray(argv[1]).toInt()) : 300;
    pellix::test::PrivateBus bus;
    if (!bus.start()) {
        std::fprintf(stderr, "music-bench: dbus-daemon did not start\n");
        return 1;
    }
    MprisNames names(bus.connection(), MprisPlayers::kCallTimeoutMs);
    measure("none", rounds, bus.connection(), names);
    pellix::test::MpvPlayer mpv(bus);
    if (!mpv.start()) {
        std::fprintf(stderr, "music-bench: mpv did not start\n");
        return 1;
    }
    measure("mpv", rounds, bus.connection(), names);
    pellix::test::ScriptedPlayer spotify(bus, "spotify");
    if (!spotify.start("Paused", {{"Song", "Artist", "https://i.scdn.co/image/x"}})) {
        std::fprintf(stderr, "music-bench: scripted player did not start\n");
        return 1;
    }
    measure("spotify+mpv", rounds, bus.connection(), names);
    return 0;
}
