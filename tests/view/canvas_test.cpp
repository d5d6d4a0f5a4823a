// Canvas: colour layout, line end and clipping against a plain Bresenham walk, the dash pattern,
// XOR shapes that restore the picture, fills.
#include "view/canvas.h"

#include <gtest/gtest.h>

#include <QColor>
#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <vector>

namespace {

// A picture as a grid of colours, for whole-picture comparisons.
std::vector<Colour> Pixels(const Canvas& canvas) {
    std::vector<Colour> pixels;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

void FillRandom(Canvas& canvas, unsigned seed) {
    std::mt19937 random(seed);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) canvas.SetPixel(x, y, random() & 0xFFFFFF);
}

// The textbook Bresenham walk with an error term (ties stay on the start's side), every step
// visited, end pixel left out; the visited pixels inside the window are painted.
std::vector<Colour> ReferenceLine(int width, int height, int64_t x0, int64_t y0, int64_t x1,
                                  int64_t y1, Colour background, Colour pen) {
    std::vector<Colour> pixels(size_t(width) * size_t(height), background);
    const int64_t dx = std::llabs(x1 - x0);
    const int64_t dy = std::llabs(y1 - y0);
    const int64_t sx = x1 >= x0 ? 1 : -1;
    const int64_t sy = y1 >= y0 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int64_t dMajor = xMajor ? dx : dy;
    const int64_t dMinor = xMajor ? dy : dx;
    int64_t x = x0;
    int64_t y = y0;
    int64_t decision = 2 * dMinor - dMajor;
    for (int64_t i = 0; i < dMajor; ++i) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[size_t(y * width + x)] = pen;
        if (decision > 0) {
            (xMajor ? y : x) += xMajor ? sy : sx;
            decision -= 2 * dMajor;
        }
        decision += 2 * dMinor;
        (xMajor ? x : y) += xMajor ? sx : sy;
    }
    return pixels;
}

TEST(CanvasColour, RedLiesInTheLowByte) {
    Canvas canvas(4, 4);
    EXPECT_EQ(canvas.Pixel(1, 1), kWhite);
    canvas.SetPixel(1, 1, kYellow);
    canvas.SetPixel(2, 1, 0x123456);
    EXPECT_EQ(canvas.Pixel(1, 1), kYellow);
    EXPECT_EQ(canvas.Image().pixel(1, 1) & 0xFFFFFFu, 0xFFFF00u);  // QRgb: red, green, blue
    EXPECT_EQ(canvas.Image().pixel(2, 1) & 0xFFFFFFu, 0x563412u);
    EXPECT_EQ(canvas.Pixel(2, 1), 0x123456u);
    EXPECT_EQ(canvas.Pixel(-1, 0), kInvalidColour);
    EXPECT_EQ(canvas.Pixel(4, 0), kInvalidColour);
}

// --- Lines: the end pixel is never drawn.
struct LineCase {
    int x0, y0, x1, y1;
    std::vector<std::pair<int, int>> drawn;
};

class LineEnd : public testing::TestWithParam<LineCase> {};

TEST_P(LineEnd, DrawsExactlyTheStepsBeforeTheEnd) {
    const LineCase& c = GetParam();
    Canvas canvas(10, 10);
    canvas.SetPenColour(kRed);
    canvas.MoveTo(c.x0, c.y0);
    canvas.LineTo(c.x1, c.y1);
    std::vector<std::pair<int, int>> drawn;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            if (canvas.Pixel(x, y) == kRed) drawn.emplace_back(x, y);
    std::sort(drawn.begin(), drawn.end());
    std::vector<std::pair<int, int>> expected = c.drawn;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(drawn, expected);
}

INSTANTIATE_TEST_SUITE_P(Canvas, LineEnd,
                         testing::Values(LineCase{2, 2, 6, 2, {{2, 2}, {3, 2}, {4, 2}, {5, 2}}},
                                         LineCase{6, 2, 2, 2, {{6, 2}, {5, 2}, {4, 2}, {3, 2}}},
                                         LineCase{3, 1, 3, 4, {{3, 1}, {3, 2}, {3, 3}}},
                                         LineCase{1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}}},
                                         LineCase{4, 4, 4, 4, {}},
                                         LineCase{0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}}));

