// The weather widget: triggers, states, publication, overlapping loads, drawing.
#include "Colors.h"
#include "LocalHttpServer.h"
#include "SharedWidgetDataJson.h"
#include "WeatherSamples.h"
#include "monitors/WeatherMonitor.h"
#include "settings/SettingsManager.h"
#include "test_support.h"
#include "views/WeatherContentView.h"
#include "views/WeatherText.h"
#include "views/WeatherWidgetView.h"
#include "views/WidgetContainer.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pellix::test;
using namespace std::chrono_literals;

namespace {

class WeatherWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        const QString base = server.baseUrl();
        monitor = std::make_unique<WeatherMonitor>(WeatherEndpoints{base, base, base});
        monitor->setLimits({1500ms, 256 * 1024});
        settings.setSharedDataPath(dir.filePath("widget-data.json"));
        server.route("/json/", {200, kIpApiAnswer});
        server.route("/v1/forecast", {200, kForecast});
    }

    std::unique_ptr<WeatherWidgetView> shownView()
    {
        auto view = std::make_unique<WeatherWidgetView>(settings, *monitor);
        view->resize(170, 170);
        view->show();
        return view;
    }
    static bool settled(const WeatherWidgetView &view) { return !view.state().loading; }
    int forecastRequests() const
    {
        int n = 0;
        for (const QByteArray &t : server.targets())
            n += t.startsWith("/v1/forecast");
        return n;
    }
    std::optional<SharedWidgetData> sharedFile() const
    {
        return decodeSharedWidgetData(readFile(settings.sharedDataPath()));
    }

    QTemporaryDir dir;
    SettingsManager settings{dir.filePath("store.json")};
    LocalHttpServer server;
    std::unique_ptr<WeatherMonitor> monitor;
};

}  // namespace

TEST_F(WeatherWidgetTest, StartsLoadingAndFirstLoadsWhenShown)
{
    WeatherWidgetView view(settings, *monitor);
    EXPECT_TRUE(view.state().loading);
    EXPECT_EQ(view.state().cityName, "MILANO");
    EXPECT_FALSE(view.state().connectionError);
    EXPECT_TRUE(pellix::ui::isClear(view.container()->glowColor()));
    EXPECT_EQ(view.refreshTimer().interval(), 900 * 1000);
    waitUntil([] { return false; }, 100);
    EXPECT_TRUE(server.targets().isEmpty());

    view.show();
    ASSERT_TRUE(waitUntil([&] { return settled(view); }));
    EXPECT_TRUE(view.refreshTimer().isActive());
    EXPECT_FALSE(view.state().connectionError);
    EXPECT_EQ(view.state().cityName, "Milan");  // automatic: the IP service's city
    ASSERT_TRUE(view.state().weatherData);
    EXPECT_EQ(view.state().weatherData->current.temperature_2m, 6.3);
    EXPECT_EQ(view.container()->glowColor(), weatherGlowColor(3));
    ASSERT_EQ(server.targets().size(), 2);
    EXPECT_TRUE(server.targets()[1].startsWith("/v1/forecast?latitude=45.4642&longitude=9.1895&"));

    view.hide();
    EXPECT_FALSE(view.refreshTimer().isActive());
}

TEST_F(WeatherWidgetTest, ManualCoordinatesAndTheirFallback)
{
    settings.setWeatherSettings({true, "Roma, Italia", 41.89193, 12.51133});
    auto view = shownView();
    ASSERT_TRUE(waitUntil([&] { return settled(*view); }));
    EXPECT_EQ(view->state().cityName, "Roma");
    ASSERT_EQ(server.targets().size(), 1);  // no IP lookup
    EXPECT_TRUE(server.targets()[0].startsWith("/v1/forecast?latitude=41.89193&longitude=12.51133&"));

    // Manual without coordinates falls back to the IP position.
    settings.setWeatherSettings({true, "Torino, Italia", 45.07, std::nullopt});
    ASSERT_TRUE(waitUntil([&] { return server.targets().size() == 3 && settled(*view); }));
    EXPECT_EQ(server.targets()[1], "/json/?fields=lat,lon,city,country");
    EXPECT_EQ(view->state().cityName, "Milan");
}

