// The interface's language and region: which language is chosen, and the clock,
// weather and extension texts for a few regions at a fixed instant.
#include "PellixClockWidgetView.h"
#include "PellixWeatherWidgetView.h"
#include "SharedWidgetDataJson.h"
#include "UiLanguage.h"
#include "views/ClockText.h"
#include "views/WeatherText.h"

#include <gtest/gtest.h>

using namespace pellix;

TEST(UiLanguage, FirstShippedLanguageOfTheUsersListElseEnglish)
{
    EXPECT_EQ(i18n::chooseLanguage({"de-DE", "de", "en-US"}), "de");
    EXPECT_EQ(i18n::chooseLanguage({"pt-BR", "pt", "fr-CA", "fr"}), "fr");
    EXPECT_EQ(i18n::chooseLanguage({"it_IT.UTF-8"}), "it");
    EXPECT_EQ(i18n::chooseLanguage({"C"}), "en");
    EXPECT_EQ(i18n::chooseLanguage({"ja-JP", "ja"}), "en");
}

TEST(UiLanguage, ClockWeatherAndExtensionTextsByRegion)
{
    const QDateTime morning(QDate(2025, 12, 5), QTime(9, 7, 5)), evening(QDate(2025, 12, 5), QTime(21, 30));
    WeatherResponse response;
    response.daily = WeatherResponse::DailyForecast{{"2025-12-05", "2025-12-08"}, {3, 61}, {21.6, -1.2}, {-5.0, -9.4}};
    const extension::WidgetEntry entry(morning, decodeSharedWidgetData(R"({"weather":{"temp":21,"apparent":-17.78}})"));
    // Clock: time morning and evening, full date, short date, weekday. Weather: 21.6 °C,
    // a forecast day, code 3, high and low. Extension: date, time, temperature, felt
    // (-17.78 °C is -0.004 °F).
    const struct {
        const char *language, *region;
        QStringList clock, weather, extension;
    } table[] = {
        {"it", "it_IT", {"09:07", "21:30", "VENERDÌ, 5 DIC", "VEN 5", "Venerdì"}, {"22°", "Lun", "Nuvoloso", "H:22° L:-5°"},
         {"VENERDÌ 5 DICEMBRE", "09:07", "21.0°", "Percepito -17.8°"}},
        {"en", "en_US", {"9:07 AM", "9:30 PM", "FRIDAY, DEC 5", "FRI 5", "Friday"}, {"71°", "Mon", "Cloudy", "H:71° L:23°"},
         {"FRIDAY, DECEMBER 5", "9:07 AM", "69.8°", "Feels like 0.0°"}},
        {"en", "en_GB", {"09:07", "21:30", "FRIDAY, 5 DEC", "FRI 5", "Friday"}, {"22°", "Mon", "Cloudy", "H:22° L:-5°"},
         {"FRIDAY 5 DECEMBER", "09:07", "21.0°", "Feels like -17.8°"}},
        {"en", "en_CA", {"9:07 a.m.", "9:30 p.m.", "FRIDAY, DEC 5", "FRI 5", "Friday"}, {"22°", "Mon", "Cloudy", "H:22° L:-5°"},
         {"FRIDAY, DECEMBER 5", "9:07 a.m.", "21.0°", "Feels like -17.8°"}},
        {"en", "el_GR", {"9:07 AM", "9:30 PM", "FRIDAY, DEC 5", "FRI 5", "Friday"}, {"22°", "Mon", "Cloudy", "H:22° L:-5°"},
         {"FRIDAY, DECEMBER 5", "9:07 AM", "21.0°", "Feels like -17.8°"}},  // the marker in English, not "π.μ."
        {"de", "de_DE", {"09:07", "21:30", "FREITAG, 5. DEZ.", "FR. 5", "Freitag"}, {"22°", "Mo.", "Bewölkt", "H:22° T:-5°"},
         {"FREITAG, 5. DEZEMBER", "09:07", "21.0°", "Gefühlt -17.8°"}},
    };
    for (const auto &row : table) {
        SCOPED_TRACE(row.region);
        i18n::useLanguage(row.language, QLocale(row.region));
        EXPECT_EQ(QStringList({ClockText::timeString(morning), ClockText::timeString(evening),
                               ClockText::fullDateString(morning), ClockText::shortDateString(morning),
                               ClockText::weekdayName(morning)}),
                  row.clock);
        EXPECT_EQ(QStringList({temperatureText(21.6), forecastRows(*response.daily).value(0).day, wmoDesc(3),
                               highLowText(response).value_or("")}),
                  row.weather);
        const extension::PellixClockWidgetView clock{entry};
        const extension::PellixWeatherWidgetView weather{entry};
        EXPECT_EQ(QStringList({clock.formattedDate(), clock.formattedTime(), weather.temperatureText(),
                               weather.apparentText()}),
                  row.extension);
    }
    i18n::useLanguage("it", QLocale("it_IT"));
}
