// The weather widget: code tables, temperatures, forecast rows, loads, publication, drawing.
#include "Colors.h"
#include "LocalHttpServer.h"
#include "SharedWidgetDataJson.h"
#include "UiLanguage.h"
#include "WeatherSamples.h"
#include "monitors/WeatherMonitor.h"
#include "settings/SettingsManager.h"
#include "test_support.h"
#include "views/WeatherContentView.h"
#include "views/WeatherText.h"
#include "views/WidgetSpeech.h"
#include "views/WeatherWidgetView.h"
#include "views/WidgetContainer.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pellix::test;
using pellix::ui::rgba;

TEST(WeatherCodes, EveryCodeFromMinusOneTo101)
{
    const QColor sun = rgba(255, 200, 50, 1.0), veiled = rgba(255, 200, 50, 0.6), fog = rgba(150, 180, 220, 0.6),
                 rain = rgba(80, 140, 255, 1.0), storm = rgba(100, 200, 255, 1.0);
    // Closed ranges, so that each boundary is stated on both sides.
    const std::tuple<int64_t, int64_t, const char *, const char16_t *, QColor> ranges[] = {
        {-1, -1, "Parz. nuvoloso", u"\u26C5", veiled},
        {0, 0, "Sereno", u"\u2600\uFE0F", sun},
        {1, 2, "Parz. nuvoloso", u"\u26C5", veiled},
        {3, 3, "Nuvoloso", u"\u2601\uFE0F", fog},
        {4, 49, "Nebbia", u"\U0001F32B\uFE0F", fog},
        {50, 57, "Pioggerella", u"\U0001F327\uFE0F", rain},
        {58, 67, "Pioggia", u"\U0001F327\uFE0F", rain},
        {68, 77, "Neve", u"\u2744\uFE0F", rain},
        {78, 82, "Rovesci", u"\U0001F326\uFE0F", storm},
        {83, 99, "Temporale", u"\u26C8\uFE0F", storm},
        {100, 101, "Sconosciuto", u"\U0001F321\uFE0F", storm},
    };
    for (const auto &[first, last, desc, emoji, glow] : ranges) {
        for (int64_t code = first; code <= last; ++code) {
            EXPECT_EQ(wmoDesc(code), QString::fromUtf8(desc)) << code;
            EXPECT_EQ(wmoEmoji(code), QString::fromUtf16(emoji)) << code;
            EXPECT_EQ(weatherGlowColor(code), glow) << code;
        }
    }
}

TEST(WeatherText, TemperaturesRoundHalvesAwayFromZero)
{
    const std::pair<double, const char *> cases[] = {
        {-0.4, "0°"}, {21.5, "22°"}, {-2.5, "-3°"}, {2.5, "3°"}, {-0.5, "-1°"}, {0.49, "0°"}, {-7.6, "-8°"},
        {1e300, "9223372036854775807°"}, {-1e300, "-9223372036854775808°"},
    };
    for (const auto &[value, text] : cases)
        EXPECT_EQ(temperatureText(value), QString::fromUtf8(text)) << value;
}

TEST(WeatherText, ForecastRowsSkipDaysMissingFromAnyArray)
{
    WeatherResponse::DailyForecast daily{{"2026-12-07", "2026-12-08", "2026-02-30", "2026-12-10", "x", "x"},
                                         {0, 61, 45, 95, 3, 3}, {8.1, 7.5, 9.0, 1, 1, 1}, {2.3, 4.1, 3.0, 1, 1, 1}};
    const QList<ForecastRow> rows = forecastRows(daily);
    ASSERT_EQ(rows.size(), 4);  // days 1 to 4: today is not listed
    EXPECT_EQ(rows.mid(0, 3), (QList<ForecastRow>{{"Mar", QString::fromUtf16(u"\U0001F327\uFE0F"), "8°", "4°", 61},
                                                  {"—", QString::fromUtf16(u"\U0001F32B\uFE0F"), "9°", "3°", 45},
                                                  {"Gio", QString::fromUtf16(u"\u26C8\uFE0F"), "1°", "1°", 95}}));
    daily.temperature_2m_min.resize(3);  // the array is never read past its end
    EXPECT_EQ(forecastRows(daily), rows.mid(0, 2));
}

