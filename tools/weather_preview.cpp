// Shows the weather widget in its loading, error and data states, small and
// medium, each in its own translucent window, fed by a local server. Used to
// take the README screenshots: weather-preview [seconds-to-stay]
#include "LocalHttpServer.h"
#include "WeatherSamples.h"
#include "monitors/WeatherMonitor.h"
#include "settings/SettingsManager.h"
#include "views/WeatherWidgetView.h"
#include "UiLanguage.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

using namespace pellix::test;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    pellix::i18n::useSystemLanguage();  // LANGUAGE=en … for the pictures of another language
    QTemporaryDir dir;
    LocalHttpServer server;
    if (!dir.isValid() || !server.start())
        return 1;
    server.route("/v1/forecast?latitude=1.0", {200, kForecast});
    server.route("/v1/forecast?latitude=2.0", {400, kOpenMeteoError});
    server.route("/v1/forecast?latitude=3.0", {200, "", HttpAnswer::Kind::Silent});
    QByteArray storm = edited(kForecast, {"current", "weathercode"}, 95);
    storm = edited(storm, {"current", "temperature_2m"}, -12.6);
    server.route("/v1/forecast?latitude=4.0", {200, storm});
    const QString base = server.baseUrl();
    WeatherMonitor monitor({base, base, base});

    const struct {
        double latitude;
        const char *city;
    } states[] = {{3.0, "Milano, Italia"}, {2.0, "Milano, Italia"}, {1.0, "Milano, Italia"},
                  {4.0, "Reggio nell'Emilia, Italia"}};
    std::vector<std::unique_ptr<SettingsManager>> settings;
    std::vector<std::unique_ptr<QWidget>> windows;
    int row = 0;
    for (const auto &state : states) {
        int x = 40;
        for (const QString size : {"small", "medium"}) {
            auto store = std::make_unique<SettingsManager>(dir.filePath(QString("s%1%2.json").arg(row).arg(size)));
            store->setSharedDataPath(dir.filePath("shared.json"));
            store->setWeatherSettings({true, state.city, state.latitude, 9.0});
            store->setSize("weather", size);
            auto window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint | Qt::Tool);
            window->setAttribute(Qt::WA_TranslucentBackground);
            auto *view = new WeatherWidgetView(*store, monitor, window.get());
            const int width = size == "medium" ? 340 : 170;
            view->setGeometry(0, 0, width, 170);
            window->setGeometry(x, 40 + row * 190, width, 170);
            window->show();
            x += width + 30;
            settings.push_back(std::move(store));
            windows.push_back(std::move(window));
        }
        ++row;
    }
    QTimer::singleShot((argc > 1 ? QString(argv[1]).toInt() : 3600) * 1000, &app, &QApplication::quit);
    return app.exec();
}