TEST(CanvasLine, TheCurrentPointFollowsLineTo) {
    Canvas canvas(10, 10);
    canvas.SetPenColour(kRed);
    canvas.MoveTo(1, 1);
    canvas.LineTo(5, 1);
    canvas.LineTo(5, 4);
    EXPECT_EQ(canvas.Pixel(5, 1), kRed);  // the second line starts where the first ended
    EXPECT_EQ(canvas.Pixel(5, 3), kRed);
    EXPECT_EQ(canvas.Pixel(5, 4), kWhite);
}

// --- Clipping: a window onto any line shows exactly what the unclipped walk would paint there.
TEST(CanvasLine, ClippedLinesMatchTheUnclippedWalk) {
    std::mt19937 random(7);
    constexpr int kWidth = 37;
    constexpr int kHeight = 23;
    for (int trial = 0; trial < 400; ++trial) {
        // Small spans near the window, then spans that reach far beyond it.
        const int range = trial < 300 ? 80 : 200000;
        std::uniform_int_distribution<int> coordinate(-range, range);
        const int x0 = coordinate(random), y0 = coordinate(random);
        const int x1 = coordinate(random), y1 = coordinate(random);
        Canvas canvas(kWidth, kHeight);
        canvas.SetPenColour(kRed);
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
        ASSERT_EQ(Pixels(canvas), ReferenceLine(kWidth, kHeight, x0, y0, x1, y1, kWhite, kRed))
            << "line (" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
    }
}

TEST(CanvasLine, ExtremeCoordinatesDrawOnlyTheVisibleStretch) {
    Canvas canvas(64, 16);
    canvas.SetPenColour(kRed);
    // Two rows over four billion columns: the middle of the line is on row 6.
    canvas.MoveTo(-2000000000, 5);
    canvas.LineTo(2000000000, 7);
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 16; ++y) EXPECT_EQ(canvas.Pixel(x, y) == kRed, y == 6) << x << "," << y;
    }
    // The full 32-bit range in both directions, through a corner: the diagonal.
    Canvas diagonal(16, 16);
    diagonal.SetPenColour(kRed);
    diagonal.MoveTo(INT32_MIN + 1, INT32_MIN + 1);
    diagonal.LineTo(INT32_MAX, INT32_MAX);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) EXPECT_EQ(diagonal.Pixel(x, y) == kRed, x == y);
    // Entirely outside.
    Canvas outside(16, 16);
    outside.SetPenColour(kRed);
    outside.MoveTo(INT32_MIN, -1);
    outside.LineTo(INT32_MAX, -3);
    EXPECT_EQ(Pixels(outside), std::vector<Colour>(256, kWhite));
}

TEST(CanvasLine, DashedPenDrawsEighteenAndSkipsSix) {
    Canvas canvas(80, 3);
    canvas.SetPenColour(kRed);
    canvas.SetPenStyle(PenStyle::Dashed);
    canvas.MoveTo(0, 0);
    canvas.LineTo(80, 0);
    // Consecutive lines continue the pattern.
    canvas.MoveTo(0, 1);
    canvas.LineTo(10, 1);
    canvas.LineTo(80, 1);
    for (int x = 0; x < 80; ++x) {
        EXPECT_EQ(canvas.Pixel(x, 0) == kRed, x % 24 < 18) << x;
        EXPECT_EQ(canvas.Pixel(x, 1) == kRed, x % 24 < 18) << x;
    }
    // The pattern counts the pixels left of the picture too.
    canvas.MoveTo(-30, 2);
    canvas.LineTo(80, 2);
    for (int x = 0; x < 80; ++x) EXPECT_EQ(canvas.Pixel(x, 2) == kRed, (x + 30) % 24 < 18) << x;
}

// --- XOR: every shape drawn twice leaves the picture as it was.
struct XorShape {
    const char* name;
    bool ellipse;
    int x1, y1, x2, y2;
};

