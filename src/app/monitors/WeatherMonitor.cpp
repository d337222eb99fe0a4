#include "WeatherMonitor.h"

#include <QNetworkAccessManager>
#include <QTimer>

WeatherMonitor &WeatherMonitor::shared()
{
    // Never destroyed: it must outlive every pending reply, and the network
    // manager may not be torn down after the application object.
    static WeatherMonitor *instance = new WeatherMonitor();
    return *instance;
}

WeatherMonitor::WeatherMonitor(const WeatherEndpoints &endpoints, QObject *parent)
    : QObject(parent), m_endpoints(endpoints), m_network(new QNetworkAccessManager(this))
{
}

WeatherMonitor::~WeatherMonitor() = default;

template <typename T>
void WeatherMonitor::request(const std::optional<QUrl> &url, QObject *context,
                             std::function<std::optional<T>(const QByteArray &)> decode, Callback<T> done)
{
    if (!url) {
        // Asynchronous like every other outcome, so callers see one order of events.
        QTimer::singleShot(0, context ? context : this, [done] { done(WeatherError::BadUrl); });
        return;
    }
    boundedGet(*m_network, *url, m_limits, context,
               [decode = std::move(decode), done = std::move(done)](std::optional<QByteArray> body) {
                   if (!body)
                       return done(WeatherError::Transport);
                   std::optional<T> value = decode(*body);
                   if (!value)
                       return done(WeatherError::Decoding);
                   done(std::move(*value));
               });
}

void WeatherMonitor::fetchIPLocation(QObject *context, Callback<IPLocation> done)
{
    request<IPLocation>(ipLocationUrl(m_endpoints.ipLocation), context, decodeIPLocation, std::move(done));
}

void WeatherMonitor::searchCityCoordinates(const QString &name, QObject *context,
                                           Callback<std::optional<WeatherSettings>> done)
{
    using Found = std::optional<WeatherSettings>;
    const auto decode = [](const QByteArray &body) -> std::optional<Found> {
        const auto response = decodeGeocodingResponse(body);
        if (!response)
            return std::nullopt;
        return std::optional<Found>(std::in_place, firstResultSettings(*response));
    };
    request<Found>(geocodingUrl(m_endpoints.geocoding, name), context, decode, std::move(done));
}

void WeatherMonitor::fetchWeather(double latitude, double longitude, QObject *context,
                                  Callback<WeatherResponse> done)
{
    request<WeatherResponse>(forecastUrl(m_endpoints.forecast, latitude, longitude), context,
                             decodeWeatherResponse, std::move(done));
}

std::optional<WeatherSettings> WeatherMonitor::firstResultSettings(const GeocodingResponse &response)
{
    if (!response.results || response.results->isEmpty())
        return std::nullopt;
    const auto &first = response.results->first();
    return WeatherSettings{true, first.name + ", " + first.country, first.latitude, first.longitude};
}
