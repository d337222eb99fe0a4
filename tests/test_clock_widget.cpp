// The clock view: face and panel choice, city updates, ticking while shown,
// and the hands as they come out on the rendered image.
#include "Colors.h"
#include "settings/SettingsManager.h"
#include "views/AnalogClockFace.h"
#include "views/ClockSidePanel.h"
#include "views/ClockWidgetView.h"
#include "views/DigitalClockFace.h"
#include "views/WidgetContainer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QtMath>
#include <gtest/gtest.h>

#include <cmath>

namespace {

const QDateTime kFriday(QDate(2025, 12, 5), QTime(9, 7, 5));

class ClockViewTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SettingsManager settings{dir.filePath("store.json")};

    void configure(const QString &style, const QString &size)
    {
        settings.setClockStyle(style);
        settings.setSize("clock", size);
    }

    static QImage render(QWidget &w)
    {
        QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(QColor(128, 128, 128));
        w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        return img;
    }

    // How strongly red the reddest pixel around `p` is (red above the other two).
    static int redness(const QImage &img, QPointF p)
    {
        int best = -255;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QRgb c = img.pixel(qRound(p.x()) + dx, qRound(p.y()) + dy);
                best = std::max(best, qRed(c) - std::max(qGreen(c), qBlue(c)));
            }
        return best;
    }
    static int brightness(const QImage &img, QPointF p)
    {
        int best = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QRgb c = img.pixel(qRound(p.x()) + dx, qRound(p.y()) + dy);
                best = std::max(best, std::min({qRed(c), qGreen(c), qBlue(c)}));
            }
        return best;
    }

    // A point on the ray at `degrees` clockwise from 12, `fraction` of the dial radius out.
    static QPointF onRay(const ClockWidgetView &view, double degrees, double fraction)
    {
        const QWidget *face = view.analogFace();
        const QRectF area(QPointF(face->mapTo(&view, QPoint(0, 0))), QSizeF(face->size()));
        const double r = std::min(area.width(), area.height()) / 2;
        const double a = qDegreesToRadians(degrees);
        return area.center() + QPointF(std::sin(a), -std::cos(a)) * r * fraction;
    }
};

}  // namespace

TEST_F(ClockViewTest, StyleAndSizeChooseFaceTextsAndPanel)
{
    const struct {
        const char *style, *size;
        bool analog, texts, panel, mediumDigits;
    } cases[] = {
        {"analog", "small", true, true, false, false},
        {"analog", "medium", true, false, true, false},
        {"analog", "large", true, false, false, false},
        {"digital", "small", false, false, false, false},
        {"digital", "medium", false, false, true, true},
        {"", "small", false, false, false, false},
        {"Analog", "", false, false, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.style) + "/" + c.size);
        configure(c.style, c.size);
        ClockWidgetView view(settings);
        EXPECT_EQ(view.showsAnalogFace(), c.analog);
        EXPECT_EQ(view.showsSidePanel(), c.panel);
        if (c.analog)
            EXPECT_EQ(view.analogFace()->showsTexts(), c.texts);
        else
            EXPECT_EQ(view.digitalFace()->isMedium(), c.mediumDigits);
    }
}

TEST_F(ClockViewTest, StyleAndSizeChangesApplyToALiveView)
{
    configure("analog", "small");
    ClockWidgetView view(settings);
    view.setClock([] { return kFriday; });
    settings.setClockStyle("digital");
    EXPECT_FALSE(view.showsAnalogFace());
    settings.setSize("clock", "medium");
    ASSERT_TRUE(view.showsSidePanel());
    EXPECT_TRUE(view.digitalFace()->isMedium());
    EXPECT_EQ(view.sidePanel()->weekday(), QString::fromUtf8("Venerdì"));
    EXPECT_EQ(view.sidePanel()->dayNumber(), "5");
    settings.setSize("clock", "small");
    EXPECT_FALSE(view.showsSidePanel());
    settings.setClockStyle("analog");
    ASSERT_TRUE(view.showsAnalogFace());
    EXPECT_TRUE(view.analogFace()->showsTexts());
}

