// Scale commands: zooming about the crossing of the axes, the bounds of the pixel sizes and
// when a command only clamps, centring, equal and default scales.
#include "view/scale_commands.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>

namespace {

ViewState View(ExtendedReal originX, ExtendedReal originY, ExtendedReal sizeX, ExtendedReal sizeY) {
    ViewState view;
    view.ViewOriginX = originX;
    view.ViewOriginY = originY;
    view.PixelSizeX = sizeX;
    view.PixelSizeY = sizeY;
    return view;
}

struct ScaleCase {
    const char* name;
    std::function<bool(ViewState&)> command;
    ViewState before;
    bool redraw;
    ViewState after;
};

class ScaleCommand : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleCommand, ChangesTheViewAsExpected) {
    const ScaleCase& c = GetParam();
    ViewState view = c.before;
    EXPECT_EQ(c.command(view), c.redraw);
    const auto near = [](ExtendedReal actual, ExtendedReal expected) {
        EXPECT_LE(std::abs(actual - expected), 1e-15L * (1 + std::abs(expected)))
            << double(actual) << " expected " << double(expected);
    };
    near(view.ViewOriginX, c.after.ViewOriginX);
    near(view.ViewOriginY, c.after.ViewOriginY);
    near(view.PixelSizeX, c.after.PixelSizeX);
    near(view.PixelSizeY, c.after.PixelSizeY);
}

const auto kZoomIn = [](ViewState& v) { return ZoomIn(v); };
const auto kZoomOut = [](ViewState& v) { return ZoomOut(v); };
const auto kEqual = [](ViewState& v) { return EqualScales(v); };
const auto kDefault = [](ViewState& v) { return DefaultScale(v); };

INSTANTIATE_TEST_SUITE_P(
    Scale, ScaleCommand,
    testing::Values(
        // Zoom in halves all four values: the axes stay where they were.
        ScaleCase{"zoomInDefault", kZoomIn, View(-7.7L, 6.9L, 0.05L, 0.05L), true,
                  View(-3.85L, 3.45L, 0.025L, 0.025L)},
        // The test comes before the halving: one step goes below the minimum...
        ScaleCase{"zoomInBelowMinimum", kZoomIn, View(-1, 1, 0.000015L, 0.05L), true,
                  View(-0.5L, 0.5L, 0.0000075L, 0.025L)},
        // ...the next only clamps back, without a redraw...
        ScaleCase{"zoomInClampsOnly", kZoomIn, View(-0.5L, 0.5L, 0.0000075L, 0.025L), false,
                  View(-0.5L, 0.5L, kMinPixelSize, 0.025L)},
        // ...and at the minimum nothing happens.
        ScaleCase{"zoomInAtMinimum", kZoomIn, View(-0.5L, 0.5L, kMinPixelSize, 0.025L), false,
                  View(-0.5L, 0.5L, kMinPixelSize, 0.025L)},
        ScaleCase{"zoomOutDoubles", kZoomOut, View(-7.7L, 6.9L, 0.05L, 0.1L), true,
                  View(-15.4L, 13.8L, 0.1L, 0.2L)},
        ScaleCase{"zoomOutAtMaximumY", kZoomOut, View(-3, 2, 0.05L, kMaxPixelSize), false,
                  View(-3, 2, 0.05L, kMaxPixelSize)},
        ScaleCase{"zoomOutAboveMaximumClamps", kZoomOut, View(-3, 2, 150000, 120000), false,
                  View(-3, 2, kMaxPixelSize, kMaxPixelSize)},
        ScaleCase{"zoomOutPastMaximum", kZoomOut, View(-3, 2, 60000, 0.05L), true,
                  View(-6, 4, 120000, 0.1L)},
        // The origins of a doubled view would leave the range of numbers: refused whole.
        ScaleCase{"zoomOutOverflowRefused", kZoomOut, View(LDBL_MAX / 1.5L, 1, 0.05L, 0.05L), false,
                  View(LDBL_MAX / 1.5L, 1, 0.05L, 0.05L)},
        ScaleCase{"equalScales", kEqual, View(-3, 6, 0.01L, 0.03L), true,
                  View(-6, 4, 0.02L, 0.02L)},
        // The origins follow the ratio before the clamp.
        ScaleCase{"equalScalesClampsLast", kEqual, View(-1, 7, 0.000005L, 0.000007L), true,
                  View(-1.2L, 6, kMinPixelSize, kMinPixelSize)},
        ScaleCase{"defaultScale", kDefault, View(-10, 5, 0.1L, 0.1L), true,
                  View(-5, 2.5L, 0.05L, 0.05L)},
        ScaleCase{"defaultScaleGuardsZero", kDefault, View(-1, 2, 0, -3), true,
                  View(-500, 1000, 0.05L, 0.05L)}),
    [](const testing::TestParamInfo<ScaleCase>& info) { return info.param.name; });

TEST(Scale, ZoomKeepsThePixelOfTheWorldOrigin) {
    ViewState view = View(-7.7L, 6.9L, 0.05L, 0.05L);
    const ExtendedReal column = -view.ViewOriginX / view.PixelSizeX;
    const ExtendedReal row = view.ViewOriginY / view.PixelSizeY;
    ASSERT_TRUE(ZoomIn(view));
    ASSERT_TRUE(ZoomOut(view));
    ASSERT_TRUE(ZoomOut(view));
    EXPECT_EQ(-view.ViewOriginX / view.PixelSizeX, column);
    EXPECT_EQ(view.ViewOriginY / view.PixelSizeY, row);
}

TEST(Scale, DefaultScaleIsTheStartingPixelSize) {
    ViewState view = View(-10, 5, 0.1L, 0.1L);
    DefaultScale(view);
    EXPECT_EQ(view.PixelSizeX, ViewState{}.PixelSizeX);
    EXPECT_EQ(view.PixelSizeY, ViewState{}.PixelSizeY);
}

struct CentreCase {
    int width, height;
    ExtendedReal sizeX, sizeY, originX, originY;
};

class Centre : public testing::TestWithParam<CentreCase> {};

TEST_P(Centre, PutsTheWorldOriginInTheMiddle) {
    const CentreCase& c = GetParam();
    ViewState view = View(123, -45, c.sizeX, c.sizeY);
    EXPECT_TRUE(CentreView(view, c.width, c.height));
    EXPECT_EQ(view.ViewOriginX, c.originX);
    EXPECT_EQ(view.ViewOriginY, c.originY);
    EXPECT_EQ(view.PixelSizeX, c.sizeX);
    EXPECT_EQ(view.PixelSizeY, c.sizeY);
}

INSTANTIATE_TEST_SUITE_P(Scale, Centre,
                         testing::Values(CentreCase{308, 276, 0.05L, 0.05L, -(308 * 0.05L) / 2,
                                                    276 * 0.05L / 2},
                                         CentreCase{5, 3, 1, 2, -2.5L, 3},  // half pixels
                                         CentreCase{0, 0, 1, 1, 0, 0}));

TEST(Scale, ClampPixelSize) {
    const struct {
        ExtendedReal in, out;
    } rows[] = {
        {0.000001L, kMinPixelSize},     {kMinPixelSize, kMinPixelSize}, {0.05L, 0.05L},
        {kMaxPixelSize, kMaxPixelSize}, {1e9L, kMaxPixelSize},          {-1, kMinPixelSize}};
    for (const auto& row : rows) EXPECT_EQ(ClampPixelSize(row.in), row.out);
}

}  // namespace
