// The marks over the curves: where a point's circle sits and which one the pointer finds, the
// circles hollow in their colour, the tangent across the picture, and the shading told apart
// above and below the axis, on the canvas and through the vector surface.
#include "view/plot_marks.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <limits>
#include <set>

#include "engine/tree_builder.h"
#include "view/canvas.h"
#include "view/vector_surface.h"

namespace {

constexpr Colour kMarkColour = 0x00FF00;

// 200 x 200 pixels, 0.05 units each: column 100 is x = 0, row 100 is y = 0.
ViewState Square() {
    ViewState view;
    view.ViewOriginX = -5;
    view.ViewOriginY = 5;
    view.PixelSizeX = 0.05L;
    view.PixelSizeY = 0.05L;
    return view;
}

Canvas Blank() {
    Canvas canvas(200, 200);
    canvas.SetBrushColour(kBlack);
    canvas.FillRect(0, 0, 200, 200);
    return canvas;
}

PointMarker Marker(PointKind kind, ExtendedReal x, ExtendedReal y) {
    PointMarker marker;
    marker.Point.Kind = kind;
    marker.Point.X = x;
    marker.Point.Y = y;
    marker.MarkerColour = kMarkColour;
    return marker;
}

// The green share of a pixel: the marks here are drawn in green over black.
int Green(Colour colour) {
    return int((colour >> 8) & 0xFFu);
}

// Where each kind is placed: a zero on the axis whatever its value says.
struct PlaceCase {
    PointKind kind;
    ExtendedReal x;
    ExtendedReal y;
    int32_t column;
    int32_t row;
};

class Place : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(Place, KindDecidesTheRow) {
    const PlaceCase& c = GetParam();
    const MarkerPixel place = MarkerPlace(Square(), Marker(c.kind, c.x, c.y).Point);
    EXPECT_EQ(place.Column, c.column);
    EXPECT_EQ(place.Row, c.row);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, Place,
    ::testing::Values(PlaceCase{PointKind::Zero, 1, 1e-18L, 120, 100},
                      PlaceCase{PointKind::Zero, -1, 3, 80, 100},
                      PlaceCase{PointKind::Minimum, 1, -2, 120, 140},
                      PlaceCase{PointKind::Maximum, -1, 2, 80, 60},
                      PlaceCase{PointKind::Inflection, 0, 0.5L, 100, 90},
                      PlaceCase{PointKind::Intersection, 2, 1, 140, 80},
                      // Far outside the picture the pixel is held, not overflowed.
                      PlaceCase{PointKind::Maximum, 0, 1e300L, 100, -1000000}));

// The pointer finds the nearest circle within its reach, and nothing farther.
struct FindCase {
    int32_t x;
    int32_t y;
    std::optional<size_t> found;
};

class Find : public ::testing::TestWithParam<FindCase> {};

TEST_P(Find, NearestWithinReach) {
    const std::vector<PointMarker> markers = {Marker(PointKind::Zero, 1, 0),
                                              Marker(PointKind::Maximum, 1.25L, 0.25L),
                                              Marker(PointKind::Minimum, -2, -1)};
    const FindCase& c = GetParam();
    EXPECT_EQ(MarkerAt(Square(), markers, c.x, c.y), c.found);
}

INSTANTIATE_TEST_SUITE_P(Marks, Find,
                         ::testing::Values(FindCase{120, 100, 0}, FindCase{123, 98, 0},
                                           FindCase{125, 95, 1}, FindCase{124, 96, 1},
                                           FindCase{60, 120, 2},
                                           FindCase{60 + kMarkerReach, 120, 2},
                                           FindCase{60 + kMarkerReach + 1, 120, std::nullopt},
                                           FindCase{0, 0, std::nullopt}));

TEST(Marks, NoMarkersFindNothing) {
    EXPECT_EQ(MarkerAt(Square(), {}, 100, 100), std::nullopt);
}

TEST(Marks, CirclesAreHollowInTheirColour) {
    Canvas canvas = Blank();
    DrawPointMarkers(canvas, Square(), {Marker(PointKind::Minimum, 1, -2)});
    // Centre (120, 140): the ring passes through the pixels kMarkerRadius away.
    EXPECT_EQ(canvas.Pixel(120, 140), kBlack);
    EXPECT_GT(Green(canvas.Pixel(120 + kMarkerRadius, 140)), 100);
    EXPECT_GT(Green(canvas.Pixel(120, 140 - kMarkerRadius)), 100);
    EXPECT_EQ(canvas.Pixel(120 + kMarkerRadius + 3, 140), kBlack);
    // Nothing but the ring was touched.
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (std::abs(x - 120) > kMarkerRadius + 2 || std::abs(y - 140) > kMarkerRadius + 2) {
                ASSERT_EQ(canvas.Pixel(x, y), kBlack) << x << "," << y;
            }
        }
    }
}