TEST_F(ClockViewTest, HandsPointWhereTheTimeSays)
{
    configure("analog", "small");
    ClockWidgetView view(settings);
    view.resize(170, 170);
    view.setClock([] { return QDateTime(QDate(2025, 12, 5), QTime(3, 0, 45)); });
    view.show();
    QApplication::processEvents();
    const QImage img = render(view);

    // 45 s: the red second hand points to 9 o'clock and nowhere else.
    for (double f : {0.3, 0.5, 0.7, 0.86})
        EXPECT_GT(redness(img, onRay(view, 270, f)), 80) << f;
    EXPECT_LT(redness(img, onRay(view, 270, 0.95)), 30);  // the hand ends at 0.88
    for (double f : {0.3, 0.5, 0.7, 0.86}) {
        EXPECT_LT(redness(img, onRay(view, 90, f)), 30) << f;
        EXPECT_LT(redness(img, onRay(view, 0, f)), 30) << f;
    }
    // 03:00: hour hand white toward 3 o'clock up to 0.55, minute hand up toward 12 to 0.8.
    EXPECT_GT(brightness(img, onRay(view, 90, 0.45)), 220);
    EXPECT_LT(brightness(img, onRay(view, 90, 0.65)), 200);
    EXPECT_GT(brightness(img, onRay(view, 4.5, 0.7)), 220);

    // The second hand's own colour is the accent red.
    const QPointF mid = onRay(view, 270, 0.6);
    bool exact = false;
    for (int dy = -1; dy <= 1; ++dy)
        exact |= QColor(img.pixel(qRound(mid.x()), qRound(mid.y()) + dy)) == pellix::ui::accentRed();
    // Antialiasing may leave no fully covered pixel on a 1.5-point line; then be close.
    if (!exact) {
        EXPECT_GT(redness(img, mid), 120);
    }
}

TEST_F(ClockViewTest, DialIsDrawnOnceAcrossTicksOfTheSameDay)
{
    configure("analog", "small");
    ClockWidgetView view(settings);
    view.resize(170, 170);
    QDateTime now = kFriday;
    view.setClock([&] { return now; });
    view.show();
    QApplication::processEvents();
    for (int i = 0; i < 5; ++i) {
        now = now.addSecs(1);
        view.tick();
        render(view);
    }
    EXPECT_EQ(view.analogFace()->staticRenderCount(), 1);
    EXPECT_EQ(view.container()->panelRenderCount(), 1);
    now = now.addDays(1);  // a new date line under the hub
    view.tick();
    render(view);
    EXPECT_EQ(view.analogFace()->staticRenderCount(), 2);
}

TEST_F(ClockViewTest, CityLineFollowsTheWeatherCitySetting)
{
    ClockWidgetView view(settings);
    EXPECT_EQ(view.city(), "MILANO");

    // Automatic mode before any weather: showing keeps the default.
    view.show();
    EXPECT_EQ(view.city(), "MILANO");

    settings.setWeatherSettings({true, "Roma, Lazio", {}, {}});
    EXPECT_EQ(view.city(), "ROMA");

    // Neither a published forecast nor a mode switch without a new city name
    // touches the line...
    SharedWidgetData shared;
    shared.weather = WeatherData{};
    shared.weather->city = "Bologna";
    settings.setSharedData(shared);
    EXPECT_EQ(view.city(), "ROMA");
    settings.setWeatherSettings({false, "Roma, Lazio", {}, {}});
    EXPECT_EQ(view.city(), "ROMA");
    // ...the next appearance picks it up.
    view.hide();
    view.show();
    EXPECT_EQ(view.city(), "BOLOGNA");

    settings.setWeatherSettings({true, "", {}, {}});
    EXPECT_EQ(view.city(), "");
}

TEST_F(ClockViewTest, TimerRunsOnlyWhileShown)
{
    ClockWidgetView view(settings);
    EXPECT_FALSE(view.isTicking());
    view.show();
    EXPECT_TRUE(view.isTicking());
    view.hide();
    EXPECT_FALSE(view.isTicking());
    view.show();
    EXPECT_TRUE(view.isTicking());
}

TEST_F(ClockViewTest, TicksFollowTheWallClockWithoutSkippingASecond)
{
    ClockWidgetView view(settings);
    QVector<QDateTime> shown;
    view.setClock([&] {
        const QDateTime now = QDateTime::currentDateTime();
        shown.append(now);
        return now;
    });
    view.show();
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < 3300)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_GE(shown.size(), 4);
    EXPECT_EQ(view.currentDate(), shown.last());
    for (int i = 1; i < shown.size(); ++i) {
        const qint64 gap = shown[i].toSecsSinceEpoch() - shown[i - 1].toSecsSinceEpoch();
        EXPECT_LE(gap, 1) << "second skipped after " << shown[i - 1].toString("HH:mm:ss.zzz").toStdString();
    }
}
