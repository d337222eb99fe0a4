#include "WeatherMonitor.h"

#include "PellixLogging.h"
#include "UiLanguage.h"

#include <QNetworkAccessManager>
#include <QTimer>

namespace {

// The request as diagnostics may show it: the query carries the user's place
// (coordinates, city) and any user info is a secret.
QString redacted(const QUrl &url)
{
    return url.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment).toDisplayString();
}

QString statusText(int httpStatus)
{
    return httpStatus ? QStringLiteral("HTTP %1").arg(httpStatus) : QStringLiteral("no HTTP answer");
}

}  // namespace

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
void WeatherMonitor::request(const char *service, const QString &base, const std::optional<QUrl> &url,
                             QObject *context, Decoder<T> decode, Callback<T> done)
{
    if (!url) {
        qCWarning(lcWeather, "%s: no request: base URL \"%s\" is not an absolute http(s) URL", service,
                  qPrintable(redacted(QUrl(base))));
        // Asynchronous like every other outcome, so callers see one order of events.
        QTimer::singleShot(0, context ? context : this, [done] { done(WeatherError::BadUrl); });
        return;
    }
    boundedGetResult(
        *m_network, *url, m_limits, context,
        [service, where = redacted(*url), decode = std::move(decode), done = std::move(done)](const GetResult &got) {
            if (!got.body) {
                qCWarning(lcWeather, "%s %s: %s, %s", service, qPrintable(where),
                          qPrintable(statusText(got.httpStatus)), qPrintable(got.failure));
                return done(WeatherError::Transport);
            }
            QString why;
            std::optional<T> value = decode(*got.body, &why);
            if (!value) {
                qCWarning(lcWeather, "%s %s: %s, cannot decode the answer: %s", service, qPrintable(where),
                          qPrintable(statusText(got.httpStatus)), qPrintable(why));
                return done(WeatherError::Decoding);
            }
            done(std::move(*value));
        });
}

void WeatherMonitor::fetchIPLocation(QObject *context, Callback<IPLocation> done)
{
    request<IPLocation>("ip-location", m_endpoints.ipLocation, ipLocationUrl(m_endpoints.ipLocation), context,
                        decodeIPLocation, std::move(done));
}

void WeatherMonitor::searchCityCoordinates(const QString &name, QObject *context,
                                           Callback<std::optional<WeatherSettings>> done)
{
    using Found = std::optional<WeatherSettings>;
    const auto decode = [](const QByteArray &body, QString *why) -> std::optional<Found> {
        const auto response = decodeGeocodingResponse(body, why);
        if (!response)
            return std::nullopt;
        return std::optional<Found>(std::in_place, firstResultSettings(*response));
    };
    const auto url = geocodingUrl(m_endpoints.geocoding, name, pellix::i18n::uiLanguage());
    request<Found>("geocoding", m_endpoints.geocoding, url, context, decode,
                   std::move(done));
}

void WeatherMonitor::fetchWeather(double latitude, double longitude, QObject *context,
                                  Callback<WeatherResponse> done)
{
    request<WeatherResponse>("forecast", m_endpoints.forecast, forecastUrl(m_endpoints.forecast, latitude, longitude),
                             context, decodeWeatherResponse, std::move(done));
}

std::optional<WeatherSettings> WeatherMonitor::firstResultSettings(const GeocodingResponse &response)
{
    if (!response.results || response.results->isEmpty())
        return std::nullopt;
    const auto &first = response.results->first();
    return WeatherSettings{true, first.name + ", " + first.country, first.latitude, first.longitude};
}
