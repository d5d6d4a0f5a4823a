// Background, grid, axes and curve, pixel by pixel: the worked views, the loops that must end,
// and the dense horizontal grid against a literal line-by-line loop.
#include "view/drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/number_text.h"
#include "engine/tree_builder.h"
#include "view/axis_labels.h"
#include "view/scale_commands.h"

namespace {

std::vector<Colour> Pixels(const Canvas& canvas) {
    std::vector<Colour> pixels;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

std::vector<int> RowsOf(const Canvas& canvas, int column, Colour colour) {
    std::vector<int> rows;
    for (int y = 0; y < canvas.Height(); ++y)
        if (canvas.Pixel(column, y) == colour) rows.push_back(y);
    return rows;
}

int Mod(int value, int divisor) {
    return ((value % divisor) + divisor) % divisor;
}

// A picture with the starting options, centred at the default scale.
struct Scene {
    Canvas canvas;
    Engine engine;
    ViewState view;
    DrawOptions options;

    Scene(int width, int height) : canvas(width, height) { CentreView(view, width, height); }

    bool Plot(const char* text) {
        EXPECT_EQ(BuildExpression(engine, text), kNoError) << text;
        return PlotCurve(canvas, engine, view, options);
    }
};

// A 256 x 256 view where the samples fall on multiples of 1/16 exactly: column 128 is x = 0,
// row 128 is y = 0.
Scene ExactScene(ExtendedReal shift = 0) {
    Scene scene(256, 256);
    scene.view.ViewOriginX = -8 + shift;
    scene.view.PixelSizeX = 0.0625L;
    scene.view.ViewOriginY = 32;
    scene.view.PixelSizeY = 0.25L;
    return scene;
}

// --- Background, grid and axes.
TEST(Background, DefaultViewHasAGridLineEveryTwentyPixels) {
    // 308 wide: 15.4 units visible, step 1; the axes cross at column 154, row 138.
    Scene scene(308, 276);
    DrawBackground(scene.canvas, scene.view, scene.options);
    for (int y = 0; y < 276; ++y) {
        for (int x = 0; x < 308; ++x) {
            Colour expected = kBlack;
            if (Mod(x - 154, 20) == 0 || Mod(y - 138, 20) == 0) expected = kGrey;
            if (x == 154 || y == 138) expected = kWhite;
            ASSERT_EQ(scene.canvas.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(Background, WithoutGridAndAxesOnlyFills) {
    for (const Colour background : {kBlack, Colour{0x804020}}) {
        Scene scene(50, 40);
        scene.options.Grid = false;
        scene.options.Axes = false;
        scene.options.BackgroundColour = background;
        DrawBackground(scene.canvas, scene.view, scene.options);
        EXPECT_EQ(Pixels(scene.canvas), std::vector<Colour>(50 * 40, background));
    }
}

TEST(Background, HalfAUnitWideViewHasFiveVerticalLines) {
    Scene scene(100, 100);
    scene.view.PixelSizeX = scene.view.PixelSizeY = 0.005L;
    scene.view.ViewOriginX = 0.01L;
    scene.view.ViewOriginY = 0.5L;
    scene.options.Axes = false;
    DrawBackground(scene.canvas, scene.view, scene.options);
    EXPECT_EQ(RowsOf(scene.canvas, 18, kGrey).size(), 100u);
    int lines = 0;
    for (int x = 0; x < 100; ++x) lines += scene.canvas.Pixel(x, 10) == kGrey;
    EXPECT_EQ(lines, 5);
}

TEST(Background, FarOriginShowsNoAxis) {
    Scene scene(100, 80);
    scene.view.ViewOriginX = 1000;
    scene.view.ViewOriginY = -1000;
    DrawBackground(scene.canvas, scene.view, scene.options);
    for (const Colour pixel : Pixels(scene.canvas)) EXPECT_NE(pixel, kWhite);
}

// The grid as literal loops, one line per multiple of the step (of rowStep for the rows).
void LiteralGrid(Canvas& canvas, const ViewState& view, ExtendedReal rowStep) {
    const int width = canvas.Width();
    const int height = canvas.Height();
    const auto decade = static_cast<int64_t>(std::log(width * view.PixelSizeX) / std::log(10.0L));
    const ExtendedReal step = std::pow(10.0L, ExtendedReal(decade - 1));
    ExtendedReal xw = ExtendedReal(static_cast<int64_t>(view.ViewOriginX / step)) * step - step;
    int32_t column = width - 1;
    for (int guard = 0; column < width && guard < 10000000; ++guard) {
        xw += step;
        column = RoundToPixel((xw - view.ViewOriginX) / view.PixelSizeX);
        canvas.MoveTo(column, 0);
        canvas.LineTo(column, height);
    }
    ExtendedReal yw =
        ExtendedReal(static_cast<int64_t>(-view.ViewOriginY / rowStep)) * rowStep - rowStep;
    int32_t row = height - 1;
    for (int guard = 0; row < height && guard < 10000000; ++guard) {
        yw += rowStep;
        row = RoundToPixel((yw + view.ViewOriginY) / view.PixelSizeY);
        canvas.MoveTo(0, row);
        canvas.LineTo(width, row);
    }
}

struct GridCase {
    const char* name;
    ExtendedReal sizeX, sizeY, originY;
    // The step of the rows: the columns' step 1 while its rows lie 4 pixels apart or more.
    ExtendedReal rowStep;
};

class DenseGrid : public testing::TestWithParam<GridCase> {};

TEST_P(DenseGrid, MatchesTheLiteralLoop) {
    const GridCase& c = GetParam();
    Scene scene(150, 120);
    scene.view.PixelSizeX = c.sizeX;
    scene.view.PixelSizeY = c.sizeY;
    scene.view.ViewOriginY = c.originY;
    scene.view.ViewOriginX = -3.3L;
    scene.options.Axes = false;
    DrawBackground(scene.canvas, scene.view, scene.options);

    Canvas expected(150, 120);
    expected.SetBrushColour(kBlack);
    expected.FillRect(0, 0, 150, 120);
    expected.SetPenColour(kGrey);
    LiteralGrid(expected, scene.view, c.rowStep);
    EXPECT_EQ(Pixels(scene.canvas), Pixels(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Background, DenseGrid,
    testing::Values(GridCase{"tenPixelsApart", 0.1L, 0.1L, 3.0L, 1},
                    GridCase{"fourPixelsApart", 0.1L, 0.25L, 3.0L, 1},
                    GridCase{"twoPixelsApart", 0.1L, 0.5L, 1.37L, 10},
                    GridCase{"justOverAPixel", 0.1L, 0.95L, 57.3L, 10},
                    GridCase{"twoThirdsOfAPixel", 0.1L, 1.5L, -17.25L, 10},
                    GridCase{"twoFifthsOfAPixel", 0.1L, 2.5L, 100.0L, 10},
                    GridCase{"fiftyPerPixel", 0.1L, 50.0L, 1234.5L, 1000},
                    GridCase{"fiftyPerPixelBelowZero", 0.1L, 50.0L, -7000.0L, 1000},
                    GridCase{"thousandPerPixel", 0.1L, 1000.0L, 60.0L, 1e4L},
                    // 0.012 high: the step 1 leaves no row at all.
                    GridCase{"noRowOfTheColumnsStep", 0.1L, 0.0001L, 0.5L, 0.01L},
                    GridCase{"oneRowOfTheColumnsStep", 0.1L, 0.01L, 0.5L, 0.1L}),
    [](const testing::TestParamInfo<GridCase>& info) { return info.param.name; });

TEST(Background, BillionsOfGridLinesCostOnlyTheRows) {
    // The columns' step 0.001 with 100000 units per row would cover every row: the rows get
    // the step 10^6 of their own, a line every 10 pixels.
    Scene scene(300, 200);
    scene.view.PixelSizeX = kMinPixelSize;
    scene.view.PixelSizeY = kMaxPixelSize;
    scene.view.ViewOriginX = -0.0005L;
    scene.view.ViewOriginY = 1e7L;
    scene.options.Axes = false;
    DrawBackground(scene.canvas, scene.view, scene.options);
    std::vector<int> rows;
    for (int y = 0; y < 200; y += 10) rows.push_back(y);
    EXPECT_EQ(RowsOf(scene.canvas, 20, kGrey), rows);
    EXPECT_EQ(RowsOf(scene.canvas, 50, kGrey).size(), 200u);  // a column of the grid
}

// The views a lesson meets: the row step keeps its rows 4 pixels apart or more and two or more
// of them in view, and the y labels stand on those rows; square views keep the one step.
struct RowStepCase {
    const char* name;
    ExtendedReal sizeX, sizeY;
    bool ownStep;
};

class RowStep : public testing::TestWithParam<RowStepCase> {};

TEST_P(RowStep, RowsAreReadableAndCarryTheLabels) {
    const RowStepCase& c = GetParam();
    const int width = 640;
    const int height = 400;
    ViewState view;
    view.PixelSizeX = c.sizeX;
    view.PixelSizeY = c.sizeY;
    CentreView(view, width, height);
    const ExtendedReal shared = GridStepFor(width, view.PixelSizeX);
    const ExtendedReal step = HorizontalGridStep(shared, height, view);
    EXPECT_EQ(step != shared, c.ownStep);
    EXPECT_GE(step / view.PixelSizeY, kMinGridSpacing);
    EXPECT_GE(std::floor(view.ViewOriginY / step) -
                  std::ceil((view.ViewOriginY - height * view.PixelSizeY) / step) + 1,
              2);
    const LabelMetrics metrics{[](const std::string& text) { return 7 * int(text.size()); }, 13};
    int yLabels = 0;
    for (const AxisLabel& label : PlaceAxisLabels(view, width, height, metrics)) {
        if (label.OnXAxis) continue;
        ++yLabels;
        ExtendedReal value = 0;
        ASSERT_TRUE(NumberSyntax(label.Text, value)) << label.Text;
        const ExtendedReal multiple = value / step;
        EXPECT_NEAR(double(multiple), std::round(double(multiple)), 1e-6) << label.Text;
    }
    EXPECT_GT(yLabels, 0);
}

INSTANTIATE_TEST_SUITE_P(Background, RowStep,
                         testing::Values(RowStepCase{"square", 0.05L, 0.05L, false},
                                         RowStepCase{"squareFine", 0.002L, 0.002L, false},
                                         RowStepCase{"shiftWheelOnSquare", 0.05L, 0.8L, true},
                                         RowStepCase{"solidGrey", 0.002L, 0.5L, true},
                                         RowStepCase{"logisticExample", 0.5L, 0.005L, true}),
                         [](const testing::TestParamInfo<RowStepCase>& info) {
                             return info.param.name;
                         });

TEST(Background, OriginsBeyondTheStepsReachEnd) {
    // Neither grid can step from so far away, and both axes lie far outside.
    Scene scene(308, 90);
    scene.view.ViewOriginX = 1e30L;
    scene.view.ViewOriginY = -1e30L;
    DrawBackground(scene.canvas, scene.view, scene.options);
    EXPECT_EQ(Pixels(scene.canvas), std::vector<Colour>(308 * 90, kBlack));
    // Far, but a step of 1 still counts there: the vertical grid is drawn as usual.
    scene.view.ViewOriginX = 1e17L;
    DrawBackground(scene.canvas, scene.view, scene.options);
    for (int x = 0; x < 308; ++x)
        EXPECT_EQ(RowsOf(scene.canvas, x, kGrey).size(), x % 20 == 0 ? 90u : 0u) << x;
}

// --- Curves.
TEST(Curve, SineIsContinuousAcrossTheWidth) {
    Scene scene(308, 276);
    EXPECT_TRUE(scene.Plot("sinx"));
    int previousLow = -1;
    int previousHigh = -1;
    for (int x = 0; x < 308; ++x) {
        const std::vector<int> rows = RowsOf(scene.canvas, x, kYellow);
        ASSERT_FALSE(rows.empty()) << "column " << x;
        ASSERT_EQ(rows.back() - rows.front() + 1, int(rows.size())) << "gap in column " << x;
        if (x > 0) {
            EXPECT_LE(rows.front(), previousHigh + 1) << x;
            EXPECT_GE(rows.back(), previousLow - 1) << x;
        }
        previousLow = rows.front();
        previousHigh = rows.back();
        const ExtendedReal world = ColumnToWorldX(scene.view, x);
        const ExtendedReal row = (scene.view.ViewOriginY - std::sin(world)) / scene.view.PixelSizeY;
        EXPECT_NEAR(rows.front(), row, 2) << x;
    }
}

TEST(Curve, ReciprocalBreaksAtASampleOnZero) {
    Scene scene = ExactScene();
    EXPECT_TRUE(scene.Plot("1/x"));
    EXPECT_TRUE(RowsOf(scene.canvas, 128, kYellow).empty());
    EXPECT_FALSE(RowsOf(scene.canvas, 127, kYellow).empty());
    EXPECT_FALSE(RowsOf(scene.canvas, 129, kYellow).empty());
    // Half a column over, no sample hits 0: a steep line joins the branches.
    // Half a column over, no sample hits 0: a steep line from row 256 to row 0 joins the
    // branches in columns 127 and 128.
    Scene joined = ExactScene(0.03125L);
    joined.Plot("1/x");
    for (int y = 1; y < 256; ++y) {
        EXPECT_TRUE(joined.canvas.Pixel(127, y) == kYellow ||
                    joined.canvas.Pixel(128, y) == kYellow)
            << y;
    }
}

TEST(Curve, RowsBeyondTheClampAreDrawnAtTheClamp) {
    // The sample at x = 2^-30 has the value 2^30, a row far above the picture.
    Scene scene = ExactScene(std::ldexp(1.0L, -30));
    EXPECT_NO_THROW(scene.Plot("1/x"));
    EXPECT_EQ(RowsOf(scene.canvas, 127, kYellow).front(), 0);
    EXPECT_EQ(RowsOf(scene.canvas, 129, kYellow).front(), 0);
    // A value whose row cannot even be represented.
    Scene huge(100, 80);
    EXPECT_NO_THROW(huge.Plot("exp(11356)"));
    EXPECT_NO_THROW(huge.Plot("exp(11356)*(x+20)"));
}

TEST(Curve, SquareRootStartsAtZero) {
    Scene scene = ExactScene();
    EXPECT_TRUE(scene.Plot("sqrtx"));
    for (int x = 0; x < 128; ++x) EXPECT_TRUE(RowsOf(scene.canvas, x, kYellow).empty()) << x;
    EXPECT_EQ(RowsOf(scene.canvas, 128, kYellow), std::vector<int>{128});
}

TEST(Curve, BoundMarkersAreRedDashedLines) {
    Scene scene(308, 276);
    scene.options.BoundArgument = true;
    scene.view.ArgumentFrom = -1;
    scene.view.ArgumentTo = 1;
    EXPECT_TRUE(scene.Plot("x"));
    for (const int column : {134, 174}) {
        for (int y = 0; y < 100; ++y)
            EXPECT_EQ(scene.canvas.Pixel(column, y) == kRed, y % 24 < 18) << column << "," << y;
    }
    // The curve may reach one step beyond the upper bound.
    for (int x = 0; x < 308; ++x) {
        const bool yellow = !RowsOf(scene.canvas, x, kYellow).empty();
        if (x >= 134 && x <= 173) {
            EXPECT_TRUE(yellow) << x;
        }
        if (x < 134 || x > 174) {
            EXPECT_FALSE(yellow) << x;
        }
    }
}

TEST(Curve, BoundOutsideTheViewDrawsNoMarker) {
    Scene scene(308, 276);
    scene.options.BoundArgument = true;
    scene.view.ArgumentFrom = -100;
    scene.view.ArgumentTo = 100;
    scene.Plot("sinx");
    for (const Colour pixel : Pixels(scene.canvas)) EXPECT_NE(pixel, kRed);
}

TEST(Curve, PointModeSetsOnePixelPerColumn) {
    Scene scene(308, 276);
    scene.options.Lines = false;
    EXPECT_TRUE(scene.Plot("sinx"));
    // The first sample only places the pen.
    EXPECT_TRUE(RowsOf(scene.canvas, 0, kYellow).empty());
    for (int x = 1; x < 308; ++x) EXPECT_EQ(RowsOf(scene.canvas, x, kYellow).size(), 1u) << x;
    Scene dense(308, 276);
    dense.options.Lines = false;
    dense.view.SamplesPerPixel = 3;
    dense.Plot("10*sin(3*x)");
    for (int x = 1; x < 308; ++x) EXPECT_LE(RowsOf(dense.canvas, x, kYellow).size(), 3u) << x;
}

TEST(Curve, WithoutNewTheSecondCurveOverdrawsTheFirst) {
    Scene scene(308, 276);
    scene.Plot("sinx");
    const std::vector<Colour> first = Pixels(scene.canvas);
    scene.options.ClearFirst = false;
    scene.options.LineColour = kGreen;
    scene.options.Grid = false;
    scene.Plot("cosx");
    const std::vector<Colour> second = Pixels(scene.canvas);
    int yellowLeft = 0;
    int green = 0;
    for (size_t k = 0; k < first.size(); ++k) {
        ASSERT_TRUE(second[k] == first[k] || second[k] == kGreen) << k;
        yellowLeft += second[k] == kYellow;
        green += second[k] == kGreen;
    }
    EXPECT_GT(yellowLeft, 200);
    EXPECT_GT(green, 200);
}

// --- An expression without x: a line in the pen colour the background left, then the samples.
struct PenLeftCase {
    const char* name;
    bool grid, axes;
    Colour left;
};

class ConstantLine : public testing::TestWithParam<PenLeftCase> {};

TEST_P(ConstantLine, UsesThePenColourLeftBefore) {
    const PenLeftCase& c = GetParam();
    Scene scene(308, 276);
    scene.options.LineColour = kGreen;
    scene.Plot("sinx");  // leaves the pen green
    scene.options.LineColour = kYellow;
    scene.options.Grid = c.grid;
    scene.options.Axes = c.axes;
    scene.options.BoundArgument = true;
    scene.view.ArgumentFrom = -1;
    scene.view.ArgumentTo = 1;
    EXPECT_FALSE(scene.Plot("5.5"));  // row 28
    for (int x = 0; x < 308; ++x) {
        const Colour expected = x < 134 || x > 174 ? c.left : x == 174 ? kRed : kYellow;
        EXPECT_EQ(scene.canvas.Pixel(x, 28), expected) << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Curve, ConstantLine,
                         testing::Values(PenLeftCase{"afterAxes", true, true, kWhite},
                                         PenLeftCase{"afterGrid", true, false, kGrey},
                                         PenLeftCase{"afterPreviousCurve", false, false, kGreen}),
                         [](const testing::TestParamInfo<PenLeftCase>& info) {
                             return info.param.name;
                         });

TEST(Curve, RecurrenceWithoutXIsALineAtItsLastTerm) {
    Scene scene(308, 276);
    scene.engine.IndexFrom = 1;
    scene.engine.IndexTo = 3;
    scene.view.ViewOriginY = 10;  // y = 7 on row 60
    EXPECT_FALSE(scene.Plot("a+n"));
    EXPECT_EQ(scene.engine.ValueA, 1);
    for (int x = 0; x < 308; ++x) EXPECT_EQ(scene.canvas.Pixel(x, 60), kYellow) << x;
    for (int x = 0; x < 308; ++x) EXPECT_NE(scene.canvas.Pixel(x, 59), kYellow) << x;

    // Without n there is a single step with n = 1, whatever the index range: y = 2 on row 160.
    scene.Plot("a+1");
    EXPECT_EQ(RowsOf(scene.canvas, 100, kYellow), std::vector<int>{160});

    Scene longer(308, 276);
    longer.engine.IndexTo = 100;
    longer.view.ViewOriginY = 5060;  // y = 5051 on row 180
    longer.Plot("a+n");
    EXPECT_EQ(RowsOf(longer.canvas, 100, kYellow), std::vector<int>{180});
}

struct SamplingCase {
    const char* name;
    bool lines, bound;
    int samplesPerPixel;
};

class ConstantSampling : public testing::TestWithParam<SamplingCase> {};

// Evaluating once gives the picture that sampling every column gives.
TEST_P(ConstantSampling, MatchesSamplingEveryColumn) {
    const SamplingCase& c = GetParam();
    auto prepare = [&](Scene& scene) {
        scene.engine.IndexTo = 4;
        scene.view.ViewOriginY = 12;
        scene.view.SamplesPerPixel = c.samplesPerPixel;
        scene.view.ArgumentFrom = -2.3L;
        scene.view.ArgumentTo = 0.7L;
        scene.options.Lines = c.lines;
        scene.options.BoundArgument = c.bound;
    };
    Scene once(308, 276);
    prepare(once);
    once.Plot("a+n");

    Scene sampled(308, 276);
    prepare(sampled);
    DrawBackground(sampled.canvas, sampled.view, sampled.options);
    const int32_t row = WorldYToRow(sampled.view, 11);
    sampled.canvas.MoveTo(0, row);
    sampled.canvas.LineTo(308, row);
    sampled.options.ClearFirst = false;
    EXPECT_TRUE(sampled.Plot("a+n+0*x"));
    EXPECT_EQ(Pixels(once.canvas), Pixels(sampled.canvas));
}

INSTANTIATE_TEST_SUITE_P(Curve, ConstantSampling,
                         testing::Values(SamplingCase{"lines", true, false, 1},
                                         SamplingCase{"points", false, false, 1},
                                         SamplingCase{"boundLines", true, true, 3},
                                         SamplingCase{"boundPoints", false, true, 2}),
                         [](const testing::TestParamInfo<SamplingCase>& info) {
                             return info.param.name;
                         });

TEST(Curve, FailingConstantDrawsOnlyTheBackground) {
    Scene scene(100, 80);
    EXPECT_FALSE(scene.Plot("ln(0)"));
    Scene background(100, 80);
    DrawBackground(background.canvas, background.view, background.options);
    EXPECT_EQ(Pixels(scene.canvas), Pixels(background.canvas));
}

TEST(Curve, AfterAFailedBuildOnlyTheBackground) {
    for (const char* text : {"sin(", "x+", "(x", ")", "x**2", "sinx)"}) {
        Scene scene(100, 80);
        scene.Plot("cosx");
        EXPECT_NE(BuildExpression(scene.engine, text), kNoError) << text;
        EXPECT_FALSE(PlotCurve(scene.canvas, scene.engine, scene.view, scene.options)) << text;
        Scene background(100, 80);
        DrawBackground(background.canvas, background.view, background.options);
        EXPECT_EQ(Pixels(scene.canvas), Pixels(background.canvas)) << text;
    }
}

TEST(Curve, ValueAIsRestored) {
    Scene scene(100, 80);
    scene.engine.ValueA = 2.5L;
    scene.engine.IndexTo = 10;
    scene.Plot("a*x+n");
    EXPECT_EQ(scene.engine.ValueA, 2.5L);
    scene.Plot("a+1");
    EXPECT_EQ(scene.engine.ValueA, 2.5L);
}

// --- Nothing to draw, nothing to fail; nothing can hang.
TEST(Curve, ZeroSizePictureDrawsNothing) {
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{0, 50}, std::pair{50, 0}}) {
        for (const char* text : {"sinx", "5", "a+n", "1/x"}) {
            Scene scene(w, h);
            scene.options.BoundArgument = true;
            EXPECT_NO_THROW(scene.Plot(text)) << text;
        }
    }
}

TEST(Curve, FarFromTheOriginThePlotEnds) {
    // At 1e30 a step of 0.05 no longer moves x.
    Scene scene(308, 276);
    scene.view.ViewOriginX = 1e30L;
    EXPECT_TRUE(scene.Plot("sinx"));
    scene.view.ViewOriginY = 1e30L;
    EXPECT_TRUE(scene.Plot("x"));
}

TEST(Curve, EmptyLimitedRangeEnds) {
    // The range shrinks to one point and no sample is valid: x can never pass the end.
    Scene scene(100, 80);
    scene.options.BoundArgument = true;
    scene.view.ArgumentFrom = 0.5L;
    scene.view.ArgumentTo = 0.5L;
    EXPECT_TRUE(scene.Plot("ln(0*x)"));
    EXPECT_TRUE(scene.Plot("x"));
    scene.options.Lines = false;
    EXPECT_TRUE(scene.Plot("ln(0*x)"));
}

TEST(Curve, UnusableViewIsAnOverflow) {
    Scene scene(100, 80);
    scene.view.PixelSizeX = 0;
    EXPECT_THROW(scene.Plot("sinx"), DrawingOverflow);
    scene.options.ClearFirst = false;
    EXPECT_THROW(scene.Plot("sinx"), DrawingOverflow);
}

}  // namespace
