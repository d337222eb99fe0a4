// Placement, resize and snapping rules in y-up screen points.
#include "shell/ShellGeometry.h"

#include <gtest/gtest.h>

using shell::Rect;

namespace {

const Rect kScreen{0, 0, 1440, 900};

Rect small(double x, double y)
{
    return {x, y, 170, 170};
}

}  // namespace

TEST(ShellGeometry, WidgetWidthIsMediumOrSmall)
{
    EXPECT_EQ(shell::widgetWidth("medium"), 340);
    EXPECT_EQ(shell::widgetWidth("small"), 170);
    EXPECT_EQ(shell::widgetWidth("large"), 170);
    EXPECT_EQ(shell::widgetWidth(""), 170);
    EXPECT_EQ(shell::widgetWidth("Medium"), 170);
}

TEST(ShellGeometry, ControlPanelIgnoresTheVisibleFrameOrigin)
{
    EXPECT_EQ(shell::controlPanelFrame({0, 70, 1440, 805}), (Rect{510, 102.5, 420, 600}));
    EXPECT_EQ(shell::controlPanelFrame({200, 0, 1000, 800}), (Rect{290, 100, 420, 600}));
    EXPECT_EQ(shell::controlPanelFrame(shell::kFallbackVisibleFrame), (Rect{510, 150, 420, 600}));
}