class XorTwice : public testing::TestWithParam<XorShape> {};

TEST_P(XorTwice, RestoresThePicture) {
    const XorShape& s = GetParam();
    Canvas canvas(40, 30);
    FillRandom(canvas, 11);
    const std::vector<Colour> before = Pixels(canvas);
    canvas.SetPenMode(PenMode::Xor);
    canvas.SetPenColour(kGreen);
    canvas.SetBrushColour(0x3355AA);
    for (int pass = 0; pass < 2; ++pass) {
        if (s.ellipse)
            canvas.Ellipse(s.x1, s.y1, s.x2, s.y2);
        else
            canvas.Rectangle(s.x1, s.y1, s.x2, s.y2);
        if (pass == 0 && s.x1 != s.x2 && s.y1 != s.y2) {
            EXPECT_NE(Pixels(canvas), before);
        }
    }
    EXPECT_EQ(Pixels(canvas), before);
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, XorTwice,
    testing::Values(
        XorShape{"rect", false, 5, 5, 20, 15}, XorShape{"rectSwapped", false, 20, 15, 5, 5},
        XorShape{"rectOneWide", false, 5, 5, 6, 20}, XorShape{"rectTwoHigh", false, 5, 5, 30, 7},
        XorShape{"rectFlat", false, 5, 5, 30, 5},
        XorShape{"rectHuge", false, -2000000000, 10, 2000000000, 2000000000},
        XorShape{"ellipse", true, 3, 4, 33, 25}, XorShape{"ellipseDot", true, 8, 8, 12, 12},
        XorShape{"ellipseSwapped", true, 33, 25, 3, 4},
        XorShape{"ellipseThin", true, 10, 2, 12, 28},
        XorShape{"ellipseHuge", true, -2000000000, -5, 2000000000, 40}),
    [](const testing::TestParamInfo<XorShape>& info) { return info.param.name; });

TEST(CanvasShapes, RectangleOutlinesWithPenAndFillsWithBrush) {
    Canvas canvas(10, 10);
    canvas.SetPenColour(kRed);
    canvas.SetBrushColour(kBlack);
    canvas.Rectangle(6, 5, 2, 1);  // box 2..5 by 1..4
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x <= 5 && y >= 1 && y <= 4;
            const bool edge = inside && (x == 2 || x == 5 || y == 1 || y == 4);
            EXPECT_EQ(canvas.Pixel(x, y), edge ? kRed : inside ? kBlack : kWhite) << x << "," << y;
        }
    }
}

TEST(CanvasShapes, SmallEllipseIsARoundDot) {
    Canvas canvas(10, 10);
    canvas.SetPenColour(kRed);
    canvas.SetBrushColour(kBlack);
    canvas.Ellipse(3, 3, 7, 7);  // the mouse tool's mark around (5, 5)
    const char* expected[] = {"..........", "..........", "..........", "....RR....", "...RBBR...",
                              "...RBBR...", "....RR....", "..........", "..........", ".........."};
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const Colour want = expected[y][x] == 'R'   ? kRed
                                : expected[y][x] == 'B' ? kBlack
                                                        : kWhite;
            EXPECT_EQ(canvas.Pixel(x, y), want) << x << "," << y;
        }
    }
    // A larger one has a brush interior enclosed by the pen.
    Canvas large(30, 30);
    large.SetPenColour(kRed);
    large.SetBrushColour(kBlack);
    large.Ellipse(2, 2, 28, 22);
    EXPECT_EQ(large.Pixel(15, 12), kBlack);
    EXPECT_EQ(large.Pixel(2, 12), kRed);
    EXPECT_EQ(large.Pixel(27, 12), kRed);
    EXPECT_EQ(large.Pixel(15, 2), kRed);
    EXPECT_EQ(large.Pixel(15, 21), kRed);
    EXPECT_EQ(large.Pixel(15, 22), kWhite);
    EXPECT_EQ(large.Pixel(2, 2), kWhite);
    // Same outline when drawn from the opposite corners.
    Canvas swapped(30, 30);
    swapped.SetPenColour(kRed);
    swapped.SetBrushColour(kBlack);
    swapped.Ellipse(28, 22, 2, 2);
    EXPECT_EQ(Pixels(swapped), Pixels(large));
}

