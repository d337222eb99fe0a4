// The weather widget's code tables, temperatures, day names and forecast rows.
#include "Colors.h"
#include "views/WeatherText.h"

#include <gtest/gtest.h>

using pellix::ui::rgba;

namespace {

struct CodeRange {
    int64_t first, last;
    const char *desc;
    std::u16string emoji;
};

// Written out as closed ranges so each boundary is stated on both sides.
const CodeRange kRanges[] = {
    {-1, -1, "Parz. nuvoloso", u"\u26C5"},
    {0, 0, "Sereno", u"\u2600\uFE0F"},
    {1, 2, "Parz. nuvoloso", u"\u26C5"},
    {3, 3, "Nuvoloso", u"\u2601\uFE0F"},
    {4, 49, "Nebbia", u"\U0001F32B\uFE0F"},
    {50, 57, "Pioggerella", u"\U0001F327\uFE0F"},
    {58, 67, "Pioggia", u"\U0001F327\uFE0F"},
    {68, 77, "Neve", u"\u2744\uFE0F"},
    {78, 82, "Rovesci", u"\U0001F326\uFE0F"},
    {83, 99, "Temporale", u"\u26C8\uFE0F"},
    {100, 101, "Sconosciuto", u"\U0001F321\uFE0F"},
};

QColor expectedGlow(int64_t code)
{
    if (code == 0)
        return rgba(255, 200, 50, 1.0);
    if (code < 3)
        return rgba(255, 200, 50, 0.6);
    if (code < 50)
        return rgba(150, 180, 220, 0.6);
    if (code < 78)
        return rgba(80, 140, 255, 1.0);
    return rgba(100, 200, 255, 1.0);
}

}  // namespace

TEST(WeatherCodes, EveryCodeFromMinusOneTo101)
{
    int checked = 0;
    for (const CodeRange &range : kRanges) {
        for (int64_t code = range.first; code <= range.last; ++code, ++checked) {
            EXPECT_EQ(wmoDesc(code), QString::fromUtf8(range.desc)) << code;
            EXPECT_EQ(wmoEmoji(code), QString::fromStdU16String(range.emoji)) << code;
            EXPECT_EQ(weatherGlowColor(code), expectedGlow(code)) << code;
        }
    }
    EXPECT_EQ(checked, 103);
    // Far outside the service's range the tables still answer.
    EXPECT_EQ(wmoDesc(INT64_MIN), "Parz. nuvoloso");
    EXPECT_EQ(wmoDesc(INT64_MAX), "Sconosciuto");
    EXPECT_EQ(weatherGlowColor(-1000), rgba(255, 200, 50, 0.6));
}

TEST(WeatherCodes, NamedExamples)
{
    EXPECT_EQ(wmoDesc(45), "Nebbia");
    EXPECT_EQ(weatherGlowColor(45), rgba(150, 180, 220, 0.6));
    EXPECT_EQ(wmoDesc(95), "Temporale");
    EXPECT_EQ(weatherGlowColor(95), rgba(100, 200, 255, 1.0));
    EXPECT_EQ(wmoDesc(100), "Sconosciuto");
}

TEST(WeatherTemperatures, HalvesRoundAwayFromZero)
{
    const std::pair<double, const char *> cases[] = {
        {-0.4, "0°"}, {21.5, "22°"}, {-2.5, "-3°"}, {2.5, "3°"}, {-0.5, "-1°"}, {0.49, "0°"},
        {12.0, "12°"}, {-7.6, "-8°"}, {99.5, "100°"}, {1e300, "9223372036854775807°"},
        {-1e300, "-9223372036854775808°"},
    };
    for (const auto &[value, text] : cases)
        EXPECT_EQ(temperatureText(value), QString::fromUtf8(text)) << value;
}

TEST(WeatherText, ShortDayNames)
{
    const std::pair<const char *, const char *> cases[] = {
        {"2026-12-07", "Lun"}, {"2026-12-08", "Mar"}, {"2026-12-09", "Mer"}, {"2026-12-10", "Gio"},
        {"2026-12-11", "Ven"}, {"2026-12-12", "Sab"}, {"2026-12-13", "Dom"}, {"2024-02-29", "Gio"},
        {"", "—"}, {"domani", "—"}, {"2026-13-01", "—"}, {"2026-02-30", "—"}, {"2026-12-07T10:00", "—"},
    };
    for (const auto &[date, name] : cases)
        EXPECT_EQ(shortDayName(date), QString::fromUtf8(name)) << date;
}

TEST(WeatherText, DisplayCityIsTheTextBeforeTheFirstComma)
{
    EXPECT_EQ(displayCity("Roma, Italia"), "Roma");
    EXPECT_EQ(displayCity("Milano"), "Milano");
    EXPECT_EQ(displayCity(""), "");
    EXPECT_EQ(displayCity(" Aosta ,Italia, x"), " Aosta ");
    EXPECT_EQ(displayCity(",Italia"), "");
}

TEST(WeatherText, HighLowNeedsBothFirstValues)
{
    WeatherResponse r;
    EXPECT_FALSE(highLowText(r));
    r.daily = WeatherResponse::DailyForecast{{"2026-12-07"}, {3}, {21.4}, {11.5}};
    EXPECT_EQ(highLowText(r), QString::fromUtf8("H:21° L:12°"));
    r.daily->temperature_2m_min.clear();
    EXPECT_FALSE(highLowText(r));
    r.daily->temperature_2m_min = {1};
    r.daily->temperature_2m_max.clear();
    EXPECT_FALSE(highLowText(r));
}

TEST(WeatherText, ForecastRowsSkipMissingDaysAndNeverReadPastAnArray)
{
    const WeatherResponse::DailyForecast full{
        {"2026-12-07", "2026-12-08", "bad", "2026-12-10", "2026-12-11", "2026-12-12"},
        {0, 61, 45, 95, 3, 3},
        {8.1, 7.5, 9.0, 10.2, -2.5, 1},
        {2.3, 4.1, 3.0, 1.8, -0.4, 1}};
    const QList<ForecastRow> expected{
        {"Mar", QString::fromUtf16(u"\U0001F327\uFE0F"), "8°", "4°"},
        {"—", QString::fromUtf16(u"\U0001F32B\uFE0F"), "9°", "3°"},
        {"Gio", QString::fromUtf16(u"\u26C8\uFE0F"), "10°", "2°"},
        {"Ven", QString::fromUtf16(u"\u2601\uFE0F"), "-3°", "0°"},
    };
    EXPECT_EQ(forecastRows(full), expected);

    // One array shorter than the others drops the days it lacks, and only those.
    auto shortMin = full;
    shortMin.temperature_2m_min.resize(3);
    EXPECT_EQ(forecastRows(shortMin), expected.mid(0, 2));
    auto shortCodes = full;
    shortCodes.weathercode.resize(1);
    EXPECT_TRUE(forecastRows(shortCodes).isEmpty());
    EXPECT_TRUE(forecastRows({}).isEmpty());
}
