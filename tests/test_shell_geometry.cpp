// Placement, resize and snapping rules in y-up screen points.
#include "shell/LayerPlacement.h"
#include "shell/ShellGeometry.h"

#include <gtest/gtest.h>

using shell::Rect;

namespace {

const Rect kScreen{0, 0, 1440, 900};

Rect small(double x, double y) { return {x, y, 170, 170}; }

struct SnapCase {
    const char *what;
    Rect dropped;
    std::vector<Rect> others;
    Rect expected;
};

}  // namespace

TEST(ShellGeometry, PlacesAndResize)
{
    // The panel is centred in the visible frame's size; the frame's origin is not added.
    EXPECT_EQ(shell::controlPanelFrame({0, 70, 1440, 805}), (Rect{510, 102.5, 420, 600}));
    EXPECT_EQ(shell::defaultOrigin("clock", 340, {0, 0, 1440, 875}), (Position{1080, 665}));
    // For widgets the visible frame's origin counts (a dock at the bottom, a screen to the left).
    EXPECT_EQ(shell::defaultOrigin("music", 340, {100, 70, 1440, 805}), (Position{1180, 110}));
    EXPECT_FALSE(shell::defaultOrigin("calendar", 170, kScreen));
    // Widgets without a place of their own go down the left column, past what is there.
    const Rect screen{0, 0, 1440, 875};
    EXPECT_EQ(shell::freeOrigin(170, screen, {}), (Position{20, 665}));
    EXPECT_EQ(shell::freeOrigin(340, screen, {{20, 665, 170, 170}, {400, 475, 170, 170}}), (Position{20, 475}));
    std::vector<Rect> full;
    for (double y = 0; y < 875; y += 100)
        full.push_back({0, y, 400, 100});
    EXPECT_EQ(shell::freeOrigin(170, screen, full), (Position{20, 665}));
    // A resize keeps the right edge.
    const Rect grown = shell::resizedFrame(small(500, 300), "medium");
    EXPECT_EQ(grown, (Rect{330, 300, 340, 170}));
    EXPECT_EQ(shell::resizedFrame(grown, "small"), small(500, 300));
    EXPECT_EQ(shell::resizedFrame(grown, "huge"), small(500, 300));
}

TEST(ShellGeometry, Snapping)
{
    const Rect other = small(600, 400);  // x 600..770, y 400..570
    const Rect further = small(780, 100);
    const SnapCase cases[] = {
        {"left 11.9", small(11.9, 300), {}, small(0, 300)},
        {"left 12", small(12, 300), {}, small(12, 300)},
        {"left -11.9 (past the edge)", small(-11.9, 300), {}, small(0, 300)},
        {"right 11.9", small(1440 - 170 - 11.9, 300), {}, small(1270, 300)},
        {"top 3 past", small(600, 900 - 167), {}, small(600, 730)},
        // A medium widget: the edge rules use its own width and height, not each other's.
        {"medium, top 3 past", {600, 900 - 167, 340, 170}, {}, {600, 730, 340, 170}},
        {"medium, right 11.9", {1440 - 340 - 11.9, 300, 340, 170}, {}, {1100, 300, 340, 170}},
        {"medium, just below another", {300, 235, 340, 170}, {other}, {300, 230, 340, 170}},
        {"flush right of another", small(775, 400), {other}, small(770, 400)},
        {"flush left of another", small(422, 400), {other}, small(430, 400)},
        {"just above another", small(300, 575), {other}, small(300, 570)},
        {"far below, left edges aligned", small(605, 32), {other}, small(600, 32)},
        {"left-edge rule before right-edge rule", {605, 100, 338, 170}, {{600, 400, 340, 170}}, {600, 100, 338, 170}},
        // Flush right of the first (770) leaves it 10 from the later one's left edge (780).
        {"a later widget overrides", small(775, 250), {other, further}, small(780, 250)},
        {"screen edge first, then widget", small(8, 300), {small(10, 600)}, small(10, 300)},
    };
    for (const SnapCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(shell::snappedFrame(c.dropped, kScreen, c.others), c.expected);
    }
    EXPECT_EQ(shell::snappedFrame(small(600, 75), {0, 70, 1440, 805}, {}), small(600, 70));  // above a dock
}

