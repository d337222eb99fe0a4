#include "WeatherUrls.h"

#include <charconv>
#include <cmath>

namespace {

QString fromEnvironment(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

// The base (scheme, host, optional port and path prefix) joined with an
// already encoded path and query.
std::optional<QUrl> join(const QString &base, const QByteArray &pathAndQuery)
{
    QByteArray text = base.trimmed().toUtf8();
    while (text.endsWith('/'))
        text.chop(1);
    const QUrl url = QUrl::fromEncoded(text + pathAndQuery, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    if (url.scheme() != "http" && url.scheme() != "https")
        return std::nullopt;
    return url;
}

}  // namespace

WeatherEndpoints WeatherEndpoints::fromEnvironment()
{
    WeatherEndpoints e;
    e.ipLocation = ::fromEnvironment("PELLIX_IPLOCATION_URL", e.ipLocation);
    e.geocoding = ::fromEnvironment("PELLIX_GEOCODING_URL", e.geocoding);
    e.forecast = ::fromEnvironment("PELLIX_FORECAST_URL", e.forecast);
    return e;
}

std::optional<QString> coordinateText(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    char buffer[400];  // the longest fixed form of a double is about 330 characters
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc())
        return std::nullopt;
    QString text = QString::fromLatin1(buffer, end - buffer);
    if (!text.contains('.'))
        text += ".0";
    return text;
}

std::optional<QByteArray> encodeQueryValue(const QString &text)
{
    if (!text.isValidUtf16())
        return std::nullopt;
    return QUrl::toPercentEncoding(text);
}

std::optional<QUrl> ipLocationUrl(const QString &base)
{
    return join(base, "/json/?fields=lat,lon,city,country");
}

std::optional<QUrl> geocodingUrl(const QString &base, const QString &name, const QString &language)
{
    const auto encoded = encodeQueryValue(name);
    if (!encoded)
        return std::nullopt;
    const auto lang = encodeQueryValue(language);
    if (!lang)
        return std::nullopt;
    return join(base, "/v1/search?name=" + *encoded + "&count=1&language=" + *lang + "&format=json");
}

std::optional<QUrl> forecastUrl(const QString &base, double latitude, double longitude)
{
    const auto lat = coordinateText(latitude);
    const auto lon = coordinateText(longitude);
    if (!lat || !lon)
        return std::nullopt;
    return join(base, "/v1/forecast?latitude=" + lat->toLatin1() + "&longitude=" + lon->toLatin1()
                          + "&current=temperature_2m,weathercode,windspeed_10m,relativehumidity_2m,"
                            "apparent_temperature&daily=weathercode,temperature_2m_max,temperature_2m_min"
                            "&timezone=auto&forecast_days=5");
}
