// The weather client against a local server speaking the services' formats.
#include "LocalHttpServer.h"
#include "WeatherSamples.h"
#include "monitors/WeatherMonitor.h"

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
        const QString base = server.baseUrl();
        monitor = std::make_unique<WeatherMonitor>(WeatherEndpoints{base, base, base});
        monitor->setLimits({2000ms, 64 * 1024});
    }

    // Runs one call to the end and hands back its reply.
    template <typename T, typename Start>
    WeatherReply<T> run(Start start, int waitMs = 5000)
    {
        std::optional<WeatherReply<T>> reply;
        int calls = 0;
        start([&](const WeatherReply<T> &r) {
            reply = r;
            ++calls;
        });
        EXPECT_TRUE(waitUntil([&] { return calls > 0; }, waitMs));
        if (!reply)
            return WeatherError::BadUrl;  // the EXPECT above has already failed
        EXPECT_TRUE(!waitUntil([&] { return calls > 1; }, 50)) << "callback ran twice";
        return *reply;
    }

    WeatherReply<IPLocation> ipLocation()
    {
        return run<IPLocation>([&](auto done) { monitor->fetchIPLocation(nullptr, done); });
    }
    WeatherReply<std::optional<WeatherSettings>> search(const QString &name)
    {
        return run<std::optional<WeatherSettings>>(
            [&](auto done) { monitor->searchCityCoordinates(name, nullptr, done); });
    }
    WeatherReply<WeatherResponse> forecast(double lat = 45.0, double lon = 9.0)
    {
        return run<WeatherResponse>([&](auto done) { monitor->fetchWeather(lat, lon, nullptr, done); });
    }

    LocalHttpServer server;
    std::unique_ptr<WeatherMonitor> monitor;
};

}  // namespace

TEST(WeatherUrls, CoordinatesAreShortestRoundTripWithFraction)
{
    const std::pair<double, const char *> cases[] = {
        {45.0, "45.0"}, {9.0, "9.0"}, {45.4642, "45.4642"}, {-0.5, "-0.5"}, {0.0, "0.0"},
        {-122.419416, "-122.419416"}, {0.1 + 0.2, "0.30000000000000004"}, {1e-5, "0.00001"}, {180.0, "180.0"},
    };
    for (const auto &[value, text] : cases) {
        EXPECT_EQ(coordinateText(value), QString(text)) << text;
        EXPECT_EQ(coordinateText(value)->toDouble(), value) << text;
    }
    EXPECT_FALSE(coordinateText(std::nan("")));
    EXPECT_FALSE(coordinateText(INFINITY));
    EXPECT_FALSE(coordinateText(-INFINITY));
}

TEST(WeatherUrls, NamesAreEncodedAsOneQueryValue)
{
    const std::pair<QString, QByteArray> cases[] = {
        {"Milano", "Milano"},
        {"San Donà di Piave", "San%20Don%C3%A0%20di%20Piave"},
        {"Forlì & Cesena", "Forl%C3%AC%20%26%20Cesena"},
        {"a=b+c#d?e/f", "a%3Db%2Bc%23d%3Fe%2Ff"},
        {"x&count=99", "x%26count%3D99"},
        {"-._~", "-._~"},
        {"", ""},
        {"Zürich", "Z%C3%BCrich"},
    };
    for (const auto &[name, encoded] : cases)
        EXPECT_EQ(encodeQueryValue(name), encoded) << name.toStdString();
    EXPECT_FALSE(encodeQueryValue(QString(QChar(0xD800))));  // a lone surrogate has no UTF-8
}

TEST(WeatherUrls, BaseMustBeAnAbsoluteHttpUrl)
{
    for (const QString base : {"", "127.0.0.1:8765", "ftp://example.org", "http://", "not a url", "http://exa mple"})
        EXPECT_FALSE(ipLocationUrl(base)) << base.toStdString();
    EXPECT_EQ(ipLocationUrl("http://127.0.0.1:8765/")->toString(),
              "http://127.0.0.1:8765/json/?fields=lat,lon,city,country");
    EXPECT_EQ(geocodingUrl("https://geocoding-api.open-meteo.com", "Milano")->toEncoded(),
              "https://geocoding-api.open-meteo.com/v1/search?name=Milano&count=1&language=it&format=json");
    EXPECT_FALSE(forecastUrl("https://api.open-meteo.com", std::nan(""), 9.0));
}

