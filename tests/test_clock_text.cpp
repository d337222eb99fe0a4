// The clock's texts, hand angles, city line and tick timing at fixed instants.
#include "views/ClockText.h"

#include <gtest/gtest.h>

using namespace ClockText;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

}  // namespace

TEST(ClockTextTest, ProducersMatchTheItalianExamples)
{
    const QDateTime friday = at(2025, 12, 5, 9, 7, 5);
    EXPECT_EQ(timeString(friday), "09:07");
    EXPECT_EQ(secondsString(friday), "5 s");
    EXPECT_EQ(shortDateString(friday), "VEN 5");
    EXPECT_EQ(fullDateString(friday), QString::fromUtf8("VENERDÌ, 5 DIC"));
    EXPECT_EQ(weekdayName(friday), QString::fromUtf8("Venerdì"));
    EXPECT_EQ(dayNumString(friday), "5");
}

TEST(ClockTextTest, DatesAcrossTheWeekAndYear)
{
    struct Case {
        QDateTime date;
        const char *shortDate, *fullDate, *weekday, *day;
    };
    const Case cases[] = {
        {at(2026, 1, 1, 0, 0, 0), "GIO 1", "GIOVEDÌ, 1 GEN", "Giovedì", "1"},
        {at(2025, 9, 14, 23, 59, 59), "DOM 14", "DOMENICA, 14 SET", "Domenica", "14"},
        {at(2024, 2, 29, 12, 0, 0), "GIO 29", "GIOVEDÌ, 29 FEB", "Giovedì", "29"},
        {at(2025, 6, 30, 8, 0, 0), "LUN 30", "LUNEDÌ, 30 GIU", "Lunedì", "30"},
        {at(2025, 3, 8, 8, 0, 0), "SAB 8", "SABATO, 8 MAR", "Sabato", "8"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.date.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(shortDateString(c.date), QString::fromUtf8(c.shortDate));
        EXPECT_EQ(fullDateString(c.date), QString::fromUtf8(c.fullDate));
        EXPECT_EQ(weekdayName(c.date), QString::fromUtf8(c.weekday));
        EXPECT_EQ(dayNumString(c.date), c.day);
    }
}

TEST(ClockTextTest, TimeIsTwoDigit24HourAndSecondsUnpadded)
{
    const struct {
        QTime time;
        const char *hm, *s;
    } cases[] = {
        {QTime(0, 0, 0), "00:00", "0 s"},
        {QTime(0, 5, 7), "00:05", "7 s"},
        {QTime(13, 45, 10), "13:45", "10 s"},
        {QTime(23, 59, 59, 999), "23:59", "59 s"},
    };
    for (const auto &c : cases) {
        const QDateTime d(QDate(2025, 12, 5), c.time);
        EXPECT_EQ(timeString(d), c.hm);
        EXPECT_EQ(secondsString(d), c.s);
    }
}

TEST(ClockTextTest, CapitalizedUpperCasesEachWordStartOnly)
{
    EXPECT_EQ(capitalized(QString::fromUtf8("venerdì")), QString::fromUtf8("Venerdì"));
    EXPECT_EQ(capitalized("hELLO wORLD"), "Hello World");
    EXPECT_EQ(capitalized(""), "");
    EXPECT_EQ(capitalized(QString::fromUtf8("ècco  due")), QString::fromUtf8("Ècco  Due"));
}

TEST(ClockAngles, HandsAtFixedInstants)
{
    const struct {
        QTime time;
        double hour, minute, second;
    } cases[] = {
        {QTime(12, 30, 0), 15.0, 180.0, 0.0},
        {QTime(0, 0, 59), 0.0, 5.9, 354.0},
        {QTime(3, 0, 0), 90.0, 0.0, 0.0},
        {QTime(15, 0, 0), 90.0, 0.0, 0.0},
        {QTime(9, 7, 5), 273.5, 42.5, 30.0},
        {QTime(23, 59, 59), 359.5, 359.9, 354.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.time.toString().toStdString());
        EXPECT_NEAR(hourAngle(c.time), c.hour, 1e-9);
        EXPECT_NEAR(minuteAngle(c.time), c.minute, 1e-9);
        EXPECT_NEAR(secondAngle(c.time), c.second, 1e-9);
    }
    // The second hand jumps: milliseconds do not move it.
    EXPECT_EQ(secondAngle(QTime(10, 0, 1, 999)), 6.0);
}

TEST(ClockCity, UpdateRule)
{
    auto weather = [](std::optional<QString> city) {
        WeatherData w;
        w.city = city;
        return std::optional<WeatherData>(w);
    };
    const struct {
        const char *name;
        WeatherSettings settings;
        std::optional<WeatherData> weather;
        QString current, expected;
    } cases[] = {
        {"manual name and region", {true, "Roma, Lazio", {}, {}}, weather("Bologna"), "MILANO", "ROMA"},
        {"manual keeps a leading blank", {true, " torino", {}, {}}, std::nullopt, "MILANO", " TORINO"},
        {"manual empty gives empty", {true, "", {}, {}}, weather("Bologna"), "MILANO", ""},
        {"manual starting with comma", {true, ",Lazio", {}, {}}, std::nullopt, "X", ""},
        {"manual accented", {true, QString::fromUtf8("forlì"), {}, {}}, std::nullopt, "X",
         QString::fromUtf8("FORLÌ")},
        {"automatic uses the weather city", {false, "Roma", {}, {}}, weather("Bologna"), "MILANO", "BOLOGNA"},
        {"automatic before any weather keeps", {false, "Roma", {}, {}}, std::nullopt, "MILANO", "MILANO"},
        {"automatic keeps a previous city", {false, "", {}, {}}, std::nullopt, "NAPOLI", "NAPOLI"},
        {"weather without a city keeps", {false, "", {}, {}}, weather(std::nullopt), "NAPOLI", "NAPOLI"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(updatedCity(c.settings, c.weather, c.current), c.expected);
    }
}

TEST(ClockTiming, NextTickLandsJustAfterTheSecondBoundary)
{
    EXPECT_EQ(msecsToNextSecond(QTime(10, 0, 0, 0)), 1000 + kTickMarginMs);
    EXPECT_EQ(msecsToNextSecond(QTime(10, 0, 0, 999)), 1 + kTickMarginMs);
    EXPECT_EQ(msecsToNextSecond(QTime(10, 0, 0, 4)), 996 + kTickMarginMs);
    // Whenever a tick wakes, the next wake is in the following second, never the same one.
    for (int ms = 0; ms < 1000; ms += 7) {
        const QTime wake(10, 0, 0, ms);
        const QTime next = wake.addMSecs(msecsToNextSecond(wake));
        EXPECT_EQ(next.second(), 1) << ms;
        EXPECT_GE(next.msec(), kTickMarginMs - 1);
    }
}
