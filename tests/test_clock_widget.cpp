// The clock view: face and panel choice, city updates, ticking while shown,
// and the hands as they come out on the rendered image.
#include "Colors.h"
#include "settings/SettingsManager.h"
#include "views/AnalogClockFace.h"
#include "views/ClockSidePanel.h"
#include "views/ClockWidgetView.h"
#include "views/DigitalClockFace.h"
#include "test_support.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
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

TEST_F(ClockViewTest, CityLineUpdatesOnShowAndOnTheCitySetting)
{
    ClockWidgetView view(settings);
    SharedWidgetData shared;
    shared.weather.emplace().city = "Bologna";
    view.show();
    EXPECT_EQ(view.city(), "MILANO");  // automatic mode, no weather yet
    settings.setWeatherSettings({true, "Roma, Lazio", {}, {}});
    EXPECT_EQ(view.city(), "ROMA");
    settings.setSharedData(shared);  // neither a published forecast nor a mode switch moves the line...
    settings.setWeatherSettings({false, "Roma, Lazio", {}, {}});
    EXPECT_EQ(view.city(), "ROMA");
    view.hide();
    view.show();  // ...the next appearance does
    EXPECT_EQ(view.city(), "BOLOGNA");
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