TEST_F(WeatherWidgetTest, ReloadsOnCityOrSwitchChangeAndOnTimerTicks)
{
    auto view = shownView();
    ASSERT_TRUE(waitUntil([&] { return settled(*view) && forecastRequests() == 1; }));

    settings.setWeatherSettings({false, "Milano, Italia", std::nullopt, std::nullopt});  // city changed
    ASSERT_TRUE(waitUntil([&] { return forecastRequests() == 2 && settled(*view); }));
    settings.setWeatherSettings({true, "Milano, Italia", 45.46, 9.19});  // switch changed
    ASSERT_TRUE(waitUntil([&] { return forecastRequests() == 3 && settled(*view); }));
    settings.setWeatherSettings({true, "Milano, Italia", 45.47, 9.2});  // only coordinates: no load
    settings.setGlassTheme("opaque");
    settings.setSize("weather", "medium");
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(forecastRequests(), 3);

    view->refreshTimer().setInterval(100);
    view->refreshTimer().start();
    ASSERT_TRUE(waitUntil([&] { return forecastRequests() >= 5; }));
}

TEST_F(WeatherWidgetTest, PublishesAfterSuccessOnly)
{
    auto view = shownView();
    ASSERT_TRUE(waitUntil([&] { return settled(*view); }));
    const auto published = sharedFile();
    ASSERT_TRUE(published && published->weather);
    EXPECT_EQ(*published->weather, (WeatherData{"Milan", 6.3, 3, 3.9}));
    EXPECT_EQ(settings.sharedData().weather, published->weather);
    EXPECT_EQ(published->clockStyle, settings.clockStyle());
    const QByteArray fileAfterSuccess = readFile(settings.sharedDataPath());
    const WeatherResponse kept = *view->state().weatherData;

    const std::pair<const char *, const char *> failures[] = {{"/v1/forecast", "forecast"}, {"/json/", "ip"}};
    for (const auto &[route, what] : failures) {
        server.route(route, {400, kOpenMeteoError});
        view->loadWeatherData();
        EXPECT_TRUE(view->state().loading);
        EXPECT_FALSE(view->state().connectionError);
        ASSERT_TRUE(waitUntil([&] { return settled(*view); })) << what;
        EXPECT_TRUE(view->state().connectionError) << what;
        // Everything of the last success stays, and nothing is published.
        EXPECT_EQ(view->state().weatherData, kept) << what;
        EXPECT_EQ(view->state().cityName, "Milan") << what;
        EXPECT_EQ(view->container()->glowColor(), weatherGlowColor(3)) << what;
        EXPECT_EQ(readFile(settings.sharedDataPath()), fileAfterSuccess) << what;
        server.route(route, {200, route == QByteArray("/json/") ? kIpApiAnswer : kForecast});
    }

    // A success without the apparent temperature publishes it as absent.
    server.route("/v1/forecast", {200, edited(kForecast, {"current", "apparent_temperature"}, QJsonValue::Undefined)});
    view->loadWeatherData();
    ASSERT_TRUE(waitUntil([&] { return settled(*view); }));
    EXPECT_FALSE(view->state().connectionError);
    EXPECT_EQ(sharedFile()->weather, (WeatherData{"Milan", 6.3, 3, std::nullopt}));
}

TEST_F(WeatherWidgetTest, TheLoadStartedLastWins)
{
    const QByteArray sunny = edited(kForecast, {"current", "weathercode"}, 0);
    server.route("/v1/forecast?latitude=1.0", {200, kForecast, HttpAnswer::Kind::Complete, 600});
    server.route("/v1/forecast?latitude=2.0", {200, sunny});
    settings.setWeatherSettings({true, "Lenta", 1.0, 1.0});
    auto view = shownView();
    ASSERT_TRUE(waitUntil([&] { return forecastRequests() == 1; }));
    settings.setWeatherSettings({true, "Veloce", 2.0, 2.0});
    ASSERT_TRUE(waitUntil([&] { return settled(*view); }));
    EXPECT_EQ(view->state().cityName, "Veloce");
    // The older, slower answer arrives afterwards and is dropped.
    waitUntil([] { return false; }, 900);
    EXPECT_EQ(view->state().cityName, "Veloce");
    EXPECT_EQ(view->state().weatherData->current.weathercode, 0);
    EXPECT_EQ(view->container()->glowColor(), weatherGlowColor(0));
    EXPECT_EQ(sharedFile()->weather->city, "Veloce");

    // An older answer arriving first neither ends the newer load nor goes on to its forecast.
    server.route("/v1/forecast?latitude=1.0", {200, kForecast, HttpAnswer::Kind::Complete, 1200});
    settings.setWeatherSettings({false, "Veloce", 2.0, 2.0});  // switch: IP position, answered at once
    settings.setWeatherSettings({true, "Lenta", 1.0, 1.0});    // newer and slow
    waitUntil([] { return false; }, 500);
    EXPECT_TRUE(view->state().loading);
    EXPECT_TRUE(server.targets().contains("/json/?fields=lat,lon,city,country"));
    for (const QByteArray &t : server.targets())
        EXPECT_FALSE(t.startsWith("/v1/forecast?latitude=45.4642")) << "the stale load went on";
    ASSERT_TRUE(waitUntil([&] { return settled(*view); }));
    EXPECT_EQ(view->state().cityName, "Lenta");
}

