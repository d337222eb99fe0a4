// Main-thread cost of publishing the shared file: the views call
// updateSharedWidgetData every 3-4 s, mostly with the record unchanged.
#include "settings/SettingsManager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Median of `rounds` timings of `runs` calls, in microseconds per call.
template <typename F>
double median(F f, int runs, int rounds = 7)
{
    std::vector<double> t;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < runs; ++i)
            f(i);
        t.push_back(clock.nsecsElapsed() / 1000.0 / runs);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    SettingsManager settings(dir.filePath("settings.json"));
    settings.setSharedDataPath(dir.filePath("group/widget-data.json"));

    // A full record: the computer, three accessories, the weather and a track.
    SharedWidgetData data;
    data.battery = QList<BatteryDevice>{{"macbook", "MacBook", 81, true, "macbook"},
                                        {"magic-mouse", "Magic Mouse", 42, false, "mouse"},
                                        {"magic-keyboard", "Magic Keyboard", 77, false, "keyboard"},
                                        {"airpods-pro", "AirPods Pro", 55, false, "airpods"}};
    data.weather = WeatherData{"San Donà di Piave", 21.5, 3, 20.8};
    data.music = MusicData{"Vita spericolata", "Vasco Rossi", std::nullopt, "music", true};
    settings.setSharedData(data);
    settings.updateSharedWidgetData();

    std::printf("updateSharedWidgetData, record unchanged: %.2f us\n",
                median([&](int) { settings.updateSharedWidgetData(); }, 5000));
    std::printf("updateSharedWidgetData, record changed (atomic write with fsync): %.1f us\n",
                median(
                    [&](int i) {
                        (*data.battery)[0].percent = i % 100;
                        settings.setSharedData(data);
                        settings.updateSharedWidgetData();
                    },
                    50));
    return 0;
}
