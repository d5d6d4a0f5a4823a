// Drawing at several device pixels to a logical pixel: the canvas's thick pen against the
// one-pixel rule with each pixel grown into its block, and whole pictures at ratio 2 against
// the nearest-neighbour doubling of the same picture at ratio 1.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "engine/tree_builder.h"
#include "view/canvas.h"
#include "view/drawing.h"
#include "view/scale_commands.h"
#include "view/sequence_pictures.h"

namespace {

std::vector<Colour> Pixels(const Canvas& canvas) {
    std::vector<Colour> pixels;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

// Every pixel of the picture as a scale x scale block.
std::vector<Colour> Doubled(const Canvas& canvas, int scale) {
    std::vector<Colour> pixels;
    for (int y = 0; y < canvas.Height() * scale; ++y)
        for (int x = 0; x < canvas.Width() * scale; ++x)
            pixels.push_back(canvas.Pixel(x / scale, y / scale));
    return pixels;
}

// Whether every scale x scale block of the picture holds one colour.
bool MadeOfBlocks(const Canvas& canvas, int scale) {
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Pixel(x, y) != canvas.Pixel(x - x % scale, y - y % scale)) return false;
    return true;
}

// --- The thick pen: the one-pixel line drawn on a larger picture (so that pixels left and
// above the picture are seen too), each pen pixel grown across the line: below it when the line
// runs more across than down, to its right otherwise.
struct ThickLine {
    int scale;
    int x0, y0, x1, y1;
};

class ThickPen : public testing::TestWithParam<ThickLine> {};

TEST_P(ThickPen, EachPixelOfTheOnePixelLineGrowsAcrossTheLine) {
    const ThickLine line = GetParam();
    constexpr int kLogical = 12;
    const int side = kLogical * line.scale;
    const int margin = line.scale;
    Canvas reference(side + 2 * margin, side + 2 * margin);
    reference.SetPenColour(kRed);
    reference.MoveTo(line.x0 + margin, line.y0 + margin);
    reference.LineTo(line.x1 + margin, line.y1 + margin);
    std::vector<Colour> expected(size_t(side) * size_t(side), kWhite);
    const bool xMajor = std::abs(line.x1 - line.x0) >= std::abs(line.y1 - line.y0);
    for (int y = 0; y < reference.Height(); ++y) {
        for (int x = 0; x < reference.Width(); ++x) {
            if (reference.Pixel(x, y) != kRed) continue;
            for (int k = 0; k < line.scale; ++k) {
                const int bx = x - margin + (xMajor ? 0 : k);
                const int by = y - margin + (xMajor ? k : 0);
                if (bx >= 0 && by >= 0 && bx < side && by < side)
                    expected[size_t(by) * size_t(side) + size_t(bx)] = kRed;
            }
        }
    }

    Canvas canvas(kLogical, kLogical, line.scale);
    ASSERT_EQ(canvas.Width(), side);
    canvas.SetPenColour(kRed);
    canvas.MoveTo(line.x0, line.y0);
    canvas.LineTo(line.x1, line.y1);
    EXPECT_EQ(Pixels(canvas), expected);
}

INSTANTIATE_TEST_SUITE_P(Canvas, ThickPen,
                         testing::Values(ThickLine{2, 0, 5, 20, 5},      // horizontal
                                         ThickLine{2, 20, 5, 0, 5},      // horizontal, leftward
                                         ThickLine{2, 7, 0, 7, 24},      // vertical
                                         ThickLine{2, 1, 2, 22, 13},     // shallow
                                         ThickLine{3, 30, 2, 4, 33},     // steep, backward
                                         ThickLine{2, 0, -1, 10, -1},    // just above: reaches in
                                         ThickLine{2, -1, 3, -1, 20},    // just left: reaches in
                                         ThickLine{4, -3, -3, 60, 40},   // from outside
                                         ThickLine{3, 40, -2, -5, 20},   // from outside, back
                                         ThickLine{2, -2, 8, 30, 8},     // along, from the left
                                         ThickLine{2, 5, -2, 30, -2}));  // two above: stays out

TEST(ThickPenRules, DashesAndPointsFollowTheScale) {
    Canvas canvas(60, 4, 2);
    canvas.SetPenColour(kBlack);
    canvas.SetPenStyle(PenStyle::Dashed);
    canvas.MoveTo(0, 2);
    canvas.LineTo(120, 2);
    // 36 device pixels drawn, 12 left out, on both rows of the line.
    for (const int row : {2, 3}) {
        EXPECT_EQ(canvas.Pixel(35, row), kBlack);
        EXPECT_EQ(canvas.Pixel(36, row), kWhite);
        EXPECT_EQ(canvas.Pixel(47, row), kWhite);
        EXPECT_EQ(canvas.Pixel(48, row), kBlack);
    }
    EXPECT_EQ(canvas.Pixel(10, 4), kWhite);

    canvas.SetPixel(9, 5, kRed);
    EXPECT_EQ(canvas.Pixel(9, 5), kRed);
    EXPECT_EQ(canvas.Pixel(10, 6), kRed);
    EXPECT_EQ(canvas.Pixel(11, 5), kWhite);
    EXPECT_EQ(canvas.Pixel(9, 7), kWhite);
}

TEST(ThickPenRules, BandOutlineIsScaleWideAndXorTwiceRestores) {
    for (const int scale : {2, 3}) {
        Canvas canvas(20, 20, scale);
        std::mt19937 random{unsigned(scale)};
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x) canvas.SetPixel(x, y, random() & 0xFFFFFF);
        // At a scale SetPixel paints blocks; the band goes over what they left.
        const std::vector<Colour> before = Pixels(canvas);
        canvas.SetPenMode(PenMode::Xor);
        canvas.SetPenColour(kGreen);
        canvas.SetBrushColour(kWhite);
        const int left = 3 * scale;
        const int top = 2 * scale;
        canvas.Rectangle(left, top, 15 * scale, 11 * scale);
        const size_t width = size_t(canvas.Width());
        const auto was = [&](int x, int y) { return before[size_t(y) * width + size_t(x)]; };
        const int middle = 6 * scale;
        EXPECT_EQ(canvas.Pixel(left + scale - 1, middle), was(left + scale - 1, middle) ^ kGreen);
        EXPECT_EQ(canvas.Pixel(left + scale, middle), was(left + scale, middle) ^ kWhite);
        EXPECT_EQ(canvas.Pixel(middle, top + scale - 1), was(middle, top + scale - 1) ^ kGreen);
        EXPECT_EQ(canvas.Pixel(left - 1, middle), was(left - 1, middle));
        canvas.Rectangle(left, top, 15 * scale, 11 * scale);
        EXPECT_EQ(Pixels(canvas), before) << scale;
    }
}

