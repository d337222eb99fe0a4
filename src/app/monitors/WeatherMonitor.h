#pragma once

// Client of the IP-geolocation, geocoding and forecast services. Each call is one
// bounded GET whose decoded answer reaches the callback on the main thread; the
// monitor keeps no state between calls, caches nothing and never retries.

#include "BoundedGet.h"
#include "settings/SettingsRecords.h"
#include "WeatherRecords.h"
#include "WeatherUrls.h"

#include <QObject>

#include <functional>
#include <optional>
#include <variant>

class QNetworkAccessManager;

enum class WeatherError {
    BadUrl,     // the request URL could not be formed
    Transport,  // no complete answer: no network, refused, time-out, body too long
    Decoding,   // the body is not the expected JSON (service error objects included)
};

// The value, or why there is none.
template <typename T>
class WeatherReply {
public:
    WeatherReply(T value) : m_result(std::move(value)) {}
    WeatherReply(WeatherError error) : m_result(error) {}

    bool ok() const { return std::holds_alternative<T>(m_result); }
    const T &value() const { return std::get<T>(m_result); }
    WeatherError error() const { return std::get<WeatherError>(m_result); }

private:
    std::variant<T, WeatherError> m_result;
};

class WeatherMonitor : public QObject {
    Q_OBJECT

public:
    // Lives for the whole process; endpoints from the environment.
    static WeatherMonitor &shared();

    explicit WeatherMonitor(const WeatherEndpoints &endpoints = WeatherEndpoints::fromEnvironment(),
                            QObject *parent = nullptr);
    ~WeatherMonitor() override;

    const WeatherEndpoints &endpoints() const { return m_endpoints; }
    RequestLimits limits() const { return m_limits; }
    void setLimits(const RequestLimits &limits) { m_limits = limits; }

    template <typename T>
    using Callback = std::function<void(const WeatherReply<T> &)>;

    // Each callback runs once, unless `context` (when given) is destroyed first.
    void fetchIPLocation(QObject *context, Callback<IPLocation> done);
    // An unknown city is an empty optional, not an error.
    void searchCityCoordinates(const QString &name, QObject *context,
                               Callback<std::optional<WeatherSettings>> done);
    void fetchWeather(double latitude, double longitude, QObject *context, Callback<WeatherResponse> done);

    // The settings record for the geocoder's first result; nothing when it found none.
    static std::optional<WeatherSettings> firstResultSettings(const GeocodingResponse &response);

private:
    // Decodes a body, or says why it cannot.
    template <typename T>
    using Decoder = std::function<std::optional<T>(const QByteArray &, QString *why)>;

    // `service` and `base` only name the request in diagnostics.
    template <typename T>
    void request(const char *service, const QString &base, const std::optional<QUrl> &url, QObject *context,
                 Decoder<T> decode, Callback<T> done);

    WeatherEndpoints m_endpoints;
    RequestLimits m_limits;
    QNetworkAccessManager *m_network;
};
