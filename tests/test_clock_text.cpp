// The clock's texts, hand angles, city line and tick timing at fixed instants.
#include "views/ClockText.h"
#include "views/WidgetSpeech.h"
#include "UiLanguage.h"

#include <gtest/gtest.h>

using namespace ClockText;

TEST(ClockText, ItalianTextsAtFixedInstants)
{
    const struct {
        QDate date;
        QTime time;
        const char *hm, *s, *shortDate, *fullDate, *weekday, *day;
    } cases[] = {
        {{2026, 1, 1}, {0, 0, 0}, "00:00", "0 s", "GIO 1", "GIOVEDÌ, 1 GEN", "Giovedì", "1"},
        {{2025, 9, 14}, {13, 59, 59, 999}, "13:59", "59 s", "DOM 14", "DOMENICA, 14 SET", "Domenica", "14"},
        {{2024, 2, 29}, {0, 5, 7}, "00:05", "7 s", "GIO 29", "GIOVEDÌ, 29 FEB", "Giovedì", "29"},
    };
    for (const auto &c : cases) {
        const QDateTime d(c.date, c.time);
        SCOPED_TRACE(d.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(timeString(d), c.hm);
        EXPECT_EQ(secondsString(d), c.s);
        EXPECT_EQ(shortDateString(d), QString::fromUtf8(c.shortDate));
        EXPECT_EQ(fullDateString(d), QString::fromUtf8(c.fullDate));
        EXPECT_EQ(weekdayName(d), QString::fromUtf8(c.weekday));
        EXPECT_EQ(dayNumString(d), c.day);
    }
}

// The region chooses 12 or 24 hours; the marker is written and placed as the
// interface's language writes it there (rows: region, interface in it). Every
// row holds on Qt 6.4 and 6.8 alike, whose CLDR data differ.
TEST(ClockText, TwelveHourMarkersWhereTheLanguagePutsThem)
{
    const struct {
        const char *region, *language;
        QTime time;
        const char *text;
        bool markerLeft, monthFirst;
    } cases[] = {
        {"en_US", "en_US", {9, 7}, "9:07 AM", false, true},
        {"en_US", "en_US", {12, 30}, "12:30 PM", false, true},
        {"en_US", "en_US", {0, 30}, "12:30 AM", false, true},
        {"en_CA", "en_CA", {12, 5}, "12:05 p.m.", false, true},
        {"ko_KR", "ko_KR", {15, 59}, "오후 3:59", true, true},
        {"ko_KR", "ko_KR", {0, 5}, "오전 12:05", true, true},
        {"zh_TW", "zh_TW", {12, 0}, "下午12:00", true, true},
        {"zh_CN", "zh_CN", {15, 59}, "15:59", false, true},
        {"ar_EG", "ar_EG", {15, 59}, "3:59 م", true, false},  // after the time, in a right-to-left script
        {"hi_IN", "hi_IN", {0, 59}, "12:59 am", false, false},
        {"sq_AL", "sq_AL", {15, 59}, "3:59 e pasdites", false, false},
        {"el_GR", "el_GR", {15, 59}, "3:59 μ.μ.", false, false},
        {"el_GR", "en_US", {15, 59}, "3:59 PM", false, false},
        {"ko_KR", "en_US", {15, 59}, "3:59 PM", false, true},
        {"en_US", "it_IT", {12, 30}, "12:30 PM", false, true},
        {"de_DE", "en_US", {15, 59}, "15:59", false, false},
        {"it_IT", "it_IT", {0, 30}, "00:30", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.region) + " in " + c.language + " " + c.time.toString().toStdString());
        const pellix::i18n::ClockTimeParts parts =
            pellix::i18n::clockTimeParts(c.time, QLocale(c.region), QLocale(c.language));
        EXPECT_EQ(parts.text().toStdString(), c.text);
        EXPECT_EQ(parts.dayPeriodLeft(), c.markerLeft);
        EXPECT_EQ(pellix::i18n::writesMonthFirst(QLocale(c.region)), c.monthFirst);
    }
}

TEST(ClockText, HandAnglesAtFixedInstants)
{
    const struct {
        QTime time;
        double hour, minute, second;
    } cases[] = {
        {{12, 30, 0}, 15.0, 180.0, 0.0},
        {{0, 0, 59}, 0.0, 5.9, 354.0},
        {{9, 7, 5}, 273.5, 42.5, 30.0},
        {{23, 59, 59}, 359.5, 359.9, 354.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.time.toString().toStdString());
        EXPECT_NEAR(hourAngle(c.time), c.hour, 1e-9);
        EXPECT_NEAR(minuteAngle(c.time), c.minute, 1e-9);
        EXPECT_NEAR(secondAngle(c.time), c.second, 1e-9);
    }
    EXPECT_EQ(secondAngle(QTime(10, 0, 1, 999)), 6.0);  // the second hand jumps
}

TEST(ClockText, CityUpdateRule)
{
    auto weather = [](std::optional<QString> city) { WeatherData w; w.city = city; return std::optional(w); };
    const struct {
        WeatherSettings settings;
        std::optional<WeatherData> weather;
        QString current, expected;
    } cases[] = {
        {{true, "Roma, Lazio", {}, {}}, weather("Bologna"), "MILANO", "ROMA"},
        {{true, " torino", {}, {}}, std::nullopt, "MILANO", " TORINO"},
        {{true, "", {}, {}}, weather("Bologna"), "MILANO", ""},
        {{true, ",Lazio", {}, {}}, std::nullopt, "X", ""},
        {{true, QString::fromUtf8("forlì"), {}, {}}, std::nullopt, "X", QString::fromUtf8("FORLÌ")},
        {{false, "Roma", {}, {}}, weather("Bologna"), "MILANO", "BOLOGNA"},
        {{false, "Roma", {}, {}}, std::nullopt, "MILANO", "MILANO"},
        {{false, "", {}, {}}, weather(std::nullopt), "NAPOLI", "NAPOLI"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(updatedCity(c.settings, c.weather, c.current), c.expected) << c.settings.city.toStdString();
}

// What the clock tells a screen reader: to the minute, with the seconds only in full.
TEST(ClockText, SpokenTextInTheInterfaceLanguage)
{
    const QDateTime d({2025, 12, 5}, {21, 7, 5});
    const struct {
        const char *language, *region, *city, *spoken, *full;
    } cases[] = {
        {"it", "it_IT", "MILANO", "21:07, venerdì, 5 dicembre, Milano", "21:07, 5 s, venerdì, 5 dicembre, Milano"},
        {"it", "it_IT", " ", "21:07, venerdì, 5 dicembre", "21:07, 5 s, venerdì, 5 dicembre"},
        {"en", "en_US", "NEW YORK", "9:07 PM, Friday, December 5, New York", "9:07 PM, 5 s, Friday, December 5, New York"},
    };
    for (const auto &c : cases) {
        pellix::i18n::useLanguage(c.language, QLocale(c.region));
        EXPECT_EQ(clockSpeech(d, QString::fromUtf8(c.city)), QString::fromUtf8(c.spoken)) << c.region;
        EXPECT_EQ(clockSpeech(d, QString::fromUtf8(c.city), true), QString::fromUtf8(c.full)) << c.region;
    }
    pellix::i18n::useLanguage("it", QLocale("it_IT"));
}
