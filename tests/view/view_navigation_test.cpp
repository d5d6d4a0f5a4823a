// Zoom about a point, pan by a pixel vector and the view history.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "view/scale_commands.h"
#include "view/view_history.h"

namespace {

ViewState View(ExtendedReal x, ExtendedReal y, ExtendedReal sx, ExtendedReal sy) {
    ViewState view;
    view.ViewOriginX = x;
    view.ViewOriginY = y;
    view.PixelSizeX = sx;
    view.PixelSizeY = sy;
    return view;
}

struct ZoomCase {
    const char* name;
    ViewState before;
    int angle;
    ZoomAxes axes;
    int column;
    int row;
    bool changed;
    ExtendedReal sizeX;
    ExtendedReal sizeY;
};

class ZoomAboutPoint : public testing::TestWithParam<ZoomCase> {};

TEST_P(ZoomAboutPoint, KeepsThePointUnderThePointer) {
    const ZoomCase& c = GetParam();
    ViewState view = c.before;
    const ExtendedReal wx = ColumnToWorldX(c.before, c.column);
    const ExtendedReal wy = RowToWorldY(c.before, c.row);
    EXPECT_EQ(ZoomAbout(view, WheelFactor(c.angle), c.axes, c.column, c.row), c.changed);
    EXPECT_LE(std::abs(view.PixelSizeX - c.sizeX), 1e-15L * c.sizeX);
    EXPECT_LE(std::abs(view.PixelSizeY - c.sizeY), 1e-15L * c.sizeY);
    EXPECT_EQ(WorldXToColumn(view, wx), c.column);
    EXPECT_EQ(WorldYToRow(view, wy), c.row);
}

const ExtendedReal kQuarter = std::exp2(-0.25L);

INSTANTIATE_TEST_SUITE_P(
    Wheel, ZoomAboutPoint,
    testing::Values(ZoomCase{"oneNotchIn", View(-7.5L, 5, 0.05L, 0.05L), 120, ZoomAxes::Both, 37,
                             151, true, 0.05L * kQuarter, 0.05L * kQuarter},
                    ZoomCase{"fourNotchesAreOneButtonStep", View(-7.5L, 5, 0.05L, 0.05L), 480,
                             ZoomAxes::Both, 299, 0, true, 0.025L, 0.025L},
                    ZoomCase{"oneNotchOut", View(-7.5L, 5, 0.05L, 0.05L), -120, ZoomAxes::Both, 5,
                             7, true, 0.05L / kQuarter, 0.05L / kQuarter},
                    ZoomCase{"halfNotchFromATouchpad", View(-7.5L, 5, 0.05L, 0.05L), 60,
                             ZoomAxes::Both, 100, 100, true, 0.05L * std::exp2(-0.125L),
                             0.05L * std::exp2(-0.125L)},
                    ZoomCase{"xOnly", View(-7.5L, 5, 0.05L, 0.03L), 480, ZoomAxes::XOnly, 10, 20,
                             true, 0.025L, 0.03L},
                    ZoomCase{"yOnly", View(-7.5L, 5, 0.05L, 0.03L), 480, ZoomAxes::YOnly, 10, 20,
                             true, 0.05L, 0.015L},
                    ZoomCase{"clampedAtTheMinimum", View(1, 1, 0.000011L, 0.05L), 480,
                             ZoomAxes::Both, 10, 20, true, kMinPixelSize, 0.025L},
                    ZoomCase{"nothingBelowTheMinimum", View(1, 1, kMinPixelSize, kMinPixelSize),
                             120, ZoomAxes::Both, 10, 20, false, kMinPixelSize, kMinPixelSize},
                    ZoomCase{"nothingAboveTheMaximum", View(1, 1, kMaxPixelSize, kMaxPixelSize),
                             -120, ZoomAxes::Both, 10, 20, false, kMaxPixelSize, kMaxPixelSize}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZoomAboutPointRepeated, ManyNotchesKeepThePointToThePixel) {
    ViewState view = View(-7.5L, 5, 0.05L, 0.05L);
    const ExtendedReal wx = ColumnToWorldX(view, 211);
    const ExtendedReal wy = RowToWorldY(view, 13);
    for (int notch = 0; notch < 40; ++notch) {
        ZoomAbout(view, WheelFactor(notch < 25 ? 120 : -120), ZoomAxes::Both, 211, 13);
        EXPECT_EQ(WorldXToColumn(view, wx), 211) << notch;
        EXPECT_EQ(WorldYToRow(view, wy), 13) << notch;
    }
}

TEST(PanByPixels, MovesTheContentByTheVector) {
    const struct { int dx, dy; } rows[] = {{50, -20}, {-3, 4}, {0, 7}, {1000, 1000}};
    for (const auto& r : rows) {
        ViewState view = View(-7.5L, 5, 0.05L, 0.02L);
        const ExtendedReal wx = ColumnToWorldX(view, 100);
        const ExtendedReal wy = RowToWorldY(view, 100);
        EXPECT_TRUE(PanBy(view, r.dx, r.dy));
        EXPECT_EQ(WorldXToColumn(view, wx), 100 + r.dx);
        EXPECT_EQ(WorldYToRow(view, wy), 100 + r.dy);
        EXPECT_EQ(view.PixelSizeX, 0.05L);
    }
    ViewState view = View(1, 2, 0.05L, 0.05L);
    EXPECT_FALSE(PanBy(view, 0, 0));
    ViewState huge = View(1e4932L, 2, 1e4931L, 0.05L);
    EXPECT_FALSE(PanBy(huge, -100, 0));
    EXPECT_EQ(huge.ViewOriginX, 1e4932L);
}

ViewWindow W(int i) {
    return {ExtendedReal(i), 0, 0.05L, 0.05L};
}

TEST(ViewHistoryTest, StepsBackAndForward) {
    ViewHistory history;
    ViewWindow w;
    EXPECT_FALSE(history.Back(w));
    history.Shown(W(1));
    EXPECT_FALSE(history.Back(w));
    history.Shown(W(2));
    history.Shown(W(2));  // the same view again is no step
    history.Shown(W(3));
    ASSERT_TRUE(history.Back(w));
    EXPECT_EQ(w, W(2));
    history.Shown(w);  // the picture shows the view it went back to: no new step
    ASSERT_TRUE(history.Back(w));
    EXPECT_EQ(w, W(1));
    EXPECT_FALSE(history.Back(w));
    ASSERT_TRUE(history.Forward(w));
    EXPECT_EQ(w, W(2));
    // A new view drops the steps forward.
    history.Shown(W(9));
    EXPECT_FALSE(history.Forward(w));
    ASSERT_TRUE(history.Back(w));
    EXPECT_EQ(w, W(2));
}

TEST(ViewHistoryTest, KeepsAHundredStepsBack) {
    ViewHistory history;
    for (int i = 0; i < 250; ++i) history.Shown(W(i));
    EXPECT_EQ(history.BackCount(), ViewHistory::kDepth);
    ViewWindow w;
    int steps = 0;
    while (history.Back(w)) ++steps;
    EXPECT_EQ(steps, 100);
    EXPECT_EQ(w, W(149));
}

}  // namespace
