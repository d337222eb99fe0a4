// The clock view: face and panel choice, city updates, ticking while shown,
// and the hands as they come out on the rendered image.
#include "Colors.h"
#include "settings/SettingsManager.h"
#include "views/AnalogClockFace.h"
#include "views/ClockSidePanel.h"
#include "views/ClockWidgetView.h"
#include "views/DigitalClockFace.h"
#include "views/EdgeTimer.h"
#include "test_support.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtMath>
#include <gtest/gtest.h>

namespace {

class ClockViewTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SettingsManager settings{dir.filePath("store.json")};
};

}  // namespace

TEST_F(ClockViewTest, StyleAndSizeChooseFaceAndPanelOnALiveView)
{
    const struct {
        const char *style, *size;
        bool analog, panel, detail;
    } cases[] = {
        {"analog", "small", true, false, true},
        {"digital", "medium", false, true, true},
        {"analog", "medium", true, true, false},
        {"analog", "large", true, false, false},
        {"Analog", "small", false, false, false},
        {"", "medium", false, true, true},
    };
    ClockWidgetView view(settings);
    view.setClock([] { return QDateTime(QDate(2025, 12, 5), QTime(9, 7, 5)); });
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.style) + "/" + c.size);
        settings.setClockStyle(c.style);
        settings.setSize("clock", c.size);
        ASSERT_EQ(view.showsAnalogFace(), c.analog);
        ASSERT_EQ(view.showsSidePanel(), c.panel);
        // Texts on the analogue face, medium digits on the digital one.
        EXPECT_EQ(c.analog ? view.analogFace()->showsTexts() : view.digitalFace()->isMedium(), c.detail);
    }
    EXPECT_EQ(view.sidePanel()->weekday() + view.sidePanel()->dayNumber(), QString::fromUtf8("Venerdì5"));
}

