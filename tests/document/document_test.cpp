// The document without a window: one curve draws what PlotCurve draws, several curves each in
// their colour, the curve set's edits and selection, the palette and the legend.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <algorithm>
#include <atomic>
#include <set>

#include "document/plot_document.h"
#include "engine/tree_builder.h"
#include "view/canvas.h"
#include "view/scale_commands.h"
#include "view/sequence_pictures.h"

namespace {

Curve Make(const char* text, Colour colour = kYellow, CurveParameters parameters = {}) {
    Curve curve;
    int32_t error = 0;
    EXPECT_TRUE(BuildCurve(text, parameters, curve, error)) << text;
    curve.LineColour = colour;
    return curve;
}

PlotDocument Document(int width, int height) {
    PlotDocument document;
    CentreView(document.View, width, height);
    return document;
}

std::set<Colour> ColoursOf(const Canvas& canvas) {
    std::set<Colour> colours;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) colours.insert(canvas.Pixel(x, y));
    return colours;
}

// One curve in the document draws exactly the picture of PlotCurve with the frame cleared.
struct SingleCase {
    const char* text;
    bool lines;
    bool bound;
    PictureMode mode;
    CurveParameters parameters;
};

class SingleCurve : public testing::TestWithParam<SingleCase> {};

TEST_P(SingleCurve, DrawsWhatPlotCurveDraws) {
    const SingleCase& c = GetParam();
    PlotDocument document = Document(200, 150);
    document.Mode = c.mode;
    document.SequenceX = 0.5L;
    Curve curve = Make(c.text, kYellow, c.parameters);
    curve.Lines = c.lines;
    curve.BoundArgument = c.bound;
    curve.ArgumentFrom = -2;
    curve.ArgumentTo = 3;
    document.Curves.Add(curve);

    Canvas expected(200, 150);
    Engine engine = *curve.Built;
    DrawOptions options;
    options.Lines = c.lines;
    options.BoundArgument = c.bound;
    ViewState view = document.View;
    view.ArgumentFrom = -2;
    view.ArgumentTo = 3;
    const PictureOutcome old = DrawPicture(expected, engine, view, options, c.mode, 0.5L);

    Canvas drawn(200, 150);
    const PictureOutcome outcome = DrawDocument(drawn, document);
    EXPECT_EQ(drawn.Image(), expected.Image()) << c.text;
    EXPECT_EQ(outcome.UsesX, old.UsesX);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SingleCurve,
    testing::Values(SingleCase{"sinx", true, false, PictureMode::Graph, {}},
                    SingleCase{"1/x", false, false, PictureMode::Graph, {}},
                    SingleCase{"x^2", true, true, PictureMode::Graph, {}},
                    SingleCase{"5", true, true, PictureMode::Graph, {}},
                    SingleCase{"a+n", true, false, PictureMode::Graph, {2, 1, 1, 3}},
                    SingleCase{"a/2+x", true, false, PictureMode::Terms, {1, 4, 1, 20}},
                    SingleCase{"cosa", true, false, PictureMode::Cobweb, {1, 1, 1, 30}}));

TEST(DrawDocument, EveryVisibleCurveInItsColourAndTheFrameAlone) {
    PlotDocument document = Document(160, 120);
    Canvas empty(160, 120);
    DrawDocument(empty, document);
    EXPECT_EQ(ColoursOf(empty), (std::set<Colour>{kBlack, kGrey, kWhite}));

    document.Curves.Add(Make("sinx", kCurvePalette[0]));
    document.Curves.Add(Make("cosx*2", kCurvePalette[1]));
    document.Curves.Add(Make("x", kCurvePalette[2]));
    document.Curves.At(2).Visible = false;
    Canvas canvas(160, 120);
    const PictureOutcome outcome = DrawDocument(canvas, document);
    EXPECT_TRUE(outcome.UsesX);
    const std::set<Colour> colours = ColoursOf(canvas);
    EXPECT_TRUE(colours.count(kCurvePalette[0]));
    EXPECT_TRUE(colours.count(kCurvePalette[1]));
    EXPECT_FALSE(colours.count(kCurvePalette[2]));

    // Order matters where the curves cross: the later one lies on top.
    document.Curves.MoveDown(0);
    Canvas swapped(160, 120);
    DrawDocument(swapped, document);
    EXPECT_NE(swapped.Image(), canvas.Image());
}

