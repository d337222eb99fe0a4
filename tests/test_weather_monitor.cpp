// The weather client against a local server speaking the services' formats.
#include "LocalHttpServer.h"
#include "WeatherSamples.h"
#include "monitors/WeatherMonitor.h"
#include "UiLanguage.h"
#include "monitors/WeatherRecords.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <gtest/gtest.h>

using namespace pellix::test;
using namespace std::chrono_literals;

namespace {

class WeatherMonitorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        monitor = std::make_unique<WeatherMonitor>(WeatherEndpoints{server.baseUrl(), server.baseUrl(), server.baseUrl()});
        monitor->setLimits({400ms, 64 * 1024});
    }

    // Runs one call to the end: its value, or its error as the second member.
    template <typename T>
    std::pair<std::optional<T>, std::optional<WeatherError>> run(auto start)
    {
        std::optional<WeatherReply<T>> reply;
        int calls = 0;
        start([&](const WeatherReply<T> &r) { reply = r, ++calls; });
        EXPECT_TRUE(waitUntil([&] { return calls > 0; }));
        EXPECT_FALSE(waitUntil([&] { return calls > 1; }, 50)) << "callback ran twice";
        if (reply && !reply->ok())
            return {std::nullopt, reply->error()};
        return {reply ? std::optional(reply->value()) : std::nullopt, std::nullopt};
    }
    auto ipLocation() { return run<IPLocation>([&](auto done) { monitor->fetchIPLocation(nullptr, done); }); }
    auto search(const QString &name)
    {
        return run<std::optional<WeatherSettings>>([&](auto done) { monitor->searchCityCoordinates(name, nullptr, done); });
    }
    auto forecast(double lat = 45.0, double lon = 9.0)
    {
        return run<WeatherResponse>([&](auto done) { monitor->fetchWeather(lat, lon, nullptr, done); });
    }

    LocalHttpServer server;
    std::unique_ptr<WeatherMonitor> monitor;
};

}  // namespace

TEST_F(WeatherMonitorTest, RequestTargetsOnTheWire)
{
    server.route("/", {200, "{}"});
    const std::pair<QString, QByteArray> names[] = {
        {"Milano", "Milano"},
        {"San Donà di Piave", "San%20Don%C3%A0%20di%20Piave"},
        {"Forlì & Cesena", "Forl%C3%AC%20%26%20Cesena"},
        {"100% a+b=c#d?e/f", "100%25%20a%2Bb%3Dc%23d%3Fe%2Ff"},
    };
    for (const auto &[name, encoded] : names) {
        search(name);
        EXPECT_EQ(server.targets().last(), "/v1/search?name=" + encoded + "&count=1&language=it&format=json");
    }
    // Place names come back in the interface's language.
    pellix::i18n::useLanguage("de", QLocale("de_DE"));
    search("Köln");
    pellix::i18n::useLanguage("it", QLocale("it_IT"));
    EXPECT_EQ(server.targets().last(), "/v1/search?name=K%C3%B6ln&count=1&language=de&format=json");
    // The shortest text that reads back to the same double, never in exponent form.
    const std::tuple<double, double, QByteArray> places[] = {
        {45.0, 9.0, "latitude=45.0&longitude=9.0"},
        {45.4642, -0.5, "latitude=45.4642&longitude=-0.5"},
        {0.1 + 0.2, 1e-5, "latitude=0.30000000000000004&longitude=0.00001"},
    };
    for (const auto &[lat, lon, query] : places) {
        forecast(lat, lon);
        EXPECT_EQ(server.targets().last(), "/v1/forecast?" + query + "&current=temperature_2m,weathercode,"
                  "windspeed_10m,relativehumidity_2m,apparent_temperature&daily=weathercode,temperature_2m_max,"
                  "temperature_2m_min&timezone=auto&forecast_days=5");
    }
    // The IP location's target: system/diagnostics.sh.
    // What cannot be written into a URL is never sent.
    EXPECT_EQ(search(QString(QChar(0xDC00))).second, WeatherError::BadUrl);  // a lone surrogate has no UTF-8
    EXPECT_EQ(forecast(std::nan(""), 9.0).second, WeatherError::BadUrl);
    EXPECT_EQ(server.targets().size(), 8);
}