TEST(WeatherEndpointsTest, EnvironmentOverridesEachBase)
{
    qputenv("PELLIX_IPLOCATION_URL", "http://127.0.0.1:1");
    qputenv("PELLIX_GEOCODING_URL", "");
    qputenv("PELLIX_FORECAST_URL", "http://127.0.0.1:3");
    const WeatherEndpoints e = WeatherEndpoints::fromEnvironment();
    qunsetenv("PELLIX_IPLOCATION_URL");
    qunsetenv("PELLIX_GEOCODING_URL");
    qunsetenv("PELLIX_FORECAST_URL");
    EXPECT_EQ(e.ipLocation, "http://127.0.0.1:1");
    EXPECT_EQ(e.geocoding, "https://geocoding-api.open-meteo.com");
    EXPECT_EQ(e.forecast, "http://127.0.0.1:3");
    EXPECT_EQ(WeatherEndpoints::fromEnvironment().ipLocation, "http://ip-api.com");
}

TEST_F(WeatherMonitorTest, RequestTargetsOnTheWire)
{
    server.route("/", {200, "{}"});
    ipLocation();
    search("Milano");
    search("San Donà di Piave");
    search("");
    search("Forlì & Cesena");
    search("100% a+b");
    forecast(45.0, 9.0);
    forecast(-33.8688, 151.2093);
    const QList<QByteArray> expected = {
        "/json/?fields=lat,lon,city,country",
        "/v1/search?name=Milano&count=1&language=it&format=json",
        "/v1/search?name=San%20Don%C3%A0%20di%20Piave&count=1&language=it&format=json",
        "/v1/search?name=&count=1&language=it&format=json",
        "/v1/search?name=Forl%C3%AC%20%26%20Cesena&count=1&language=it&format=json",
        "/v1/search?name=100%25%20a%2Bb&count=1&language=it&format=json",
        "/v1/forecast?latitude=45.0&longitude=9.0&current=temperature_2m,weathercode,windspeed_10m,"
        "relativehumidity_2m,apparent_temperature&daily=weathercode,temperature_2m_max,temperature_2m_min"
        "&timezone=auto&forecast_days=5",
        "/v1/forecast?latitude=-33.8688&longitude=151.2093&current=temperature_2m,weathercode,windspeed_10m,"
        "relativehumidity_2m,apparent_temperature&daily=weathercode,temperature_2m_max,temperature_2m_min"
        "&timezone=auto&forecast_days=5",
    };
    EXPECT_EQ(server.targets(), expected);
}

TEST_F(WeatherMonitorTest, IPLocationDecoding)
{
    server.route("/json/", {200, kIpApiAnswer});
    const auto ok = ipLocation();
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.value(), (IPLocation{45.4642, 9.1895, "Milan", "Italy"}));

    const std::pair<const char *, QByteArray> failures[] = {
        {"no city", edited(kIpApiAnswer, {"city"}, QJsonValue::Undefined)},
        {"city null", edited(kIpApiAnswer, {"city"}, QJsonValue::Null)},
        {"lat as text", edited(kIpApiAnswer, {"lat"}, "45.4")},
        {"service failure", kIpApiFailure},
        {"not json", "<html>502</html>"},
        {"json array", "[]"},
        {"empty body", ""},
    };
    for (const auto &[what, body] : failures) {
        server.route("/json/", {200, body});
        const auto r = ipLocation();
        ASSERT_FALSE(r.ok()) << what;
        EXPECT_EQ(r.error(), WeatherError::Decoding) << what;
    }
}