TEST(DrawDocument, EachCurveKeepsItsOwnParameters) {
    PlotDocument document = Document(100, 100);
    document.Curves.Add(Make("c", kCurvePalette[0], {1, 1, 1, 100}));
    document.Curves.Add(Make("c", kCurvePalette[1], {-2, 1, 1, 100}));
    Canvas canvas(100, 100);
    DrawDocument(canvas, document);
    EXPECT_EQ(canvas.Pixel(10, WorldYToRow(document.View, 1)), kCurvePalette[0]);
    EXPECT_EQ(canvas.Pixel(10, WorldYToRow(document.View, -2)), kCurvePalette[1]);
}

TEST(DrawDocument, AStoppedDrawEndsAndTheLegendSitsTopRight) {
    PlotDocument document = Document(200, 100);
    document.Curves.Add(Make("sinx", kCurvePalette[0]));
    document.Curves.Add(Make("x", kCurvePalette[1]));
    std::atomic<bool> stop{true};
    SampleControl control;
    control.Stop = &stop;
    Canvas stopped(200, 100);
    DrawDocument(stopped, document, control);
    EXPECT_FALSE(ColoursOf(stopped).count(kCurvePalette[1]));

    Canvas plain(200, 100);
    DrawDocument(plain, document);
    document.Legend = true;
    Canvas legend(200, 100);
    DrawDocument(legend, document);
    int changedLeft = 0;
    int changedRight = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (legend.Pixel(x, y) == plain.Pixel(x, y)) continue;
            (x < 100 ? changedLeft : changedRight) += 1;
        }
    }
    EXPECT_EQ(changedLeft, 0);
    EXPECT_GT(changedRight, 0);
}

// A set's draw is one progress: the count runs on across the visible curves and never goes
// back, and a stop heard in the second curve leaves the third undrawn.
TEST(DrawDocument, OneProgressRunsOnAcrossTheSet) {
    PlotDocument document = Document(200, 100);
    document.View.SamplesPerPixel = 64;
    document.Curves.Add(Make("sinx", kCurvePalette[0]));
    Curve hidden = Make("x", kCurvePalette[1]);
    hidden.Visible = false;
    document.Curves.Add(hidden);
    document.Curves.Add(Make("cosx", kCurvePalette[2]));
    document.Curves.Add(Make("x/4", kCurvePalette[3]));
    const int64_t expected = ExpectedSamples(document, 200);
    ASSERT_EQ(expected, 3 * 200 * 64);
    for (const int threads : {1, 2}) {
        std::vector<int64_t> heard;
        std::atomic<bool> stop{false};
        SampleControl control;
        control.Threads = threads;
        control.Stop = &stop;
        control.Progress = [&](int64_t done) {
            heard.push_back(done);
            if (done > expected / 3 + 64) stop = true;
        };
        Canvas canvas(200, 100);
        DrawDocument(canvas, document, control);
        ASSERT_FALSE(heard.empty()) << threads;
        EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end())) << threads;
        EXPECT_GT(heard.back(), expected / 3) << threads;
        EXPECT_LE(heard.back(), expected) << threads;
        const std::set<Colour> drawn = ColoursOf(canvas);
        EXPECT_TRUE(drawn.count(kCurvePalette[0])) << threads;
        EXPECT_FALSE(drawn.count(kCurvePalette[1])) << threads;
        EXPECT_FALSE(drawn.count(kCurvePalette[3])) << threads;
    }
}