namespace {

class WeatherWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(started);
        settings.setSharedDataPath(dir.filePath("widget-data.json"));
        server.route("/json/", {200, kIpApiAnswer});
        server.route("/v1/forecast", {200, kForecast});
    }
    bool settledAfter(qsizetype requests)
    {
        return waitUntil([&] { return server.targets().size() == requests && !view.state().loading; });
    }

    QTemporaryDir dir;
    SettingsManager settings{dir.filePath("store.json")};
    LocalHttpServer server;
    const bool started = server.start();
    WeatherMonitor monitor{{server.baseUrl(), server.baseUrl(), server.baseUrl()}};
    WeatherWidgetView view{settings, monitor};
};

}  // namespace

// Shown in °F (en_US), the weather is asked for and shared in °C.
TEST_F(WeatherWidgetTest, LoadsWhenShownAndPublishesCelsiusAfterSuccessOnly)
{
    pellix::i18n::useLanguage("en", QLocale("en_US"));
    view.show();
    const bool settled = settledAfter(2);
    pellix::i18n::useLanguage("it", QLocale("it_IT"));
    ASSERT_TRUE(settled);
    EXPECT_TRUE(server.targets()[1].startsWith("/v1/forecast?latitude=45.4642&longitude=9.1895&"));
    EXPECT_FALSE(server.targets()[1].contains("temperature_unit"));
    const QByteArray published = readFile(settings.sharedDataPath());
    EXPECT_EQ(decodeSharedWidgetData(published)->weather, (WeatherData{"Milan", 6.3, 3, 3.9}));

    const WeatherViewState kept = view.state();
    for (const QByteArray route : {"/v1/forecast", "/json/"}) {
        SCOPED_TRACE(route.data());
        server.route(route, {400, kOpenMeteoError});
        view.loadWeatherData();
        ASSERT_TRUE(waitUntil([&] { return !view.state().loading; }));
        EXPECT_TRUE(view.state().connectionError);
        // The last success stays on show, and nothing is published.
        EXPECT_EQ(view.state().weatherData, kept.weatherData);
        EXPECT_EQ(view.container()->glowColor(), weatherGlowColor(3));
        EXPECT_EQ(readFile(settings.sharedDataPath()), published);
        server.route(route, {200, route == "/json/" ? kIpApiAnswer : kForecast});
    }
    EXPECT_TRUE(view.refreshTimer().isActive());
    view.hide();
    EXPECT_FALSE(view.refreshTimer().isActive()) << "refreshes only while shown";
    // Shown again within the period, as a surface re-created on another output:
    // the forecast stays, nothing is asked, the period goes on.
    const qsizetype asked = server.targets().size();
    view.show();
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(server.targets().size(), asked);
    EXPECT_TRUE(view.refreshTimer().isActive());
}

TEST_F(WeatherWidgetTest, TheLoadStartedLastWins)
{
    server.route("/v1/forecast?latitude=1.0", {200, kForecast, HttpAnswer::Kind::Complete, 600});
    server.route("/v1/forecast?latitude=2.0", {200, edited(kForecast, {"current", "weathercode"}, 0)});
    view.show();
    ASSERT_TRUE(settledAfter(2));
    settings.setWeatherSettings({true, "Lenta", 1.0, 1.0});
    ASSERT_TRUE(waitUntil([&] { return server.targets().size() == 3; }));
    settings.setWeatherSettings({true, "Veloce", 2.0, 2.0});
    ASSERT_TRUE(settledAfter(4));
    waitUntil([] { return false; }, 900);  // the older, slower answer arrives meanwhile and is dropped
    EXPECT_EQ(view.state().cityName, "Veloce");
    EXPECT_EQ(view.container()->glowColor(), weatherGlowColor(0));
    EXPECT_EQ(settings.sharedData().weather->city, "Veloce");

    // An older answer arriving first neither ends the newer load nor goes on to its forecast.
    server.route("/v1/forecast?latitude=1.0", {200, kForecast, HttpAnswer::Kind::Complete, 1200});
    settings.setWeatherSettings({true, "Media", 2.0, std::nullopt});  // no longitude: the IP position, at once
    settings.setWeatherSettings({true, "Lenta", 1.0, 1.0});           // newer and slow
    waitUntil([] { return false; }, 500);
    EXPECT_TRUE(view.state().loading);
    const QList<QByteArray> later = server.targets().mid(4);  // no forecast for the IP position
    EXPECT_EQ(later.size(), 2);
    EXPECT_TRUE(later.contains("/json/?fields=lat,lon,city,country"));
    ASSERT_TRUE(settledAfter(6));
    EXPECT_EQ(view.state().cityName, "Lenta");
}

