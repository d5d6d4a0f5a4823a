// The printed page without a printer: the orientation, the picture fitted within the margins
// with its labels kept readable, and the document on white paper, drawn on the raster and
// through the vector surface the printer uses.
#include "document/printed_page.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <set>

#include "view/canvas.h"
#include "view/scale_commands.h"
#include "view/vector_surface.h"

namespace {

struct LayoutCase {
    const char* name;
    QSizeF printable;
    QSize picture;
    qreal title;
    qreal readable;  // the least label height on paper; the label is 10 picture pixels
    QRectF picturePlace;
    qreal scale;
    qreal labelScale;
};

class PageLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(PageLayout, FitsThePictureBelowTheTitle) {
    const LayoutCase& c = GetParam();
    const PrintedPage page = LayOutPrintedPage(c.printable, c.picture, c.title, 10, c.readable);
    EXPECT_EQ(page.Title,
              QRectF(0, 0, c.printable.width(), std::min(c.title, c.printable.height())));
    EXPECT_EQ(page.Picture, c.picturePlace);
    EXPECT_DOUBLE_EQ(page.Scale, c.scale);
    EXPECT_DOUBLE_EQ(page.LabelScale, c.labelScale);
    // Never past the printable area, whatever the proportions.
    EXPECT_TRUE(QRectF(QPointF(0, 0), c.printable).contains(page.Picture) ||
                page.Picture.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageLayout,
    testing::Values(
        // A wide picture on a landscape page: the width decides, labels 12.5 units high.
        LayoutCase{"wide", {1000, 700}, {800, 400}, 50, 10, {0, 50, 1000, 500}, 1.25, 1},
        // The height decides: centred across the page.
        LayoutCase{"tall", {1000, 700}, {400, 400}, 100, 10, {200, 100, 600, 600}, 1.5, 1},
        // A large picture shrinks: its labels (10 x 0.5 = 5 units) are raised to 20 units.
        LayoutCase{"shrunk", {1000, 700}, {2000, 1000}, 0, 20, {0, 0, 1000, 500}, 0.5, 4},
        // Labels exactly readable are not enlarged.
        LayoutCase{"just readable", {1000, 700}, {2000, 1000}, 0, 5, {0, 0, 1000, 500}, 0.5, 1},
        LayoutCase{"empty picture", {1000, 700}, {0, 300}, 50, 10, {0, 50, 0, 0}, 1, 1},
        LayoutCase{"title fills the page", {1000, 40}, {300, 200}, 50, 10, {0, 40, 0, 0}, 1, 1}),
    [](const testing::TestParamInfo<LayoutCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

TEST(PageOrientation, FollowsThePicture) {
    EXPECT_TRUE(PrintsLandscape({800, 400}));
    EXPECT_FALSE(PrintsLandscape({400, 800}));
    EXPECT_FALSE(PrintsLandscape({500, 500}));
}

// The contrast rule computed here on its own: WCAG relative luminance, 3:1 against white.
double Luminance(Colour colour) {
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double c = double((colour >> (8 * i)) & 0xFFu) / 255.0;
        sum += weights[i] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double ContrastWithWhite(Colour colour) {
    return 1.05 / (Luminance(colour) + 0.05);
}

struct ColourCase {
    Colour colour;
    bool kept;
};

class CurveColour : public testing::TestWithParam<ColourCase> {};

TEST_P(CurveColour, ReadsOnWhite) {
    const ColourCase& c = GetParam();
    const Colour printed = ReadableOnWhite(c.colour);
    EXPECT_GE(ContrastWithWhite(printed), 3.0) << std::hex << c.colour;
    if (c.kept) {
        EXPECT_EQ(printed, c.colour) << std::hex << c.colour;
        return;
    }
    // Darkened just enough, and in the same hue: every channel scaled by one factor.
    EXPECT_LT(ContrastWithWhite(printed), 3.1) << std::hex << c.colour;
    const double darkened =
        double(printed & 0xFFu) + double((printed >> 8) & 0xFFu) + double((printed >> 16) & 0xFFu);
    const double original = double(c.colour & 0xFFu) + double((c.colour >> 8) & 0xFFu) +
                            double((c.colour >> 16) & 0xFFu);
    for (int shift = 0; shift <= 16; shift += 8) {
        const double channel = double((c.colour >> shift) & 0xFFu) * darkened / original;
        EXPECT_NEAR(double((printed >> shift) & 0xFFu), channel, 1.0) << std::hex << c.colour;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CurveColour,
                         testing::Values(ColourCase{kYellow, false}, ColourCase{kWhite, false},
                                         ColourCase{0xFFFF00, false},  // cyan
                                         ColourCase{0x00FF00, false},  // bright green
                                         ColourCase{0xE9B456, false},  // sky blue
                                         ColourCase{kBlack, true}, ColourCase{kRed, true},
                                         ColourCase{kGreen, true},
                                         ColourCase{0xB27200, true}));  // blue

Curve Make(const char* text, Colour colour) {
    Curve curve;
    int32_t error = 0;
    EXPECT_TRUE(BuildCurve(text, {}, curve, error)) << text;
    curve.LineColour = colour;
    return curve;
}

PlotDocument TwoCurves(int width, int height) {
    PlotDocument document;
    CentreView(document.View, width, height);
    document.Curves.Add(Make("sinx", kYellow));
    document.Curves.Add(Make("x/2", kRed));
    return document;
}

TEST(WhitePaper, FrameAndEveryCurveInColoursThatRead) {
    const PlotDocument document = OnWhitePaper(TwoCurves(160, 120));
    Canvas canvas(160, 120);
    DrawDocument(canvas, document);
    std::set<Colour> colours;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) colours.insert(canvas.Pixel(x, y));
    EXPECT_EQ(colours, (std::set<Colour>{kPaperBackground, kPaperGrid, kPaperAxes,
                                         ReadableOnWhite(kYellow), kRed}));
    // The window's document itself is left as it was.
    EXPECT_EQ(TwoCurves(160, 120).Frame, FrameOptions{});
}

TEST(WhitePaper, PrintedThroughTheVectorSurfaceAtTheLayoutsScale) {
    constexpr int kWidth = 160;
    constexpr int kHeight = 120;
    const PlotDocument document = OnWhitePaper(TwoCurves(kWidth, kHeight));
    const PrintedPage page = LayOutPrintedPage({480, 400}, {kWidth, kHeight}, 10, 11, 1);
    ASSERT_EQ(page.Scale, 3);
    QImage paper(480, 400, QImage::Format_RGB32);
    paper.fill(Qt::magenta);
    {
        QPainter painter(&paper);
        painter.translate(page.Picture.topLeft());
        painter.scale(page.Scale, page.Scale);
        VectorSurface surface(painter, kWidth, kHeight);
        DrawDocument(surface, document);
    }
    const auto at = [&](int column, int row) {
        return paper.pixel(int(page.Picture.left()) + 3 * column + 1,
                           int(page.Picture.top()) + 3 * row + 1) &
               0xFFFFFFu;
    };
    EXPECT_EQ(paper.pixel(0, 0) & 0xFFFFFFu, 0xFF00FFu);  // the title's line is left alone
    EXPECT_EQ(at(1, 1), 0xFFFFFFu);
    const int axisColumn = WorldXToColumn(document.View, 0);
    const int axisRow = WorldYToRow(document.View, 0);
    EXPECT_EQ(at(axisColumn, 5), 0x000000u);
    EXPECT_EQ(at(5, axisRow), 0x000000u);
    // Both curves cross the picture's right part: each is printed in its own colour.
    std::set<QRgb> seen;
    for (int y = 0; y < paper.height(); ++y)
        for (int x = 0; x < paper.width(); ++x) seen.insert(paper.pixel(x, y) & 0xFFFFFFu);
    EXPECT_TRUE(seen.count(ToQColor(ReadableOnWhite(kYellow)).rgb() & 0xFFFFFFu));
    EXPECT_TRUE(seen.count(ToQColor(kRed).rgb() & 0xFFFFFFu));
    EXPECT_FALSE(seen.count(ToQColor(kYellow).rgb() & 0xFFFFFFu));
}

}  // namespace
