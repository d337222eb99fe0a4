// Costs of the weather widget's hot paths: decoding an answer, painting the
// content in each state, one whole load through a local server.
#include "LocalHttpServer.h"
#include "WeatherSamples.h"
#include "monitors/WeatherMonitor.h"
#include "settings/SettingsManager.h"
#include "views/WeatherContentView.h"
#include "views/WeatherWidgetView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pellix::test;

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
            f();
        t.push_back(clock.nsecsElapsed() / 1000.0 / runs);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);

    std::printf("decode forecast answer (%lld bytes): %.1f us\n", qint64(kForecast.size()),
                median([] { (void)decodeWeatherResponse(kForecast); }, 2000));

    WeatherViewState data;
    data.loading = false;
    data.cityName = "Milano";
    data.weatherData = decodeWeatherResponse(kForecast);
    WeatherViewState error = data;
    error.connectionError = true;
    const WeatherViewState loading;
    for (const auto &[name, state] : {std::pair{"loading", loading}, {"error", error}, {"data", data}}) {
        for (bool medium : {false, true}) {
            QImage image(medium ? 304 : 134, 134, QImage::Format_ARGB32_Premultiplied);
            int phase = 0;
            const double us = median([&] {
                image.fill(Qt::transparent);
                QPainter p(&image);
                paintWeatherContent(p, QRectF(image.rect()), state, medium, phase++ % 12);
            }, 200);
            std::printf("paint content %-7s %-6s: %.1f us\n", name, medium ? "medium" : "small", us);
        }
    }

    QTemporaryDir dir;
    LocalHttpServer server;
    if (!server.start())
        return 1;
    server.route("/json/", {200, kIpApiAnswer});
    server.route("/v1/forecast", {200, kForecast});
    const QString base = server.baseUrl();
    WeatherMonitor monitor({base, base, base});
    SettingsManager settings(dir.filePath("store.json"));
    settings.setSharedDataPath(dir.filePath("widget-data.json"));
    settings.setSize("weather", "medium");
    WeatherWidgetView view(settings, monitor);
    view.resize(340, 170);
    const double loadUs = median([&] {
        view.loadWeatherData();
        waitUntil([&] { return !view.state().loading; });
    }, 20, 5);
    std::printf("whole load, IP lookup + forecast + publish, local server: %.0f us\n", loadUs);
    std::printf("render whole widget, medium, data: %.0f us\n", median([&] { (void)view.grab(); }, 50));
    return 0;
}