// (The IP location and the city search decoded: the weather widget's and the panel's tests.)
TEST_F(WeatherMonitorTest, DecodesTheForecast)
{
    server.route("/v1/forecast", {200, kForecast});
    EXPECT_EQ(forecast().first, (WeatherResponse{{6.3, 3, 87.0, 3.9, 4.2}, WeatherResponse::DailyForecast{
        {"2026-12-07", "2026-12-08", "2026-12-09", "2026-12-10", "2026-12-11"},
        {3, 61, 45, 0, 80}, {8.1, 7.4, 9.5, 10.2, -2.5}, {2.3, 4.1, 3.0, 1.8, -0.4}}}));
    server.route("/v1/forecast", {200, R"({"timezone":"GMT","current":{"time":"2026-12-07T10:15","temperature_2m":6.3,
                                            "weathercode":3}})"});  // only the required keys
    EXPECT_EQ(forecast().first, (WeatherResponse{{6.3, 3, {}, {}, {}}, std::nullopt}));
}

// Each is a decoding error, and the decoder names the key at fault for the diagnostics.
TEST_F(WeatherMonitorTest, MalformedAnswersAndServiceErrorsAreDecodingErrors)
{
    const QJsonObject noCountry{{"name", "Roma"}, {"latitude", 41.9}, {"longitude", 12.5}};
    const QString wrong = R"(key "%1" missing, null, out of range or of the wrong type)";
    const std::tuple<char, const char *, HttpAnswer, QString> cases[] = {
        {'i', "no city", {200, edited(kIpApiAnswer, {"city"}, QJsonValue::Undefined)}, wrong.arg("city")},
        {'i', "city null", {200, edited(kIpApiAnswer, {"city"}, QJsonValue::Null)}, wrong.arg("city")},
        {'i', "lat as text", {200, edited(kIpApiAnswer, {"lat"}, "45.4")}, wrong.arg("lat")},
        {'i', "service failure", {200, kIpApiFailure}, wrong.arg("lat")},
        {'s', "result without country", {200, edited(kGeocodingMilano, {"results"}, QJsonArray{noCountry})},
         wrong.arg("results[].country")},
        {'s', "service error", {400, kOpenMeteoError}, "the service's error object: Parameter 'name' is required"},
        {'f', "no current", {200, edited(kForecast, {"current"}, QJsonValue::Undefined)}, wrong.arg("current")},
        {'f', "fractional code", {200, edited(kForecast, {"current", "weathercode"}, 3.5)},
         wrong.arg("current.weathercode")},
        {'f', "humidity as text", {200, edited(kForecast, {"current", "relativehumidity_2m"}, "87")},
         wrong.arg("current.relativehumidity_2m")},
        {'f', "daily without time", {200, edited(kForecast, {"daily", "time"}, QJsonValue::Undefined)},
         wrong.arg("daily.time")},
        {'f', "null in maxima",
         {200, edited(kForecast, {"daily", "temperature_2m_max"}, QJsonArray{8.1, QJsonValue()})},
         wrong.arg("daily.temperature_2m_max")},
        {'f', "service error", {400, R"({"error":true,"reason":"Latitude must be in range of -90 to 90°."})"},
         "the service's error object: Latitude must be in range of -90 to 90°."},
        {'f', "error page", {500, "<html><body>Internal Server Error</body></html>"}, "illegal value at offset 1"},
        {'f', "not an object", {200, "[1]"}, "not a JSON object"},
    };
    const auto reason = [](char call, const QByteArray &body) {
        QString why;
        if (call == 'i')
            decodeIPLocation(body, &why);
        else if (call == 's')
            decodeGeocodingResponse(body, &why);
        else
            decodeWeatherResponse(body, &why);
        return why;
    };
    for (const auto &[call, what, answer, why] : cases) {
        server.route("/", answer);
        const auto error = call == 'i' ? ipLocation().second : call == 's' ? search("Roma").second : forecast().second;
        EXPECT_EQ(error, WeatherError::Decoding) << what;
        EXPECT_EQ(reason(call, answer.body), why) << what;
    }
}

