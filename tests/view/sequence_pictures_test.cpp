// The terms and cobweb pictures: where the squares, the diagonal and the staircase fall, the
// message for a cobweb of an expression with n, and the graph mode being the graph itself.
#include "view/sequence_pictures.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/tree_builder.h"
#include "messages/messages.h"

namespace {

// 200 x 200 pixels with world x = column / 10 and world y = (100 - row) / 10: (0, 0) lies at
// column 0, row 100; grid and axes off so that only the pictures' own colours are seen.
struct Scene {
    Canvas canvas{200, 200};
    Engine engine;
    ViewState view;
    DrawOptions options;

    Scene() {
        view.ViewOriginX = 0;
        view.ViewOriginY = 10;
        view.PixelSizeX = 0.1L;
        view.PixelSizeY = 0.1L;
        options.Grid = false;
        options.Axes = false;
    }
    void Build(const char* text, ExtendedReal a0, int32_t n0, int32_t nk) {
        ASSERT_EQ(BuildExpression(engine, text), kNoError);
        engine.ValueA = a0;
        engine.IndexFrom = n0;
        engine.IndexTo = nk;
    }
    PictureOutcome Draw(PictureMode mode, ExtendedReal x = 0) {
        return DrawPicture(canvas, engine, view, options, mode, x);
    }
    int Count(Colour colour) const {
        int count = 0;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x) count += canvas.Pixel(x, y) == colour;
        return count;
    }
};

TEST(CobwebVertices, StaircaseFromTheStartOnTheAxis) {
    TermList terms;
    terms.InitialValue = 0.5L;
    terms.Terms = {1, 2.5L, 3};
    const std::vector<std::pair<ExtendedReal, ExtendedReal>> expected = {
        {0.5L, 0}, {0.5L, 1}, {1, 1}, {1, 2.5L}, {2.5L, 2.5L}, {2.5L, 3}, {3, 3}};
    EXPECT_EQ(CobwebVertices(terms), expected);
    EXPECT_EQ(CobwebVertices(TermList{}).size(), 1u);
}

TEST(CobwebVertices, OfAComputedMap) {
    Engine engine;
    BuildExpression(engine, "a/2+1");
    engine.ValueA = 0;
    engine.IndexTo = 3;
    const auto vertices = CobwebVertices(ComputeTerms(engine, 0));
    ASSERT_EQ(vertices.size(), 7u);
    EXPECT_EQ(vertices[1], std::make_pair(0.0L, 1.0L));
    EXPECT_EQ(vertices[4], std::make_pair(1.5L, 1.5L));
    EXPECT_EQ(vertices[6], std::make_pair(1.75L, 1.75L));
}

// a*n from 1 over n = 1..4: 1, 2, 6, 24 at columns 10, 20, 30, 40 and rows 90, 80, 40, (clipped).
TEST(TermsPicture, SquaresInTheLineColourJoinedInLineMode) {
    for (const bool lines : {true, false}) {
        SCOPED_TRACE(lines);
        Scene scene;
        scene.options.Lines = lines;
        scene.Build("a*n", 1, 1, 4);
        EXPECT_FALSE(PictureInformation(scene.Draw(PictureMode::Terms)));
        for (const auto& [column, row] : {std::pair{10, 90}, {20, 80}, {30, 40}}) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    EXPECT_EQ(scene.canvas.Pixel(column + dx, row + dy), kYellow);
        }
        // The joining lines pass (15, 85) and (25, 60).
        EXPECT_EQ(scene.canvas.Pixel(15, 85), lines ? kYellow : kBlack);
        EXPECT_EQ(scene.canvas.Pixel(25, 60), lines ? kYellow : kBlack);
        if (!lines) {
            EXPECT_EQ(scene.Count(kYellow), 3 * 9);
        }
    }
}

TEST(TermsPicture, StopsAtTheFailingStep) {
    Scene scene;
    scene.Build("a+1/(n-3)", 0, 1, 5);  // -0.5, -1.5, then a division by zero
    scene.options.Lines = false;
    scene.Draw(PictureMode::Terms);
    // Two squares, at (10, 105) and (20, 115); nothing for n = 3 to 5.
    EXPECT_EQ(scene.Count(kYellow), 2 * 9);
    EXPECT_EQ(scene.canvas.Pixel(20, 115), kYellow);
}

TEST(CobwebPicture, CurveDiagonalAndStaircase) {
    Scene scene;
    scene.Build("a/2+1", 0, 1, 20);
    EXPECT_FALSE(PictureInformation(scene.Draw(PictureMode::Cobweb)));
    // The diagonal y = a: world (5, 5) at column 50, row 50, and (8, 8) at column 80, row 20.
    EXPECT_EQ(scene.canvas.Pixel(50, 50), kDiagonalColour);
    EXPECT_EQ(scene.canvas.Pixel(80, 20), kDiagonalColour);
    // The curve y = a/2 + 1 at a = 10 (column 100): y = 6, row 40.
    EXPECT_EQ(scene.canvas.Pixel(100, 40), kYellow);
    // The staircase rises from (0, 0) to (0, 1): column 0, rows 91 to 99.
    EXPECT_EQ(scene.canvas.Pixel(0, 95), kStaircaseColour);
    // and runs across from (0, 1) to (1, 1): row 90, column 5.
    EXPECT_EQ(scene.canvas.Pixel(5, 90), kStaircaseColour);
}

TEST(CobwebPicture, ExpressionWithNGetsTheMessageAndOnlyTheBackground) {
    Scene scene;
    scene.Build("a+1/n", 0, 1, 20);
    const PictureOutcome outcome = scene.Draw(PictureMode::Cobweb);
    EXPECT_TRUE(outcome.CobwebNeedsMap);
    EXPECT_EQ(PictureInformation(outcome), "Паутина строится только для выражений без n");
    EXPECT_EQ(scene.Count(kBlack), 200 * 200);
}

TEST(GraphMode, IsThePlotItself) {
    Scene graph;
    Scene plot;
    graph.Build("sinx", 1, 1, 100);
    plot.Build("sinx", 1, 1, 100);
    EXPECT_TRUE(graph.Draw(PictureMode::Graph).UsesX);
    EXPECT_TRUE(PlotCurve(plot.canvas, plot.engine, plot.view, plot.options));
    EXPECT_EQ(graph.canvas.Image(), plot.canvas.Image());
}

TEST(Pictures, AFailedBuildDrawsOnlyTheBackground) {
    Scene scene;
    BuildExpression(scene.engine, "(a");
    for (const PictureMode mode : {PictureMode::Terms, PictureMode::Cobweb}) {
        EXPECT_FALSE(PictureInformation(scene.Draw(mode)));
        EXPECT_EQ(scene.Count(kBlack), 200 * 200);
    }
}

}  // namespace