TEST(ShellGeometry, DefaultOrigins)
{
    struct Case {
        const char *name;
        double width;
        Rect visible;
        Position expected;
    };
    const Case cases[] = {
        {"clock", 340, {0, 0, 1440, 875}, {1080, 665}},
        {"clock", 170, {0, 0, 1440, 900}, {1250, 690}},
        {"weather", 170, {0, 0, 1440, 900}, {1250, 480}},
        {"battery", 340, {0, 0, 1440, 900}, {1080, 270}},
        {"music", 340, {0, 0, 1440, 900}, {1080, 40}},
        // The visible frame's origin counts here (a dock at the bottom, a second screen to the left).
        {"music", 340, {100, 70, 1440, 805}, {1180, 110}},
        {"clock", 170, {100, 70, 1440, 805}, {1350, 665}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto origin = shell::defaultOrigin(c.name, c.width, c.visible);
        ASSERT_TRUE(origin);
        EXPECT_EQ(*origin, c.expected);
    }
    EXPECT_FALSE(shell::defaultOrigin("calendar", 170, kScreen));
    EXPECT_FALSE(shell::defaultOrigin("", 170, kScreen));
}

TEST(ShellGeometry, ResizeKeepsTheRightEdge)
{
    const Rect grown = shell::resizedFrame(small(500, 300), "medium");
    EXPECT_EQ(grown, (Rect{330, 300, 340, 170}));
    EXPECT_EQ(shell::resizedFrame(grown, "small"), small(500, 300));
    // Same size: nothing moves; any non-"medium" value is small.
    EXPECT_EQ(shell::resizedFrame(small(500, 300), "small"), small(500, 300));
    EXPECT_EQ(shell::resizedFrame(grown, "huge"), small(500, 300));
}

TEST(ShellGeometry, ScreenEdgesSnapStrictlyBelowTwelvePoints)
{
    struct Case {
        const char *what;
        Rect dropped;
        Rect expected;
    };
    const Case cases[] = {
        {"left 11.9", small(11.9, 300), small(0, 300)},
        {"left 12", small(12, 300), small(12, 300)},
        {"left -11.9 (past the edge)", small(-11.9, 300), small(0, 300)},
        {"right 11.9", small(1440 - 170 - 11.9, 300), small(1270, 300)},
        {"right 12", small(1440 - 170 - 12, 300), small(1258, 300)},
        {"bottom 5", small(600, 5), small(600, 0)},
        {"top 3 past", small(600, 900 - 167), small(600, 730)},
        {"corner", small(4, 4), small(0, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(shell::snappedFrame(c.dropped, kScreen, {}), c.expected);
    }
}

TEST(ShellGeometry, ScreenSnapUsesTheVisibleFrame)
{
    const Rect visible{0, 70, 1440, 805};
    EXPECT_EQ(shell::snappedFrame(small(600, 75), visible, {}), small(600, 70));
    EXPECT_EQ(shell::snappedFrame(small(600, 5), visible, {}), small(600, 5));
}

TEST(ShellGeometry, WidgetEdgesSnapFirstMatchingRulePerAxis)
{
    const Rect other = small(600, 400);  // x 600..770, y 400..570
    struct Case {
        const char *what;
        Rect dropped;
        Rect expected;
    };
    const Case cases[] = {
        {"flush right of the other", small(775, 400), small(770, 400)},
        {"flush left of the other", small(600 - 170 - 8, 400), small(430, 400)},
        {"left edges aligned", small(607, 100), small(600, 100)},
        {"right edges aligned (medium)", Rect{435, 100, 340, 170}, Rect{430, 100, 340, 170}},
        {"just above", small(300, 575), small(300, 570)},
        {"just below", small(300, 400 - 170 - 11), small(300, 230)},
        {"bottoms aligned", small(300, 395), small(300, 400)},
        // Far away along the other axis still aligns.
        {"far below, left edge", small(605, 20 + 12), small(600, 32)},
        {"nothing near", small(300, 100), small(300, 100)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(shell::snappedFrame(c.dropped, kScreen, {other}), c.expected);
    }
}

TEST(ShellGeometry, FirstMatchingHorizontalRuleWins)
{
    // A medium window whose left edge is near the other's left edge and whose
    // right edge is near the other's right edge: the left-edge rule wins.
    const Rect other{600, 400, 340, 170};
    EXPECT_EQ(shell::snappedFrame({605, 100, 338, 170}, kScreen, {other}), (Rect{600, 100, 338, 170}));
}

TEST(ShellGeometry, LaterWidgetOverridesEarlierSnap)
{
    const Rect first = small(600, 400);
    const Rect second = small(780, 100);
    // Flush right of the first (770); then its left edge is 10 from the second's left edge (780).
    const Rect dropped = small(775, 250);
    EXPECT_EQ(shell::snappedFrame(dropped, kScreen, {first}), small(770, 250));
    EXPECT_EQ(shell::snappedFrame(dropped, kScreen, {first, second}), small(780, 250));
    EXPECT_EQ(shell::snappedFrame(dropped, kScreen, {second, first}), small(770, 250));
}

TEST(ShellGeometry, ScreenSnapComesBeforeWidgetSnap)
{
    // 8 points from the left edge snaps to 0, and then the other widget's left edge at 10 pulls it to 10.
    EXPECT_EQ(shell::snappedFrame(small(8, 300), kScreen, {small(10, 600)}), small(10, 300));
}

TEST(ShellGeometry, YUpAndYDownConversion)
{
    const QRectF screen(0, 0, 1440, 900);
    EXPECT_EQ(shell::toQt(Rect{1250, 690, 170, 170}, screen), QRectF(1250, 40, 170, 170));
    EXPECT_EQ(shell::toQt(Rect{510, 102.5, 420, 600}, screen), QRectF(510, 197.5, 420, 600));
    EXPECT_EQ(shell::fromQt(QRectF(1250, 40, 170, 170), screen), (Rect{1250, 690, 170, 170}));
    // A primary screen that is not at the desktop origin.
    const QRectF offset(1920, 100, 1280, 800);
    EXPECT_EQ(shell::toQt(Rect{0, 0, 170, 170}, offset), QRectF(1920, 730, 170, 170));
    for (const Rect r : {Rect{0, 0, 170, 170}, Rect{-50, 1000, 340, 170}, Rect{33.5, 12.25, 170, 170}})
        EXPECT_EQ(shell::fromQt(shell::toQt(r, offset), offset), r);
    // Available geometry with a 40 px dock at the bottom gives a y-up visible frame starting at 40.
    EXPECT_EQ(shell::fromQt(QRectF(0, 0, 1280, 760), QRectF(0, 0, 1280, 800)), (Rect{0, 40, 1280, 760}));
    EXPECT_EQ(shell::toQtPixels(Rect{510, 102.5, 420, 600}, screen), QRect(510, 198, 420, 600));
}
