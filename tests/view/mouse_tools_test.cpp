// The arithmetic of the mouse tools: the two-click move and the zoom into a dragged rectangle.
#include <gtest/gtest.h>

#include "view/scale_commands.h"

namespace {

ViewState View(ExtendedReal originX, ExtendedReal originY, ExtendedReal sizeX, ExtendedReal sizeY) {
    ViewState view;
    view.ViewOriginX = originX;
    view.ViewOriginY = originY;
    view.PixelSizeX = sizeX;
    view.PixelSizeY = sizeY;
    return view;
}

void ExpectView(const ViewState& actual, const ViewState& expected) {
    const auto near = [](ExtendedReal a, ExtendedReal e) {
        EXPECT_LE(std::abs(a - e), 1e-15L * (1 + std::abs(e)))
            << double(a) << " expected " << double(e);
    };
    near(actual.ViewOriginX, expected.ViewOriginX);
    near(actual.ViewOriginY, expected.ViewOriginY);
    near(actual.PixelSizeX, expected.PixelSizeX);
    near(actual.PixelSizeY, expected.PixelSizeY);
}

struct MoveCase {
    const char* name;
    int fromX, fromY, toX, toY;
    ViewState after;
};

class MoveTool : public testing::TestWithParam<MoveCase> {};

// The world point under the first click ends under the second.
TEST_P(MoveTool, CarriesTheFirstPointToTheSecond) {
    const MoveCase& c = GetParam();
    ViewState view = View(-6, 5, 0.05L, 0.1L);
    const ExtendedReal worldX = ColumnToWorldX(view, c.fromX);
    const ExtendedReal worldY = RowToWorldY(view, c.fromY);
    MoveByClicks(view, c.fromX, c.fromY, c.toX, c.toY);
    ExpectView(view, c.after);
    EXPECT_NEAR(double(ColumnToWorldX(view, c.toX)), double(worldX), 1e-12);
    EXPECT_NEAR(double(RowToWorldY(view, c.toY)), double(worldY), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, MoveTool,
    testing::Values(MoveCase{"rightAndDown", 10, 20, 30, 60, View(-7, 9, 0.05L, 0.1L)},
                    MoveCase{"leftAndUp", 30, 60, 10, 20, View(-5, 1, 0.05L, 0.1L)},
                    MoveCase{"samePoint", 7, 7, 7, 7, View(-6, 5, 0.05L, 0.1L)},
                    MoveCase{"outsideThePicture", 0, 0, -100, 500, View(-1, 55, 0.05L, 0.1L)}),
    [](const testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

struct RectangleCase {
    const char* name;
    int x1, y1, x2, y2;
    bool changed;
    ViewState after;
};

class RectangleTool : public testing::TestWithParam<RectangleCase> {};

TEST_P(RectangleTool, MakesTheRectangleTheWholePicture) {
    const RectangleCase& c = GetParam();
    // A 200 × 100 picture showing x from -10 to 10 and y from 5 down to -5.
    ViewState view = View(-10, 5, 0.1L, 0.1L);
    EXPECT_EQ(ZoomToRectangle(view, c.x1, c.y1, c.x2, c.y2, 200, 100), c.changed);
    ExpectView(view, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, RectangleTool,
    testing::Values(
        // The left half of the picture, dragged from its upper left corner.
        RectangleCase{"leftHalf", 0, 0, 100, 100, true, View(-10, 5, 0.05L, 0.1L)},
        // Dragged the other way round, the same rectangle.
        RectangleCase{"leftHalfBackwards", 100, 100, 0, 0, true, View(-10, 5, 0.05L, 0.1L)},
        RectangleCase{"upRight", 100, 50, 200, 0, true, View(0, 5, 0.05L, 0.05L)},
        // No width or no height: nothing changes.
        RectangleCase{"noWidth", 40, 10, 40, 90, false, View(-10, 5, 0.1L, 0.1L)},
        RectangleCase{"noHeight", 10, 30, 90, 30, false, View(-10, 5, 0.1L, 0.1L)}),
    [](const testing::TestParamInfo<RectangleCase>& info) { return std::string(info.param.name); });

// A one-pixel rectangle of a view at the smallest size asks for smaller sizes: they are clamped.
TEST(RectangleToolBounds, SmallestPixelSize) {
    ViewState view = View(0, 0, kMinPixelSize, kMinPixelSize);
    ASSERT_TRUE(ZoomToRectangle(view, 0, 0, 1, 1, 200, 100));
    EXPECT_EQ(view.PixelSizeX, kMinPixelSize);
    EXPECT_EQ(view.PixelSizeY, kMinPixelSize);
    EXPECT_EQ(view.ViewOriginX, 0);
    EXPECT_EQ(view.ViewOriginY, 0);
}

// A rectangle far larger than the picture asks for sizes above the largest.
TEST(RectangleToolBounds, LargestPixelSize) {
    ViewState view = View(0, 0, kMaxPixelSize, kMaxPixelSize);
    ASSERT_TRUE(ZoomToRectangle(view, -1000, -1000, 1000, 1000, 10, 10));
    EXPECT_EQ(view.PixelSizeX, kMaxPixelSize);
    EXPECT_EQ(view.PixelSizeY, kMaxPixelSize);
    EXPECT_EQ(view.ViewOriginX, -1000 * kMaxPixelSize);
    EXPECT_EQ(view.ViewOriginY, 1000 * kMaxPixelSize);
}

}  // namespace