// --- Fills.
TEST(CanvasFill, FillRectExcludesRightAndBottom) {
    Canvas canvas(8, 8);
    canvas.SetBrushColour(kBlack);
    canvas.FillRect(2, 3, 5, 6);
    canvas.FillRect(7, 7, 6, 6);  // inverted: nothing
    canvas.FillRect(-2000000000, 7, 2000000000, 2000000000);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool filled = (x >= 2 && x < 5 && y >= 3 && y < 6) || y == 7;
            EXPECT_EQ(canvas.Pixel(x, y), filled ? kBlack : kWhite) << x << "," << y;
        }
    }
}

TEST(CanvasFill, FloodFillStopsAtTheBorderColour) {
    Canvas canvas(20, 20);
    canvas.SetBrushColour(kYellow);
    canvas.FillRect(0, 0, 20, 20);
    canvas.SetPenColour(kBlack);
    canvas.SetBrushColour(kRed);  // an interior already in another colour is still filled
    canvas.Rectangle(2, 2, 12, 12);
    // A diagonal step in the border: 4-connected filling does not pass it.
    canvas.SetPixel(11, 6, kYellow);
    canvas.SetPixel(12, 6, kBlack);
    canvas.SetPixel(12, 7, kBlack);
    canvas.SetPixel(11, 7, kBlack);
    canvas.SetBrushColour(kGreen);
    canvas.FloodFill(5, 5, kBlack);
    EXPECT_EQ(canvas.Pixel(5, 5), kGreen);
    EXPECT_EQ(canvas.Pixel(10, 10), kGreen);
    EXPECT_EQ(canvas.Pixel(11, 6), kGreen);
    EXPECT_EQ(canvas.Pixel(2, 2), kBlack);
    EXPECT_EQ(canvas.Pixel(1, 1), kYellow);
    EXPECT_EQ(canvas.Pixel(13, 6), kYellow);
    EXPECT_EQ(canvas.Pixel(12, 5), kYellow);
    EXPECT_EQ(canvas.Pixel(15, 15), kYellow);
    // Starting on the border colour, or outside the picture, fills nothing.
    const std::vector<Colour> before = Pixels(canvas);
    canvas.SetBrushColour(kWhite);
    canvas.FloodFill(2, 2, kBlack);
    canvas.FloodFill(-1, 5, kBlack);
    canvas.FloodFill(5, 20, kBlack);
    EXPECT_EQ(Pixels(canvas), before);
}

TEST(CanvasFill, FloodFillCoversALargeMaze) {
    // A serpentine corridor through the whole picture: deep for a recursive fill.
    Canvas canvas(400, 400);
    canvas.SetPenColour(kBlack);
    for (int x = 2; x < 400; x += 4) {
        canvas.MoveTo(x, (x / 4) % 2 == 0 ? 0 : 1);
        canvas.LineTo(x, (x / 4) % 2 == 0 ? 399 : 400);
    }
    canvas.SetBrushColour(kRed);
    canvas.FloodFill(0, 0, kBlack);
    int white = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) white += canvas.Pixel(x, y) == kWhite;
    EXPECT_EQ(white, 0);
}

TEST(CanvasZeroSize, DrawsNothingAndFailsNothing) {
    for (const auto& [w, h] :
         {std::pair{0, 0}, std::pair{0, 10}, std::pair{10, 0}, std::pair{-3, 5}}) {
        Canvas canvas(w, h);
        EXPECT_EQ(canvas.Width() * canvas.Height(), 0);
        canvas.FillRect(0, 0, 10, 10);
        canvas.FloodFill(0, 0, kBlack);
        canvas.MoveTo(-5, -5);
        canvas.LineTo(5, 5);
        canvas.SetPixel(0, 0, kRed);
        canvas.Rectangle(0, 0, 5, 5);
        canvas.Ellipse(0, 0, 5, 5);
        EXPECT_EQ(canvas.Pixel(0, 0), kInvalidColour);
    }
}

}  // namespace

