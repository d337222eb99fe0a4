// The interface's language and region: which language is chosen, and the clock,
// weather and extension texts for a few regions at fixed instants.
#include "views/ClockText.h"
#include "PellixClockWidgetView.h"
#include "PellixWeatherWidgetView.h"
#include "SharedWidgetDataJson.h"
#include "UiLanguage.h"
#include "views/WeatherText.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace pellix;

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

TEST(UiLanguage, FirstShippedLanguageOfTheUsersListElseEnglish)
{
    const struct {
        QStringList wanted;
        const char *chosen;
    } cases[] = {
        {{"de-DE", "de", "en-US"}, "de"},
        {{"pt-BR", "pt", "fr-CA", "fr"}, "fr"},
        {{"it_IT.UTF-8"}, "it"},
        {{"ES"}, "es"},
        {{"C"}, "en"},
        {{"ja-JP", "ja"}, "en"},
        {{}, "en"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(i18n::chooseLanguage(c.wanted), c.chosen) << c.wanted.join(',').toStdString();
}

namespace {

struct Region {
    const char *language;
    const char *locale;
};

// Italian written the Italian way again after each case.
struct LanguageGuard {
    LanguageGuard(const Region &r) { i18n::useLanguage(r.language, QLocale(r.locale)); }
    ~LanguageGuard() { i18n::useLanguage("it", QLocale(QLocale::Italian, QLocale::Italy)); }
};

}  // namespace

TEST(UiLanguage, ClockWeatherAndExtensionTextsByRegion)
{
    const QDateTime morning(QDate(2025, 12, 5), QTime(9, 7, 5));
    const QDateTime evening(QDate(2025, 12, 5), QTime(21, 30));
    WeatherResponse response;
    response.daily = WeatherResponse::DailyForecast{{"2025-12-05", "2025-12-08"}, {3, 61}, {21.6, -1.2}, {-5.0, -9.4}};
    const auto shared = decodeSharedWidgetData(R"({"weather":{"city":"Milano","temp":21,"code":3,"apparent":-3.96}})");

    const struct {
        Region region;
        QStringList clock;     // time morning and evening, full date, short date, weekday
        QStringList weather;   // 21.6 °C, a forecast day, code 3, high and low
        QStringList extension; // date line, time, temperature, felt temperature
    } table[] = {
        {{"it", "it_IT"},
         {"09:07", "21:30", "VENERDÌ, 5 DIC", "VEN 5", "Venerdì"},
         {"22°", "Lun", "Nuvoloso", "H:22° L:-5°"},
         {"VENERDÌ 5 DICEMBRE", "09:07", "21.0°", "Percepito -4.0°"}},
        {{"en", "en_US"},
         {"9:07 AM", "9:30 PM", "FRIDAY, DEC 5", "FRI 5", "Friday"},
         {"71°", "Mon", "Cloudy", "H:71° L:23°"},
         {"FRIDAY, DECEMBER 5", "9:07 AM", "69.8°", "Feels like 24.9°"}},
        {{"en", "en_GB"},
         {"09:07", "21:30", "FRIDAY, 5 DEC", "FRI 5", "Friday"},
         {"22°", "Mon", "Cloudy", "H:22° L:-5°"},
         {"FRIDAY 5 DECEMBER", "09:07", "21.0°", "Feels like -4.0°"}},
        {{"de", "de_DE"},
         {"09:07", "21:30", "FREITAG, 5. DEZ.", "FR. 5", "Freitag"},
         {"22°", "Mo.", "Bewölkt", "H:22° T:-5°"},
         {"FREITAG, 5. DEZEMBER", "09:07", "21.0°", "Gefühlt -4.0°"}},
    };
    for (const auto &row : table) {
        SCOPED_TRACE(row.region.locale);
        const LanguageGuard guard(row.region);
        EXPECT_EQ(QStringList({ClockText::timeString(morning), ClockText::timeString(evening),
                               ClockText::fullDateString(morning), ClockText::shortDateString(morning),
                               ClockText::weekdayName(morning)}),
                  row.clock);
        EXPECT_EQ(QStringList({temperatureText(21.6), forecastRows(*response.daily).value(0).day,
                               wmoDesc(3), highLowText(response).value_or("")}),
                  row.weather);
        const extension::WidgetEntry entry(morning, shared);
        const extension::PellixClockWidgetView clock{entry};
        const extension::PellixWeatherWidgetView weather{entry};
        EXPECT_EQ(QStringList({clock.formattedDate(), clock.formattedTime(), weather.temperatureText(),
                               weather.apparentText()}),
                  row.extension);
    }
}