// Temperatures no weather has are missing values; names are bounded.
TEST(WeatherRecords, HostileValuesAreMissingOrBounded)
{
    auto current = [](const char *key, const QJsonValue &v) { return decodeWeatherResponse(edited(kForecast, {"current", key}, v)); };
    for (const double absurd : {1.7e308, -100.5, 100.5, -1e308})
        EXPECT_FALSE(current("temperature_2m", absurd)) << absurd;
    EXPECT_FALSE(decodeWeatherResponse(QByteArray(kForecast).replace("\"temperature_2m\":6.3", "\"temperature_2m\":1e400")));
    EXPECT_EQ(current("temperature_2m", -100.0)->current.temperature_2m, -100.0);
    const auto apparent = current("apparent_temperature", 1e308);
    ASSERT_TRUE(apparent);
    EXPECT_EQ(apparent->current.apparent_temperature, std::nullopt);

    const auto daily = decodeWeatherResponse(edited(kForecast, {"daily", "temperature_2m_max"}, QJsonArray{8.1, 7.4, 1e300, 10.2}));
    ASSERT_TRUE(daily && daily->daily);
    EXPECT_EQ(daily->daily->temperature_2m_max, (QList<double>{8.1, 7.4}));  // the days from the absurd one on are missing
    EXPECT_EQ(daily->daily->temperature_2m_min, (QList<double>{2.3, 4.1, 3.0, 1.8, -0.4}));

    const QString longName = "Roma\x01" + QString(100000, 'a');
    EXPECT_EQ(decodeIPLocation(edited(kIpApiAnswer, {"city"}, longName))->city, "Roma" + QString(60, 'a'));
    const auto search = decodeGeocodingResponse(edited(kGeocodingMilano, {"results"},
        QJsonArray{QJsonObject{{"name", longName}, {"latitude", 41.9}, {"longitude", 12.5}, {"country", "It" + QString(QChar(0)) + "alia"}}}));
    ASSERT_TRUE(search && search->results);
    EXPECT_EQ(search->results->value(0).name, "Roma" + QString(60, 'a'));
    EXPECT_EQ(search->results->value(0).country, "Italia");
}

TEST_F(WeatherMonitorTest, EveryRequestEndsWithinItsBound)
{
    const std::pair<const char *, HttpAnswer> stalls[] = {
        {"never answers", {200, "", HttpAnswer::Kind::Silent}},
        {"trickles forever", {200, " ", HttpAnswer::Kind::Endless, 50}},
        {"body over the cap", {200, QByteArray(100 * 1024, ' ') + kForecast}},
    };
    for (const auto &[what, answer] : stalls) {
        server.route("/v1/forecast", answer);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(forecast().second, WeatherError::Transport) << what;
        EXPECT_LT(clock.elapsed(), 2500) << what;
    }
    // A refused connection: system/diagnostics.sh.
}

TEST_F(WeatherMonitorTest, CallbackIsDroppedWithItsContext)
{
    server.route("/json/", {200, kIpApiAnswer, HttpAnswer::Kind::Complete, 100});
    auto context = std::make_unique<QObject>();
    bool called = false;
    monitor->fetchIPLocation(context.get(), [&](const auto &) { called = true; });
    context.reset();
    waitUntil([] { return false; }, 400);
    EXPECT_EQ(server.targets().size(), 1);
    EXPECT_FALSE(called);
}