TEST(ShellGeometry, UnreachablePlacesMoveIntoTheNearestWorkArea)
{
    // The main screen, and a smaller one to its right with a 40-point dock at its bottom.
    const std::vector<shell::ScreenArea> screens{{kScreen, kScreen}, {{1440, 0, 1280, 800}, {1440, 40, 1280, 760}}};
    const struct {
        const char *what;
        Rect saved;
        Rect shown;
    } cases[] = {
        {"40 points on screen", small(-130, 300), small(-130, 300)},
        {"39 points on screen", small(-131, 300), small(0, 300)},
        {"above the top", small(600, 881), small(600, 730)},
        {"across both screens", small(1400, 300), small(1400, 300)},
        {"past the second screen, below its dock", small(3000, -500), small(2550, 40)},
        {"below both, nearer the main one", small(1200, -400), small(1200, 0)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(shell::reachableFrame(c.saved, screens), c.shown);
    }
    EXPECT_EQ(shell::screenOf(small(1400, 300), screens), &screens[1]);  // most of it is there
    EXPECT_EQ(shell::screenOf(small(0, 0), {}), nullptr);
}

TEST(ShellGeometry, YUpAndYDownConversion)
{
    const QRectF screen(0, 0, 1440, 900);
    EXPECT_EQ(shell::toQt(Rect{1250, 690, 170, 170}, screen), QRectF(1250, 40, 170, 170));
    EXPECT_EQ(shell::toQtPixels(Rect{510, 102.5, 420, 600}, screen), QRect(510, 198, 420, 600));
    // A primary screen that is not at the desktop origin.
    const QRectF offset(1920, 100, 1280, 800);
    EXPECT_EQ(shell::toQt(Rect{0, 0, 170, 170}, offset), QRectF(1920, 730, 170, 170));
    for (const Rect r : {Rect{-50, 1000, 340, 170}, Rect{33.5, 12.25, 170, 170}})
        EXPECT_EQ(shell::fromQt(shell::toQt(r, offset), offset), r);
    // Available geometry with a 40 px dock at the bottom gives a visible frame starting at 40.
    EXPECT_EQ(shell::fromQt(QRectF(0, 0, 1280, 760), QRectF(0, 0, 1280, 800)), (Rect{0, 40, 1280, 760}));
}

// A layer surface's place: the output and the margins from its corner, in
// logical coordinates whatever the output's scale. Outputs as a compositor
// lays them out: 1440x900 at scale 1, 2560x1440 at 1.5 (1707x960 logical) and
// 2880x1800 at 2 (1440x900 logical), side by side, the first one primary.
TEST(ShellGeometry, LayerPlacesOnScaledOutputs)
{
    const std::vector<QRect> outputs{{0, 0, 1440, 900}, {1440, 0, 1707, 960}, {3147, 0, 1440, 900}};
    const QRectF primary = outputs[0];
    const Rect atScale15 = shell::fromQt(outputs[1], primary);
    EXPECT_EQ(atScale15, (Rect{1440, -60, 1707, 960}));
    const auto place = [&](const Rect &frame) {
        return shell::layerPlaceOf(shell::toQtPixels(frame, primary).adjusted(-10, -10, 10, 10), outputs);
    };
    // Dropped 8 from the right edge and 5 below the top: snapped flush, the shadow past the edge.
    const Rect snapped = shell::snappedFrame({2969, 725, 170, 170}, atScale15, {});
    EXPECT_EQ(snapped, (Rect{2977, 730, 170, 170}));
    EXPECT_EQ(place(snapped), (shell::LayerPlace{1, {1527, -10}}));
    // At scale 2, the bottom-left corner of the work area.
    const Rect atScale2 = shell::fromQt(outputs[2], primary);
    const Rect corner = shell::snappedFrame({atScale2.x + 11, 11, 340, 170}, atScale2, {});
    EXPECT_EQ(corner, (Rect{3147, 0, 340, 170}));
    EXPECT_EQ(place(corner), (shell::LayerPlace{2, {-10, 720}}));
    // Output choice: most of the window, else the nearest output; none without outputs.
    EXPECT_EQ(shell::layerPlaceOf({1400, 100, 190, 190}, outputs).output, 1);
    EXPECT_EQ(shell::layerPlaceOf({4000, 2000, 190, 190}, outputs), (shell::LayerPlace{2, {853, 2000}}));
    EXPECT_EQ(shell::layerPlaceOf({0, 0, 10, 10}, {}).output, -1);
}