TEST_F(WeatherMonitorTest, CitySearchDecoding)
{
    server.route("/v1/search", {200, kGeocodingMilano});
    auto r = search("Milano");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value(), (WeatherSettings{true, "Milano, Italia", 45.46427, 9.18951}));

    QJsonObject roma{{"name", "Roma"}, {"latitude", 41.89193}, {"longitude", 12.51133}, {"country", "Italia"}};
    QJsonObject paris{{"name", "Parigi"}, {"latitude", 48.85341}, {"longitude", 2.3488}, {"country", "Francia"}};
    server.route("/v1/search", {200, edited(kGeocodingMilano, {"results"}, QJsonArray{roma, paris})});
    r = search("Roma");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value(), (WeatherSettings{true, "Roma, Italia", 41.89193, 12.51133}));

    // Nothing found is an empty answer, not an error.
    for (const QByteArray &body : {QByteArray(R"({"generationtime_ms":0.4})"),
                                   edited(kGeocodingMilano, {"results"}, QJsonArray{}),
                                   edited(kGeocodingMilano, {"results"}, QJsonValue::Null)}) {
        server.route("/v1/search", {200, body});
        r = search("Xyzzy");
        ASSERT_TRUE(r.ok()) << body.toStdString();
        EXPECT_FALSE(r.value().has_value());
    }

    roma.remove("country");
    const std::pair<const char *, HttpAnswer> failures[] = {
        {"result without country", {200, edited(kGeocodingMilano, {"results"}, QJsonArray{paris, roma})}},
        {"service error", {400, kOpenMeteoError}},
        {"results not an array", {200, R"({"results":{"name":"Roma"}})"}},
        {"result not an object", {200, R"({"results":["Roma"]})"}},
    };
    for (const auto &[what, answer] : failures) {
        server.route("/v1/search", answer);
        r = search("Roma");
        ASSERT_FALSE(r.ok()) << what;
        EXPECT_EQ(r.error(), WeatherError::Decoding) << what;
    }
}

TEST_F(WeatherMonitorTest, ForecastDecoding)
{
    server.route("/v1/forecast", {200, kForecast});
    auto r = forecast();
    ASSERT_TRUE(r.ok());
    const WeatherResponse &w = r.value();
    EXPECT_EQ(w.current, (WeatherResponse::CurrentWeather{6.3, 3, 87.0, 3.9, 4.2}));
    ASSERT_TRUE(w.daily);
    EXPECT_EQ(w.daily->time, (QList<QString>{"2026-12-07", "2026-12-08", "2026-12-09", "2026-12-10", "2026-12-11"}));
    EXPECT_EQ(w.daily->weathercode, (QList<int64_t>{3, 61, 45, 0, 80}));
    EXPECT_EQ(w.daily->temperature_2m_max, (QList<double>{8.1, 7.4, 9.5, 10.2, -2.5}));
    EXPECT_EQ(w.daily->temperature_2m_min, (QList<double>{2.3, 4.1, 3.0, 1.8, -0.4}));

    server.route("/v1/forecast", {200, edited(kForecast, {"daily"}, QJsonValue::Undefined)});
    r = forecast();
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r.value().daily);

    QByteArray sparse = kForecast;
    for (const char *key : {"windspeed_10m", "relativehumidity_2m", "apparent_temperature"})
        sparse = edited(sparse, {"current", key}, QJsonValue::Undefined);
    server.route("/v1/forecast", {200, sparse});
    r = forecast();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value().current, (WeatherResponse::CurrentWeather{6.3, 3, {}, {}, {}}));

    // Arrays are taken as sent, whatever their lengths.
    server.route("/v1/forecast", {200, edited(kForecast, {"daily", "weathercode"}, QJsonArray{1, 2})});
    r = forecast();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value().daily->weathercode, (QList<int64_t>{1, 2}));
    EXPECT_EQ(r.value().daily->time.size(), 5);

    const std::pair<const char *, HttpAnswer> failures[] = {
        {"no current", {200, edited(kForecast, {"current"}, QJsonValue::Undefined)}},
        {"no temperature", {200, edited(kForecast, {"current", "temperature_2m"}, QJsonValue::Undefined)}},
        {"fractional code", {200, edited(kForecast, {"current", "weathercode"}, 3.5)}},
        {"humidity as text", {200, edited(kForecast, {"current", "relativehumidity_2m"}, "87")}},
        {"daily without time", {200, edited(kForecast, {"daily", "time"}, QJsonValue::Undefined)}},
        {"null in daily maxima", {200, edited(kForecast, {"daily", "temperature_2m_max"}, QJsonArray{8.1, QJsonValue::Null})}},
        {"fractional daily code", {200, edited(kForecast, {"daily", "weathercode"}, QJsonArray{1, 2.5})}},
        {"date not text", {200, edited(kForecast, {"daily", "time"}, QJsonArray{20261207})}},
        {"daily not an object", {200, edited(kForecast, {"daily"}, QJsonArray{})}},
        {"service error", {400, R"({"error":true,"reason":"Latitude must be in range of -90 to 90°. Given: 91.0."})"}},
        {"server error page", {500, "<html><body>Internal Server Error</body></html>"}},
        {"truncated", {200, kForecast.left(kForecast.size() / 2)}},
    };
    for (const auto &[what, answer] : failures) {
        server.route("/v1/forecast", answer);
        r = forecast();
        ASSERT_FALSE(r.ok()) << what;
        EXPECT_EQ(r.error(), WeatherError::Decoding) << what;
    }
}

