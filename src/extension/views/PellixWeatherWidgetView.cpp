#include "PellixWeatherWidgetView.h"

#include "Colors.h"
#include "Fonts.h"
#include "TemperatureUnit.h"
#include "WidgetFrame.h"

#include <QCoreApplication>
#include <QLocale>

namespace pellix::extension {

using namespace pellix::ui;

namespace {

constexpr double kDefaultTemperature = 20.0;

std::optional<WeatherData> weatherOf(const WidgetEntry &entry)
{
    return entry.data ? entry.data->weather : std::nullopt;
}

// One decimal and a point whatever the locale, then the degree sign; the
// shared file holds Celsius, converted here like the app's own widget does.
QString degrees(double celsius)
{
    QString text = QString::asprintf("%.1f", pellix::i18n::inUnit(celsius, pellix::i18n::displayTemperatureUnit()));
    // A value just below zero (-17.78 °C in °F) rounds to zero, not to "-0.0".
    if (text == QLatin1String("-0.0"))
        text.remove(0, 1);
    return text + QChar(0x00B0);
}

}  // namespace

QString PellixWeatherWidgetView::weatherSystemIcon(int64_t code)
{
    switch (code) {
    case 0: case 1:
        return QStringLiteral("sun.max.fill");
    case 2:
        return QStringLiteral("cloud.sun.fill");
    case 3:
        return QStringLiteral("cloud.fill");
    case 45: case 48:
        return QStringLiteral("cloud.fog.fill");
    case 51: case 53: case 55: case 56: case 57:
        return QStringLiteral("cloud.drizzle.fill");
    case 61: case 63: case 65: case 66: case 67: case 80: case 81: case 82:
        return QStringLiteral("cloud.rain.fill");
    case 71: case 73: case 75: case 77: case 85: case 86:
        return QStringLiteral("snowflake");
    case 95: case 96: case 99:
        return QStringLiteral("cloud.bolt.rain.fill");
    default:
        return QStringLiteral("sun.max.fill");
    }
}

bool PellixWeatherWidgetView::withoutData() const
{
    return !entry.placeholder && !weatherOf(entry);
}

QString PellixWeatherWidgetView::cityText() const
{
    if (withoutData())
        return QCoreApplication::translate("PellixWeatherWidgetView", "METEO");
    const auto weather = weatherOf(entry);
    const QString city = weather && weather->city ? *weather->city : QStringLiteral("Milano");
    return QLocale(QLocale::Italian, QLocale::Italy).toUpper(city);
}

QString PellixWeatherWidgetView::temperatureText() const
{
    if (withoutData())
        return QStringLiteral("--") + QChar(0x00B0);
    const auto weather = weatherOf(entry);
    return degrees(weather && weather->temp ? *weather->temp : kDefaultTemperature);
}

QString PellixWeatherWidgetView::symbolName() const
{
    if (withoutData())
        return {};
    const auto weather = weatherOf(entry);
    return weatherSystemIcon(weather && weather->code ? *weather->code : 0);
}

QString PellixWeatherWidgetView::apparentText() const
{
    if (withoutData())
        return QCoreApplication::translate("PellixWeatherWidgetView", "Nessun dato");
    const auto weather = weatherOf(entry);
    return QCoreApplication::translate("PellixWeatherWidgetView", "Percepito %1", "felt temperature")
        .arg(degrees(weather && weather->apparent ? *weather->apparent : kDefaultTemperature));
}

QString PellixWeatherWidgetView::accessibleText() const
{
    // The city as the file names it: capitals are spelt out by some screen readers.
    const auto weather = weatherOf(entry);
    const QString city = weather && weather->city ? *weather->city : QStringLiteral("Milano");
    return QStringList{city, temperatureText(), apparentText()}.join(QStringLiteral(", "));
}

Block PellixWeatherWidgetView::body(double width) const
{
    constexpr double symbolSize = 24, spacing = 4;
    const QString symbol = symbolName();
    // One line, smaller when a record cold would push the degree sign onto a line of its own.
    const QString degrees = temperatureText();
    const double room = symbol.isEmpty() ? width : width - symbolSize - spacing;
    QList<Block> row{textBlock(degrees, fittedFont(systemFont(32, Weight::Semibold), degrees, room), white(), room)};
    if (!symbol.isEmpty())
        row << symbolBlock(symbol, symbolSize, systemYellow());
    return vstack({textBlock(cityText(), systemFont(9, Weight::Bold, 1), white(0.4), width, 2),
                   hstack(row, spacing, VAlign::Top),
                   textBlock(apparentText(), systemFont(10, Weight::Medium), white(0.6), width, 2)},
                  4, HAlign::Leading);
}

void PellixWeatherWidgetView::paint(QPainter &painter, const QRectF &rect) const
{
    paintInFrame(painter, rect, body(paddedArea(rect).width()), HAlign::Leading);
}

}  // namespace pellix::extension
