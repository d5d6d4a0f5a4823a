// Plotting speed on a full-HD picture: "sinx" at 1 and 10 samples per pixel, the recurrence
// "a+n*x" over n = 1..100000 (reported per tree walk), and the integral of "sinx*lnx" over 1..2.
#include <benchmark/benchmark.h>

#include "calc/calculations.h"
#include "engine/tree_builder.h"
#include "view/drawing.h"
#include "view/scale_commands.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Plot {
    Canvas canvas{kWidth, kHeight};
    Engine engine;
    ViewState view;
    DrawOptions options;

    explicit Plot(const char* text) {
        CentreView(view, kWidth, kHeight);
        BuildExpression(engine, text);
    }
};

// The whole redraw: background, grid, axes and the curve.
void PlotSine(benchmark::State& state) {
    Plot plot("sinx");
    plot.view.SamplesPerPixel = int32_t(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlotCurve(plot.canvas, plot.engine, plot.view, plot.options));
    }
}
BENCHMARK(PlotSine)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// A background that is not black: the flood fill after the clearing walks the whole picture.
void PlotSineOnGrey(benchmark::State& state) {
    Plot plot("sinx");
    plot.options.BackgroundColour = 0x404040;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlotCurve(plot.canvas, plot.engine, plot.view, plot.options));
    }
}
BENCHMARK(PlotSineOnGrey)->Unit(benchmark::kMillisecond);

void PlotRecurrence(benchmark::State& state) {
    Plot plot("a+n*x");
    plot.engine.IndexFrom = 1;
    plot.engine.IndexTo = 100000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlotCurve(plot.canvas, plot.engine, plot.view, plot.options));
    }
    // One walk per index per sample; a plot takes W + 2 samples at most.
    const double walks = double(kWidth + 2) * plot.engine.IndexTo;
    // Shown in seconds per walk (for example "12n" is 12 ns).
    state.counters["per_walk"] =
        benchmark::Counter(walks * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(PlotRecurrence)->Unit(benchmark::kMillisecond)->Iterations(2);

void IntegralSineLog(benchmark::State& state) {
    Engine engine;
    BuildExpression(engine, "sinx*lnx");
    for (auto _ : state) benchmark::DoNotOptimize(CalculateIntegral(engine, "1", "2"));
}
BENCHMARK(IntegralSineLog)->Unit(benchmark::kMillisecond);

}  // namespace