namespace {

// A picture drawn with each pen: the solid copy pen's lines are the ones smoothing changes.
struct SmoothCase {
    const char* name;
    PenMode mode;
    PenStyle style;
    std::vector<std::pair<int32_t, int32_t>> points;
    bool changed;
};

class SmoothLines : public testing::TestWithParam<SmoothCase> {};

TEST_P(SmoothLines, OnlySolidCopyRunsAreSmoothed) {
    const SmoothCase& c = GetParam();
    Canvas canvases[2] = {Canvas(60, 40), Canvas(60, 40)};
    for (int smooth = 0; smooth < 2; ++smooth) {
        Canvas& canvas = canvases[smooth];
        canvas.SetBrushColour(kBlack);
        canvas.FillRect(0, 0, 60, 40);
        canvas.SetSmoothLines(smooth == 1);
        canvas.SetPenColour(kYellow);
        canvas.SetPenMode(c.mode);
        canvas.SetPenStyle(c.style);
        canvas.MoveTo(c.points.front().first, c.points.front().second);
        for (size_t i = 1; i < c.points.size(); ++i)
            canvas.LineTo(c.points[i].first, c.points[i].second);
        canvas.Flush();
    }
    EXPECT_EQ(Pixels(canvases[0]) != Pixels(canvases[1]), c.changed);
    if (!c.changed) return;
    // Shades between the pen and the background along the line.
    const std::vector<Colour> pixels = Pixels(canvases[1]);
    const auto shaded = std::count_if(pixels.begin(), pixels.end(), [](Colour colour) {
        return colour != kBlack && colour != kYellow;
    });
    EXPECT_GT(shaded, 10);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SmoothLines,
    testing::Values(
        SmoothCase{
            "Curve", PenMode::Copy, PenStyle::Solid, {{2, 30}, {20, 5}, {40, 35}, {58, 8}}, true},
        SmoothCase{"LoneHorizontal", PenMode::Copy, PenStyle::Solid, {{0, 10}, {60, 10}}, false},
        SmoothCase{"LoneVertical", PenMode::Copy, PenStyle::Solid, {{10, 0}, {10, 40}}, false},
        SmoothCase{"Dashed", PenMode::Copy, PenStyle::Dashed, {{2, 30}, {20, 5}, {40, 35}}, false},
        SmoothCase{"Xor", PenMode::Xor, PenStyle::Solid, {{2, 30}, {20, 5}, {40, 35}}, false},
        SmoothCase{
            "FarOutside", PenMode::Copy, PenStyle::Solid, {{-2000000, 30}, {2000000, 5}}, false}),
    [](const testing::TestParamInfo<SmoothCase>& info) { return std::string(info.param.name); });

TEST(SmoothLinesRun, DrawnBeforeAnythingElseAndNotIntoACopy) {
    Canvas canvas(40, 40);
    canvas.SetSmoothLines(true);
    canvas.SetPenColour(kRed);
    canvas.MoveTo(0, 0);
    canvas.LineTo(30, 20);
    canvas.LineTo(39, 39);
    // Held back until something else is drawn; a copy of the picture taken meanwhile (the
    // preview of the work) keeps what it showed.
    EXPECT_EQ(canvas.Pixel(15, 10), kWhite);
    const QImage preview = canvas.Image();
    canvas.SetPixel(0, 39, kBlack);
    EXPECT_NE(canvas.Pixel(15, 10), kWhite);
    EXPECT_EQ(QColor(preview.pixel(15, 10)), QColor(Qt::white));
    // Turned off, the canvas draws the plain way again.
    canvas.SetSmoothLines(false);
    canvas.MoveTo(0, 39);
    canvas.LineTo(20, 30);
    canvas.LineTo(39, 0);
    std::set<Colour> colours;
    for (int y = 30; y < 40; ++y)
        for (int x = 0; x < 10; ++x) colours.insert(canvas.Pixel(x, y));
    EXPECT_EQ(colours, (std::set<Colour>{kWhite, kRed}));
}

}  // namespace