TEST_F(WeatherWidgetTest, NoNetworkShowsTheErrorAndKeepsTrying)
{
    LocalHttpServer closed;
    ASSERT_TRUE(closed.start());
    closed.stop();
    WeatherMonitor offline({closed.baseUrl(), closed.baseUrl(), closed.baseUrl()});
    WeatherWidgetView view(settings, offline);
    view.show();
    ASSERT_TRUE(waitUntil([&] { return settled(view); }));
    EXPECT_TRUE(view.state().connectionError);
    EXPECT_FALSE(view.state().weatherData);
    EXPECT_FALSE(QFile::exists(settings.sharedDataPath()));
    view.loadWeatherData();
    EXPECT_TRUE(view.state().loading);
    ASSERT_TRUE(waitUntil([&] { return settled(view); }));
    EXPECT_TRUE(view.state().connectionError);
}

namespace {

QImage paint(const WeatherViewState &state, bool medium)
{
    QImage image(medium ? 304 : 134, 134, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintWeatherContent(p, QRectF(image.rect()), state, medium);
    return image;
}

int inked(const QImage &image, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qAlpha(image.pixel(x, y)) > 40;
    return n;
}

bool hasColour(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = QColor::fromRgba(image.pixel(x, y));
            if (c.alpha() > 200 && c.hsvSaturation() > 120)
                return true;
        }
    return false;
}

}  // namespace

TEST(WeatherContent, DataLayoutColumns)
{
    const QRectF content(18, 18, 304, 134);
    const WeatherDataLayout medium = weatherDataLayout(content, true, true);
    ASSERT_TRUE(medium.forecastColumn && medium.divider);
    EXPECT_EQ(*medium.forecastColumn, QRectF(182, 18, 140, 134));
    EXPECT_EQ(*medium.divider, QRectF(165, 22, 1, 126));
    EXPECT_EQ(medium.mainColumn, QRectF(18, 18, 131, 134));
    for (const auto &[isMedium, hasDaily] : {std::pair{true, false}, {false, true}, {false, false}}) {
        const WeatherDataLayout l = weatherDataLayout(content, isMedium, hasDaily);
        EXPECT_EQ(l.mainColumn, content);
        EXPECT_FALSE(l.forecastColumn || l.divider);
    }
}

TEST(WeatherContent, EachStateAndSizeDraws)
{
    WeatherViewState loading;
    WeatherViewState error = loading;
    error.loading = false;
    error.connectionError = true;
    WeatherViewState data = error;
    data.connectionError = false;
    data.cityName = "Milano";
    data.weatherData = decodeWeatherResponse(edited(kForecast, {"current", "weathercode"}, 0));  // sun
    WeatherViewState noDaily = data;
    noDaily.weatherData->daily.reset();
    WeatherViewState empty = data;
    empty.weatherData.reset();

    for (bool medium : {false, true}) {
        const QImage l = paint(loading, medium), e = paint(error, medium), d = paint(data, medium);
        EXPECT_GT(inked(l, l.rect()), 50) << medium;
        EXPECT_GT(inked(e, e.rect()), 50) << medium;
        EXPECT_NE(l, e);
        EXPECT_GT(inked(d, QRect(0, 0, 60, 20)), 20) << "city";
        EXPECT_GT(inked(d, QRect(0, 40, 60, 60)), 100) << "temperature";
        EXPECT_TRUE(hasColour(e)) << "the globe is a colour emoji";
        EXPECT_TRUE(hasColour(d)) << "the pictogram is a colour emoji";
        EXPECT_EQ(inked(paint(empty, medium), QRect(0, 0, medium ? 304 : 134, 134)), 0);
        // The spinner turns: another phase is another picture.
        QImage turned(l.size(), l.format());
        turned.fill(Qt::transparent);
        QPainter p(&turned);
        paintWeatherContent(p, QRectF(turned.rect()), loading, medium, 3);
        p.end();
        EXPECT_NE(turned, l);
    }
    // The forecast column exists only in the medium size with a daily forecast.
    const QRect forecastArea(170, 10, 134, 114);
    EXPECT_GT(inked(paint(data, true), forecastArea), 200);
    EXPECT_EQ(inked(paint(noDaily, true), QRect(170, 40, 134, 94)), 0);
    // Without a daily forecast there is no H/L line: less ink in all.
    const QRect all(0, 0, 134, 134);
    EXPECT_GT(inked(paint(data, false), all), inked(paint(noDaily, false), all) + 50);
}
