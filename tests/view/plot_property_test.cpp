// Property test of the plotting: random views within the bounds, random picture sizes, sample
// counts and options, random expressions from a small grammar. Every plot ends, leaves a0 as it
// was, paints only colours of the drawing, and raises nothing; computed on 2, 3 or 7 threads it
// gives the same pixels as on one.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>

#include "engine/tree_builder.h"
#include "view/drawing.h"

namespace {

class ExpressionGrammar {
  public:
    explicit ExpressionGrammar(std::mt19937& random) : random_(random) {}

    std::string Expression(int depth) {
        std::string text = Term(depth);
        while (Pick(3) == 0) text += std::string(1, "+-*/^"[Pick(5)]) + Term(depth);
        return text;
    }

  private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    std::string Term(int depth) {
        static const char* const kAtoms[] = {"x", "x", "n", "a",   "c",  "p",   "e",
                                             "0", "1", "2", "0.5", "10", "100", "3.25"};
        static const char* const kFunctions[] = {"sin", "cos", "tg",  "ctg", "sqrt",
                                                 "ln",  "exp", "abs", "fact"};
        const int choice = depth > 0 ? Pick(4) : 0;
        if (choice == 1)
            return std::string(kFunctions[Pick(9)]) + "(" + Expression(depth - 1) + ")";
        if (choice == 2) return "(" + Expression(depth - 1) + ")";
        if (choice == 3) return std::string(kFunctions[Pick(9)]) + kAtoms[Pick(2)];  // e.g. sinx
        return kAtoms[Pick(14)];
    }

    std::mt19937& random_;
};

ExtendedReal LogUniform(std::mt19937& random, ExtendedReal low, ExtendedReal high) {
    std::uniform_real_distribution<double> exponent(double(std::log10(low)),
                                                    double(std::log10(high)));
    return std::pow(10.0L, ExtendedReal(exponent(random)));
}

TEST(PlotProperty, RandomPlotsEndInsideThePictureAndKeepA0) {
    std::mt19937 random(20261207);
    ExpressionGrammar grammar(random);
    std::uniform_int_distribution<int> size(0, 72);
    std::uniform_int_distribution<int> coin(0, 1);
    std::uniform_real_distribution<double> unit(-1, 1);
    int plotted = 0;
    for (int trial = 0; trial < 1500; ++trial) {
        Engine engine;
        ViewState view;
        DrawOptions options;
        const int width = trial % 50 == 0 ? 0 : size(random);
        const int height = trial % 70 == 0 ? 0 : size(random);
        view.PixelSizeX = LogUniform(random, kMinPixelSize, kMaxPixelSize);
        view.PixelSizeY =
            coin(random) ? view.PixelSizeX : LogUniform(random, kMinPixelSize, kMaxPixelSize);
        // Mostly near the world origin, sometimes far from it.
        const ExtendedReal reach = coin(random) ? 3 : LogUniform(random, 1, 1e30L);
        view.ViewOriginX = unit(random) * reach * (1 + width * view.PixelSizeX);
        view.ViewOriginY = unit(random) * reach * (1 + height * view.PixelSizeY);
        view.SamplesPerPixel = 1 + int(random() % 4);
        view.ArgumentFrom = view.ViewOriginX + unit(random) * width * view.PixelSizeX;
        view.ArgumentTo =
            view.ArgumentFrom + std::abs(unit(random)) * width * view.PixelSizeX + 1e-3L;
        engine.IndexFrom = int(random() % 5);
        engine.IndexTo = engine.IndexFrom + 1 + int(random() % 20);
        engine.ValueA = unit(random) * 10;
        engine.ConstantC = unit(random) * 10;
        options.ClearFirst = trial % 7 != 0;
        options.Grid = coin(random);
        options.Axes = coin(random);
        options.Lines = coin(random);
        options.BoundArgument = coin(random);
        options.BackgroundColour = coin(random) ? kBlack : Colour{0x203040};
        options.LineColour = kYellow;
        // The pole check evaluates between samples while the workers compute the next ones.
        options.BreakPoles = trial % 3 == 0;

        const std::string text = grammar.Expression(3);
        BuildExpression(engine, text);
        const ExtendedReal a0 = engine.ValueA;
        const Engine before = engine;
        Canvas canvas(width, height);
        bool usesX = false;
        ASSERT_NO_THROW(usesX = PlotCurve(canvas, engine, view, options))
            << text << " on " << width << "x" << height;
        EXPECT_EQ(engine.ValueA, a0) << text;
        EXPECT_EQ(usesX, engine.LastBuildError == kNoError && engine.UsesX) << text;
        const std::set<Colour> palette = {kWhite, kBlack,  kGrey,
                                          kRed,   kYellow, options.BackgroundColour};
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                ASSERT_TRUE(palette.count(canvas.Pixel(x, y))) << text << " at " << x << "," << y;
        // The same plot with its samples computed on several threads, pixel for pixel.
        for (const int threads : {2, 3, 7}) {
            Engine copy = before;
            Canvas threaded(width, height);
            SampleControl control;
            control.Threads = threads;
            ASSERT_NO_THROW(PlotCurve(threaded, copy, view, options, control)) << text;
            EXPECT_EQ(copy.ValueA, a0) << text;
            ASSERT_EQ(threaded.Image(), canvas.Image()) << text << " on " << threads << " threads";
        }
        plotted += engine.LastBuildError == kNoError;
    }
    // The grammar must give mostly expressions that build.
    EXPECT_GT(plotted, 900);
}

}  // namespace
