// Breaks at poles: the bisection on its own (poles, roots, failed values), and whole pictures
// with the option on and off: continuous curves pixel-identical, poles left open, point mode
// unchanged.
#include "view/pole_breaks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/tree_builder.h"
#include "view/drawing.h"
#include "view/scale_commands.h"

namespace {

struct BisectCase {
    const char* name;
    CurveAt curve;
    ExtendedReal x0;
    ExtendedReal x1;
    ExtendedReal beyond;
    bool pole;
};

class Bisection : public testing::TestWithParam<BisectCase> {};

TEST_P(Bisection, ConfirmsOnlyPoles) {
    const BisectCase& c = GetParam();
    ExtendedReal y0 = 0;
    ExtendedReal y1 = 0;
    ASSERT_TRUE(c.curve(c.x0, y0));
    ASSERT_TRUE(c.curve(c.x1, y1));
    EXPECT_EQ(PoleBetween(c.curve, c.x0, y0, c.x1, y1, c.beyond), c.pole);
}

bool Reciprocal(ExtendedReal x, ExtendedReal& v) {
    if (x == 0) return false;
    v = 1 / x;
    return true;
}

INSTANTIATE_TEST_SUITE_P(
    Curves, Bisection,
    testing::Values(
        BisectCase{"reciprocal", Reciprocal, -0.013L, 0.037L, 10, true},
        // Values that start inside the picture and grow past it.
        BisectCase{"tangentCoarse",
                   [](ExtendedReal x, ExtendedReal& v) { return v = std::tan(x), true; }, 1, 2, 200,
                   true},
        // A failed value met between the samples is a pole whatever the magnitudes.
        BisectCase{"failsBetween",
                   [](ExtendedReal x, ExtendedReal& v) {
                       if (x > -0.06L && x < -0.04L) return false;
                       v = x;
                       return true;
                   },
                   -0.3L, 0.2L, 10, true},
        BisectCase{"linearRoot",
                   [](ExtendedReal x, ExtendedReal& v) { return v = x - 0.001L, true; }, -0.02L,
                   0.03L, 10, false},
        // Steep and continuous, both samples far past the picture: still a root.
        BisectCase{"steepLine",
                   [](ExtendedReal x, ExtendedReal& v) { return v = 1e6L * (x - 0.001L), true; },
                   -0.025L, 0.025L, 10, false},
        BisectCase{"cubeWide",
                   [](ExtendedReal x, ExtendedReal& v) { return v = x * x * x - 1, true; }, -3, 3,
                   10, false},
        // No change of sign: nothing to look for.
        BisectCase{"sameSign",
                   [](ExtendedReal x, ExtendedReal& v) { return v = 1 / (x * x), true; }, -0.013L,
                   0.037L, 10, false}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<Colour> Picture(const char* text, bool breakPoles, bool lines, ExtendedReal shift,
                            ExtendedReal size) {
    Canvas canvas(300, 200);
    Engine engine;
    ViewState view;
    view.PixelSizeX = view.PixelSizeY = size;
    CentreView(view, 300, 200);
    view.ViewOriginX += shift;
    DrawOptions options;
    options.BreakPoles = breakPoles;
    options.Lines = lines;
    EXPECT_EQ(BuildExpression(engine, text), kNoError) << text;
    PlotCurve(canvas, engine, view, options);
    std::vector<Colour> pixels;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

struct ContinuousCase {
    const char* text;
    ExtendedReal shift;
    ExtendedReal size;
};

class Continuous : public testing::TestWithParam<ContinuousCase> {};

TEST_P(Continuous, PicturesAreIdenticalWithBreaksOnAndOff) {
    const ContinuousCase& c = GetParam();
    EXPECT_EQ(Picture(c.text, true, true, c.shift, c.size),
              Picture(c.text, false, true, c.shift, c.size));
}

INSTANTIATE_TEST_SUITE_P(
    Curves, Continuous,
    testing::Values(ContinuousCase{"sinx", 0, 0.05L}, ContinuousCase{"sinx", 0.0137L, 0.05L},
                    ContinuousCase{"sinx", 0, 2}, ContinuousCase{"x^3", 0.0137L, 0.05L},
                    ContinuousCase{"x^3", 0, 0.001L}, ContinuousCase{"exp(x)", 0, 0.05L},
                    ContinuousCase{"sqrtx", 0.0137L, 0.05L},
                    ContinuousCase{"ln(x)", 0.0137L, 0.05L}, ContinuousCase{"ln(x)", 0, 0.00001L},
                    ContinuousCase{"1/(x*x+1)", 0.0137L, 0.05L},
                    ContinuousCase{"1/(x*x+1)", 0, 1}));

struct PoleCase {
    const char* text;
    ExtendedReal pole;
};

class Poles : public testing::TestWithParam<PoleCase> {};

// Curve pixels in the columns within 0.1 of the pole, on the rows of |y| < 2.
int PixelsAcrossThePole(const std::vector<Colour>& pixels, ExtendedReal pole) {
    ViewState view;
    CentreView(view, 300, 200);
    view.ViewOriginX += 0.0137L;
    int count = 0;
    for (int x = 0; x < 300; ++x) {
        if (std::abs(ColumnToWorldX(view, x) - pole) > 0.1L) continue;
        for (int y = 0; y < 200; ++y) {
            if (std::abs(RowToWorldY(view, y)) < 2 && pixels[y * 300 + x] == kYellow) ++count;
        }
    }
    return count;
}

TEST_P(Poles, TheLineAcrossThePoleIsLeftOut) {
    const PoleCase& c = GetParam();
    EXPECT_GT(PixelsAcrossThePole(Picture(c.text, false, true, 0.0137L, 0.05L), c.pole), 40);
    EXPECT_EQ(PixelsAcrossThePole(Picture(c.text, true, true, 0.0137L, 0.05L), c.pole), 0);
}

TEST_P(Poles, PointModeIsUnaffected) {
    const PoleCase& c = GetParam();
    EXPECT_EQ(Picture(c.text, true, false, 0.0137L, 0.05L),
              Picture(c.text, false, false, 0.0137L, 0.05L));
}

INSTANTIATE_TEST_SUITE_P(Curves, Poles,
                         testing::Values(PoleCase{"1/x", 0}, PoleCase{"tgx", 1.5707963L},
                                         PoleCase{"tgx", -1.5707963L}, PoleCase{"1/(x*x-4)", 2},
                                         PoleCase{"1/(x*x-4)", -2}));

}  // namespace

namespace {

// Continuous curves over a sweep of scales and shifts: never broken.
TEST(ContinuousSweep, NoViewBreaksAContinuousCurve) {
    const char* curves[] = {"sinx", "x^3", "exp(x)", "sqrtx", "ln(x)", "1/(x*x+1)"};
    const ExtendedReal sizes[] = {0.00001L, 0.003L, 0.05L, 0.7L, 40};
    const ExtendedReal shifts[] = {0, 0.0137L, -0.31L};
    for (const char* text : curves) {
        for (const ExtendedReal size : sizes) {
            for (const ExtendedReal shift : shifts) {
                EXPECT_EQ(Picture(text, true, true, shift * size / 0.05L, size),
                          Picture(text, false, true, shift * size / 0.05L, size))
                    << text << " size " << double(size) << " shift " << double(shift);
            }
        }
    }
}

}  // namespace