static QImage paint(const WeatherViewState &state, bool medium, int spinnerPhase = 0)
{
    QImage image(medium ? 304 : 134, 134, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintWeatherContent(p, QRectF(image.rect()), state, medium, spinnerPhase);
    return image;
}

// Pixels with ink; with `colour`, only those of a strong hue (the colour emoji).
static int ink(const QImage &image, bool colour = false)
{
    return countPixels(image, [colour](const QColor &c) {
        return colour ? c.alpha() > 200 && c.hsvSaturation() > 120 : c.alpha() > 40;
    });
}

TEST(WeatherContent, EachStateAndSizeDraws)
{
    WeatherViewState loading, error, data;
    error.loading = data.loading = false;
    error.connectionError = true;
    data.weatherData = decodeWeatherResponse(edited(kForecast, {"current", "weathercode"}, 0));  // sun
    WeatherViewState noDaily = data;
    noDaily.weatherData->daily.reset();
    for (bool medium : {false, true}) {
        SCOPED_TRACE(medium ? "medium" : "small");
        const QImage l = paint(loading, medium), e = paint(error, medium), d = paint(data, medium);
        EXPECT_GT(ink(l), 50);
        EXPECT_NE(paint(loading, medium, 3), l) << "the spinner turns";
        EXPECT_GT(ink(e, true), 0) << "the globe is a colour emoji";
        EXPECT_GT(ink(d.copy(0, 40, 60, 60)), 100) << "temperature";
        EXPECT_GT(ink(d, true), 0) << "the pictogram is a colour emoji";
        EXPECT_GT(ink(d), ink(paint(noDaily, medium)) + 50) << "no H/L line without a daily forecast";
    }
    // The forecast column is drawn in the medium size only, and only with a daily forecast.
    EXPECT_GT(ink(paint(data, true).copy(170, 10, 134, 114)), 200);
    EXPECT_EQ(ink(paint(noDaily, true).copy(170, 40, 134, 94)), 0);
}

// What the weather widget tells a screen reader, state by state, in both sizes.
TEST(WeatherContent, SpokenTextOfEachState)
{
    WeatherViewState loading, error, data, empty;
    error.loading = data.loading = empty.loading = false;
    error.connectionError = true;
    data.weatherData = error.weatherData = decodeWeatherResponse(kForecast);
    data.cityName = "Milano";
    const QString today = QString::fromUtf8("Milano, 6°, Nuvoloso, H:8° L:2°");
    const std::tuple<const WeatherViewState &, bool, QString> cases[] = {
        {loading, true, QString::fromUtf8("AGGIORNAMENTO…")}, {error, false, "ERRORE DI RETE"}, {empty, true, ""},
        {data, false, today},
        {data, true, today + QString::fromUtf8(". Mar: Pioggia, H:7° L:4°. Mer: Nebbia, H:10° L:3°. "
                                               "Gio: Sereno, H:10° L:2°. Ven: Rovesci, H:-3° L:0°")},
    };
    for (const auto &[state, medium, spoken] : cases)
        EXPECT_EQ(weatherSpeech(state, medium), spoken);
    data.weatherData->daily.reset();
    EXPECT_EQ(weatherSpeech(data, true), "Milano, 6°, Nuvoloso");
    pellix::i18n::useLanguage("en", QLocale("en_US"));
    EXPECT_EQ(weatherSpeech(data, true), "Milano, 43°, Cloudy");
    pellix::i18n::useLanguage("it", QLocale("it_IT"));
}