TEST_F(ClockViewTest, HandsPointWhereTheTimeSays)
{
    settings.setClockStyle("analog");
    settings.setSize("clock", "small");
    ClockWidgetView view(settings);
    view.resize(170, 170);
    view.setClock([] { return QDateTime(QDate(2025, 12, 5), QTime(3, 0, 45)); });
    view.show();
    QApplication::processEvents();
    // Four pixels per point: the 1.5-point hands cover whole pixels along their middle.
    QImage img(view.size() * 4, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(4);
    img.fill(QColor(128, 128, 128));
    view.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    const QRectF dial(QPointF(view.analogFace()->mapTo(&view, QPoint(0, 0))), QSizeF(view.analogFace()->size()));
    const auto at = [&](double degrees, double fraction) {  // clockwise from 12, share of the radius
        const double a = qDegreesToRadians(degrees), r = std::min(dial.width(), dial.height()) / 2;
        const QPointF p = (dial.center() + QPointF(std::sin(a), -std::cos(a)) * r * fraction) * 4;
        return QColor(img.pixel(int(p.x()), int(p.y())));
    };

    // 45 s: the accent-red second hand lies on the 9 o'clock ray up to 0.88 of the radius.
    for (double f : {0.3, 0.5, 0.7, 0.86})
        EXPECT_EQ(at(270, f), pellix::ui::accentRed()) << f;
    EXPECT_NE(at(270, 0.95), pellix::ui::accentRed());
    // 03:00: the white hour hand toward 3 up to 0.55, the minute hand toward 12 to 0.8.
    EXPECT_EQ(at(90, 0.45), QColor(Qt::white));
    EXPECT_NE(at(90, 0.65), QColor(Qt::white));
    EXPECT_EQ(at(4.5, 0.7), QColor(Qt::white));
    EXPECT_NE(at(4.5, 0.9), QColor(Qt::white));
}

TEST_F(ClockViewTest, CityLineFollowsTheCitySettingAndThePublishedForecast)
{
    ClockWidgetView view(settings);
    SharedWidgetData shared;
    shared.weather.emplace().city = "Bologna";
    view.show();
    EXPECT_EQ(view.city(), "MILANO");  // automatic mode, no weather yet
    settings.setWeatherSettings({true, "Roma, Lazio", {}, {}});
    EXPECT_EQ(view.city(), "ROMA");
    settings.setSharedData(shared);  // a manual city wins over the forecast's
    EXPECT_EQ(view.city(), "ROMA");
    settings.setWeatherSettings({false, "Roma, Lazio", {}, {}});
    EXPECT_EQ(view.city(), "ROMA");  // a mode switch alone waits for its forecast...
    settings.setSharedData(shared);
    EXPECT_EQ(view.city(), "BOLOGNA");  // ...and takes it
    shared.weather->city = "Beauharnois";
    settings.setSharedData(shared);
    EXPECT_EQ(view.city(), "BEAUHARNOIS");
    shared.weather.reset();  // a record without weather keeps the line
    settings.setSharedData(shared);
    EXPECT_EQ(view.city(), "BEAUHARNOIS");
}

TEST_F(ClockViewTest, TicksOnTheWallClockOnlyWhileShownWithoutSkippingASecond)
{
    ClockWidgetView view(settings);
    QVector<QDateTime> shown;
    view.setClock([&] { return shown.emplace_back(QDateTime::currentDateTime()); });
    EXPECT_FALSE(view.isTicking());
    view.show();
    EXPECT_TRUE(view.isTicking());
    QTest::qWait(2300);
    ASSERT_GE(shown.size(), 3);
    EXPECT_EQ(view.currentDate(), shown.last());
    for (int i = 1; i < shown.size(); ++i)
        EXPECT_LE(shown[i].toSecsSinceEpoch() - shown[i - 1].toSecsSinceEpoch(), 1) << i;
    view.hide();
    EXPECT_FALSE(view.isTicking());
    view.show();
    EXPECT_TRUE(view.isTicking());
}

TEST(EdgeTimer, AimsJustPastTheNextEdgeOfItsPeriod)
{
    const struct {
        qint64 now;
        int period;
        qint64 next;
    } cases[] = {
        {1'000'000, 1000, 1'000'004},  // on the edge, before the margin has passed
        {1'000'003, 1000, 1'000'004},
        {1'000'004, 1000, 1'001'004},  // a tick that lands on time aims at the next second
        {1'000'999, 1000, 1'001'004},
        {1'001'000, 4000, 1'004'004},  // every fourth second meets a second's tick
        {1'004'004, 4000, 1'008'004},
        {-1, 1000, 4},                 // before the epoch, the edges hold
        {-2500, 1000, -1996},
    };
    for (const auto &c : cases)
        EXPECT_EQ(EdgeTimerRules::nextEdge(c.now, c.period), c.next) << c.now << " " << c.period;
}

// Timers whose edges meet fire in one wake-up: nothing runs between them.
TEST_F(ClockViewTest, EdgeTimersThatMeetFireTogether)
{
    EdgeTimer second(1000), everyOther(2000);
    QString log;
    QObject::connect(&second, &EdgeTimer::timeout, [&] {
        log += 'a';
        QTimer::singleShot(0, [&] { log += '|'; });
    });
    QObject::connect(&everyOther, &EdgeTimer::timeout, [&] { log += 'b'; });
    second.start();
    everyOther.start();
    QTest::qWait(4200);
    EXPECT_GE(log.count('b'), 2) << log.toStdString();
    EXPECT_EQ(log.count('b'), log.count(QLatin1String("ab"))) << log.toStdString();
    second.stop();
    everyOther.stop();

    // Riders wake the process themselves only at their latest; on their own
    // edges they go along with a wake-up that happens anyway.
    EdgeTimer rider(250), safety(500);
    rider.setRiding(60000);
    safety.setRiding(1000);
    int riderFired = 0, safetyFired = 0;
    QObject::connect(&rider, &EdgeTimer::timeout, [&] { ++riderFired; });
    QObject::connect(&safety, &EdgeTimer::timeout, [&] { ++safetyFired; });
    rider.start();
    safety.start();
    QTest::qWait(2100);
    EXPECT_GE(safetyFired, 2);
    EXPECT_LE(safetyFired, 3);
    EXPECT_EQ(riderFired, safetyFired);
}

TEST_F(ClockViewTest, ATickRepaintsOnlyWhatMoved)
{
    const struct {
        const char *style;
        int maxArea;  // points, of the 57800 of the widget
    } cases[] = {{"analog", 3500}, {"digital", 2500}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.style);
        settings.setClockStyle(c.style);
        settings.setSize("clock", "medium");
        ClockWidgetView view(settings);
        view.resize(340, 170);
        QTime now(10, 10, 5);
        view.setClock([&] { return QDateTime(QDate(2025, 12, 5), now); });
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        QApplication::processEvents();
        pellix::test::PaintSpy spy{&view};
        now = now.addSecs(1);
        view.tick();
        QApplication::processEvents();
        EXPECT_GT(spy.area(), 0);
        EXPECT_LE(spy.area(), c.maxArea);
        if (view.analogFace()) {
            // The second hand's tip where it was (5 s) and where it is (6 s).
            const QRectF dial(QPointF(view.analogFace()->mapTo(&view, QPoint(0, 0))), view.analogFace()->size());
            for (double degrees : {30.0, 36.0}) {
                const double a = qDegreesToRadians(degrees), r = std::min(dial.width(), dial.height()) / 2 * 0.86;
                EXPECT_TRUE(spy.painted.contains((dial.center() + QPointF(std::sin(a), -std::cos(a)) * r).toPoint()))
                    << degrees;
            }
        }
    }
}