TEST_F(WeatherMonitorTest, UnformableUrlsFailAsBadUrl)
{
    monitor = std::make_unique<WeatherMonitor>(WeatherEndpoints{"nowhere", "ftp://x", "http://"});
    EXPECT_EQ(ipLocation().error(), WeatherError::BadUrl);
    EXPECT_EQ(search("Milano").error(), WeatherError::BadUrl);
    EXPECT_EQ(forecast().error(), WeatherError::BadUrl);

    const QString base = server.baseUrl();
    monitor = std::make_unique<WeatherMonitor>(WeatherEndpoints{base, base, base});
    EXPECT_EQ(search(QString(QChar(0xDC00))).error(), WeatherError::BadUrl);
    EXPECT_EQ(forecast(std::nan(""), 9.0).error(), WeatherError::BadUrl);
    EXPECT_TRUE(server.targets().isEmpty());
}

TEST_F(WeatherMonitorTest, EveryRequestEndsWithinItsBounds)
{
    monitor->setLimits({400ms, 64 * 1024});
    const std::pair<const char *, HttpAnswer> stalls[] = {
        {"never answers", {200, "", HttpAnswer::Kind::Silent}},
        {"answers too late", {200, kForecast, HttpAnswer::Kind::Complete, 3000}},
        {"trickles forever", {200, " ", HttpAnswer::Kind::Endless, 50}},
        {"streams forever", {200, QByteArray(16 * 1024, ' '), HttpAnswer::Kind::Endless, 1}},
        {"body over the cap", {200, QByteArray(100 * 1024, ' ') + kForecast}},
    };
    for (const auto &[what, answer] : stalls) {
        server.route("/v1/forecast", answer);
        QElapsedTimer clock;
        clock.start();
        const auto r = forecast();
        ASSERT_FALSE(r.ok()) << what;
        EXPECT_EQ(r.error(), WeatherError::Transport) << what;
        EXPECT_LT(clock.elapsed(), 2500) << what;
    }

    LocalHttpServer closed;
    ASSERT_TRUE(closed.start());
    closed.stop();
    const QString dead = closed.baseUrl();
    monitor = std::make_unique<WeatherMonitor>(WeatherEndpoints{dead, dead, dead});
    EXPECT_EQ(ipLocation().error(), WeatherError::Transport);
}

TEST_F(WeatherMonitorTest, CallbackIsDroppedWithItsContext)
{
    server.route("/json/", {200, kIpApiAnswer, HttpAnswer::Kind::Complete, 100});
    auto context = std::make_unique<QObject>();
    bool called = false;
    monitor->fetchIPLocation(context.get(), [&](const auto &) { called = true; });
    context.reset();
    waitUntil([&] { return server.targets().size() == 1; });
    waitUntil([] { return false; }, 300);
    EXPECT_FALSE(called);
}