// --- Whole pictures at ratio 2.
struct Scene {
    Canvas canvas;
    Engine engine;
    ViewState view;
    DrawOptions options;

    Scene(int width, int height, int scale) : canvas(width, height, scale) {
        CentreView(view, width, height);
    }

    bool Plot(const char* text) {
        EXPECT_EQ(BuildExpression(engine, text), kNoError) << text;
        return PlotCurve(canvas, engine, view, options);
    }
};

TEST(HighDensity, GridAndAxesAreTheDoubledLogicalOnes) {
    // On the default view every line lies on a whole pixel: at ratio 2 each is two pixels wide
    // where the ratio-1 line is one.
    Scene logical(308, 276, 1);
    Scene device(308, 276, 2);
    DrawBackground(logical.canvas, logical.view, logical.options);
    DrawBackground(device.canvas, device.view, device.options);
    ASSERT_EQ(device.canvas.Width(), 616);
    ASSERT_EQ(device.canvas.Height(), 552);
    EXPECT_EQ(Pixels(device.canvas), Doubled(logical.canvas, 2));
}

TEST(HighDensity, CurveIsSampledPerDevicePixelColumn) {
    Scene logical(308, 276, 1);
    Scene device(308, 276, 2);
    EXPECT_TRUE(logical.Plot("sinx"));
    EXPECT_TRUE(device.Plot("sinx"));
    // Not blocks: a doubled picture would have none of its rows start at an odd pixel.
    EXPECT_FALSE(MadeOfBlocks(device.canvas, 2));
    EXPECT_NE(Pixels(device.canvas), Doubled(logical.canvas, 2));
    const ViewState fine = DeviceView(device.view, 2);
    for (int x = 0; x < device.canvas.Width(); ++x) {
        std::vector<int> rows;
        for (int y = 0; y < device.canvas.Height(); ++y)
            if (device.canvas.Pixel(x, y) == kYellow) rows.push_back(y);
        ASSERT_FALSE(rows.empty()) << "column " << x;
        // The line is a logical pixel thick: two rows at least, and its top follows sin x at
        // the device column's own abscissa.
        EXPECT_GE(rows.size(), 2u) << x;
        const ExtendedReal world = fine.ViewOriginX + x * fine.PixelSizeX;
        const ExtendedReal row = (fine.ViewOriginY - std::sin(world)) / fine.PixelSizeY;
        EXPECT_NEAR(rows.front(), row, 1.5) << x;
    }
}

TEST(HighDensity, PointsAndTermsAreLogicalPixelsWide) {
    Scene device(100, 80, 2);
    device.options.Lines = false;
    device.Plot("x");
    // Each point is a 2 x 2 block.
    int yellow = 0;
    for (int y = 0; y < device.canvas.Height(); ++y)
        for (int x = 0; x < device.canvas.Width(); ++x)
            yellow += device.canvas.Pixel(x, y) == kYellow ? 1 : 0;
    EXPECT_EQ(yellow % 4, 0);
    EXPECT_GT(yellow, 0);

    Scene terms(100, 80, 2);
    ASSERT_EQ(BuildExpression(terms.engine, "1"), kNoError);
    terms.options.Lines = false;
    DrawTerms(terms.canvas, terms.view, terms.options, TermList{1, 0, {1}});
    // Term (1, 1) in the middle of a 6 x 6 square.
    const ViewState fine = DeviceView(terms.view, 2);
    const int column = RoundToPixel((1 - fine.ViewOriginX) / fine.PixelSizeX);
    const int row = RoundToPixel((fine.ViewOriginY - 1) / fine.PixelSizeY);
    EXPECT_EQ(terms.canvas.Pixel(column - 2, row - 2), kYellow);
    EXPECT_EQ(terms.canvas.Pixel(column + 3, row + 3), kYellow);
    EXPECT_NE(terms.canvas.Pixel(column + 4, row), kYellow);
    EXPECT_NE(terms.canvas.Pixel(column - 3, row), kYellow);
}

}  // namespace