// The marks over the graph: the window draws the points of interest over a finished picture,
// which must be the picture drawn with them; the other picture modes draw no marks.
TEST(DrawDocument, MarksLieOverTheLegendAndOnlyInTheGraph) {
    PlotDocument document = Document(240, 180);
    document.Curves.Add(Make("x^2-1", kYellow));
    document.Legend = true;
    Canvas plain(240, 180);
    DrawDocument(plain, document);

    PointMarker marker;
    marker.Point = {PointKind::Zero, 1, 0, kAllDigits};
    marker.MarkerColour = kRed;
    document.Points = {marker};
    Canvas marked(240, 180);
    DrawDocument(marked, document);
    Canvas over = plain;
    DrawPointMarkers(over, document.View, document.Points);
    EXPECT_EQ(marked.Image(), over.Image());
    EXPECT_NE(marked.Image(), plain.Image());

    // The tangent and the shading change the graph too, and only the graph.
    document.Points.clear();
    document.Tangent = TangentLine{2, -2, kRed};
    document.Shading = DocumentShading{{-1, 1, kRed}, document.Curves.At(0).Built};
    Canvas shaded(240, 180);
    DrawDocument(shaded, document);
    EXPECT_NE(shaded.Image(), plain.Image());

    document.Mode = PictureMode::Terms;
    document.Points = {marker};
    Canvas terms(240, 180);
    DrawDocument(terms, document);
    PlotDocument bare = document;
    bare.Points.clear();
    bare.Tangent.reset();
    bare.Shading.reset();
    Canvas termsBare(240, 180);
    DrawDocument(termsBare, bare);
    EXPECT_EQ(terms.Image(), termsBare.Image());
}

TEST(CurveSet, EditsKeepTheSelectionOnItsCurve) {
    struct Step {
        const char* what;
        std::function<void(CurveSet&)> edit;
        std::vector<std::string> order;
        std::optional<size_t> selected;
    };
    const std::vector<Step> steps = {
        {"add three",
         [](CurveSet& s) { s.Add(Make("x")), s.Add(Make("2*x")), s.Add(Make("3*x")); },
         {"x", "2*x", "3*x"},
         2},
        {"select first", [](CurveSet& s) { s.Select(0); }, {"x", "2*x", "3*x"}, 0},
        {"move down", [](CurveSet& s) { EXPECT_TRUE(s.MoveDown(0)); }, {"2*x", "x", "3*x"}, 1},
        {"move up at front",
         [](CurveSet& s) { EXPECT_FALSE(s.MoveUp(0)); },
         {"2*x", "x", "3*x"},
         1},
        {"remove before", [](CurveSet& s) { s.Remove(0); }, {"x", "3*x"}, 0},
        {"replace", [](CurveSet& s) { s.Replace(1, Make("4*x")); }, {"x", "4*x"}, 0},
        {"remove selected", [](CurveSet& s) { s.Remove(0); }, {"4*x"}, 0},
        {"select past end", [](CurveSet& s) { s.Select(5); }, {"4*x"}, std::nullopt},
        {"remove last", [](CurveSet& s) { s.Select(0), s.Remove(0); }, {}, std::nullopt},
    };
    CurveSet set;
    for (const Step& step : steps) {
        step.edit(set);
        std::vector<std::string> order;
        for (const Curve& curve : set.Curves()) order.push_back(curve.Expression);
        EXPECT_EQ(order, step.order) << step.what;
        EXPECT_EQ(set.Selected(), step.selected) << step.what;
    }
}

TEST(CurveSet, PaletteGivesEightDistinctColoursThenCycles) {
    CurveSet set;
    std::set<Colour> seen;
    for (size_t i = 0; i < kCurvePalette.size(); ++i) {
        const Colour next = set.NextColour();
        EXPECT_EQ(next, kCurvePalette[i]);
        seen.insert(next);
        set.Add(Make("x", next));
    }
    EXPECT_EQ(seen.size(), kCurvePalette.size());
    EXPECT_EQ(set.NextColour(), kCurvePalette[0]);
    // A colour given up is the next one taken.
    set.Remove(3);
    EXPECT_EQ(set.NextColour(), kCurvePalette[3]);
}

TEST(Curve, BuildRefusesAndParametersCopyOnChange) {
    Curve curve = Make("x+c");
    int32_t error = 0;
    EXPECT_FALSE(BuildCurve("(x", {}, curve, error));
    EXPECT_EQ(error, kErrBrackets);
    EXPECT_EQ(curve.Expression, "x+c");

    const Curve copy = curve;
    SetCurveParameters(curve, ParametersOf(*curve.Built));
    EXPECT_EQ(curve.Built, copy.Built);
    SetCurveParameters(curve, {5, 1, 1, 100});
    EXPECT_NE(curve.Built, copy.Built);
    EXPECT_EQ(curve.Built->ConstantC, 5);
    EXPECT_EQ(copy.Built->ConstantC, 1);
}

}  // namespace

// The legend measures its texts with a font, which needs the application object.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