TEST(Marks, TangentCrossesThePicture) {
    Canvas canvas = Blank();
    // y = x + 1: through (0, 1) and (-1, 0), i.e. pixels (100, 80) and (80, 100).
    DrawTangentLine(canvas, Square(), {1, 1, kMarkColour});
    for (const auto& [x, y] :
         {std::pair{100, 80}, std::pair{80, 100}, std::pair{10, 170}, std::pair{170, 10}}) {
        EXPECT_GT(Green(canvas.Pixel(x, y)), 100) << x << "," << y;
    }
    EXPECT_EQ(canvas.Pixel(100, 100), kBlack);
}

TEST(Marks, TangentThatIsNoNumberIsNotDrawn) {
    Canvas canvas = Blank();
    DrawTangentLine(canvas, Square(), {std::numeric_limits<ExtendedReal>::infinity(), 0, kWhite});
    DrawTangentLine(canvas, Square(), {0, std::numeric_limits<ExtendedReal>::quiet_NaN(), kWhite});
    for (int y = 0; y < 200; y += 7)
        for (int x = 0; x < 200; x += 7) ASSERT_EQ(canvas.Pixel(x, y), kBlack);
}

Engine Built(const char* text) {
    Engine engine;
    EXPECT_EQ(BuildExpression(engine, text), kNoError) << text;
    return engine;
}

// The colours along row `row` from column `from` to `to`.
std::set<Colour> RowColours(const Canvas& canvas, int row, int from, int to) {
    std::set<Colour> colours;
    for (int x = from; x < to; ++x) colours.insert(canvas.Pixel(x, row));
    return colours;
}

TEST(Marks, ShadingAboveAndBelowTheAxisIsToldApart) {
    Canvas canvas = Blank();
    // y = x over [-2, 2]: below the axis left of column 100, above it to the right.
    DrawShadedArea(canvas, Square(), {-2, 2, kMarkColour}, Built("x"));
    // Above: one translucent colour, about 30% of the curve's green over black.
    const std::set<Colour> above = RowColours(canvas, 90, 130, 140);
    ASSERT_EQ(above.size(), 1u);
    EXPECT_NEAR(Green(*above.begin()), 255 * kShadeAlpha / 255, 3);
    // Below: the hatching makes more than one colour along a row.
    const std::set<Colour> below = RowColours(canvas, 110, 60, 70);
    EXPECT_GT(below.size(), 1u);
    // Outside [from, to] and beyond the curve nothing is shaded.
    EXPECT_EQ(canvas.Pixel(150, 90), kBlack);  // x = 2.5
    EXPECT_EQ(canvas.Pixel(120, 70), kBlack);  // y = 1.5 over x = 1
    EXPECT_EQ(canvas.Pixel(80, 130), kBlack);  // y = -1.5 under x = -1
}

TEST(Marks, ShadingSkipsWhereTheCurveIsUndefined) {
    Canvas canvas = Blank();
    // ln x is not defined left of 0: nothing there; a reversed interval shades the same.
    DrawShadedArea(canvas, Square(), {3, -3, kMarkColour}, Built("lnx"));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_EQ(canvas.Pixel(x, y), kBlack) << x << "," << y;
    EXPECT_NE(canvas.Pixel(150, 95), kBlack);   // ln 2.5 ~ 0.92 > 0.25
    EXPECT_NE(canvas.Pixel(105, 110), kBlack);  // ln 0.25 ~ -1.39 < -0.5
}

TEST(Marks, EmptyIntervalShadesNothing) {
    Canvas canvas = Blank();
    DrawShadedArea(canvas, Square(), {1, 1, kMarkColour}, Built("x"));
    DrawShadedArea(canvas, Square(), {6, 8, kMarkColour}, Built("x"));
    for (int y = 0; y < 200; y += 3)
        for (int x = 0; x < 200; x += 3) ASSERT_EQ(canvas.Pixel(x, y), kBlack);
}

// Through the vector surface the same marks land on the same pixels.
TEST(Marks, VectorSurfaceDrawsTheSameMarks) {
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        VectorSurface surface(painter, 200, 200);
        DrawPointMarkers(surface, Square(), {Marker(PointKind::Minimum, 1, -2)});
        DrawTangentLine(surface, Square(), {0, 2, kMarkColour});
    }
    EXPECT_EQ(image.pixelColor(120, 140), QColor(Qt::black));
    EXPECT_GT(image.pixelColor(120 + kMarkerRadius, 140).green(), 100);
    EXPECT_GT(image.pixelColor(50, 60).green(), 100);
}

// The numbers of the tooltips and the points table.
struct NumberCase {
    ExtendedReal value;
    int32_t digits;
    const char* text;
};

class Number : public ::testing::TestWithParam<NumberCase> {};

TEST_P(Number, Digits) {
    EXPECT_EQ(PointNumberText(GetParam().value, GetParam().digits), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, Number,
    ::testing::Values(NumberCase{0.1L, kAllDigits, "0.100000000000000000001"},
                      NumberCase{-1, kAllDigits, "-1"}, NumberCase{0, kAllDigits, "0"},
                      NumberCase{-0.99999999998L, 9, "-1"}, NumberCase{0.000001234L, 3, "1.23e-06"},
                      NumberCase{2.5e30L, 2, "2.5e+30"},
                      // Digits outside 1..21 are held there.
                      NumberCase{3.14159L, 0, "3"}, NumberCase{3.25L, 99, "3.25"}));

}  // namespace
