// Plot and integral on every core beside one-core compiled loops doing the same steps. The
// recurrence "a+n*x" over n = 1..100000 for the 1920 columns of a full-HD picture: the render
// core in this process, the whole tarvik-cli process, and the one-thread core; the integral of
// "a+n*x" over n = 1..1000 from 0 to 1, measured on its sampling-and-summing core (the window
// and tarvik-cli refuse to integrate sequences before that core is reached). Wall-clock times.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "calc/integral_samples.h"
#include "engine/extended_math.h"
#include "engine/tree_builder.h"
#include "view/drawing.h"
#include "view/scale_commands.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int32_t kPlotSteps = 100000;
constexpr int32_t kIntegralSteps = 1000;
// Enough steps that the process's start and the picture's file, about 30 ms, weigh as little
// as they do beside "a+n*x".
constexpr int32_t kGuardedSteps = 10000;

// The steps of the recurrences, as compiled long double code with the engine's elementary
// functions (the square by ln and exp, as the engine's "^" takes it).
ExtendedReal LinearStep(ExtendedReal a, ExtendedReal x, int32_t n) {
    return a + n * x;
}
ExtendedReal PowerOfTwoOf(ExtendedReal t) {
    return t < extended_math::kPowerOfTwoUnderflow ? 0 : extended_math::PowerOfTwo(t);
}
ExtendedReal SineOverSquareStep(ExtendedReal a, ExtendedReal x, int32_t n) {
    const ExtendedReal v = n * x;
    const ExtendedReal sine = std::fabs(v) < extended_math::kTrigLimit ? extended_math::Sine(v) : 0;
    const ExtendedReal square = PowerOfTwoOf(
        2 * extended_math::NaturalLog(static_cast<ExtendedReal>(n)) * extended_math::kLog2E);
    return a + sine / square;
}
ExtendedReal ScaledPlusExpStep(ExtendedReal a, ExtendedReal x, int32_t n) {
    return a * x / n + PowerOfTwoOf(-static_cast<ExtendedReal>(n) * extended_math::kLog2E);
}

// The one-core loop of the plot: every column's recurrence from a0, each step checked for a
// finite value, as a compiled long double loop.
template <ExtendedReal (*Step)(ExtendedReal, ExtendedReal, int32_t)>
[[gnu::noinline]] ExtendedReal RecurrenceColumns(ExtendedReal from, ExtendedReal step, int columns,
                                                 int32_t steps, ExtendedReal a0, bool& finite) {
    ExtendedReal total = 0;
    finite = true;
    ExtendedReal x = from;
    for (int column = 0; column < columns; ++column, x += step) {
        ExtendedReal a = a0;
        for (int32_t n = 1; n <= steps; ++n) {
            a = Step(a, x, n);
            if (!std::isfinite(a)) {
                finite = false;
                break;
            }
        }
        total += a;
    }
    return total;
}

template <ExtendedReal (*Step)(ExtendedReal, ExtendedReal, int32_t)>
void PlotLoop(benchmark::State& state, int32_t steps) {
    ViewState view;
    CentreView(view, kWidth, kHeight);
    bool finite = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecurrenceColumns<Step>(view.ViewOriginX, view.PixelSizeX,
                                                         kWidth + 1, steps, 1, finite));
    }
    if (!finite) state.SkipWithError("the loop met a value that is not finite");
}

void PlotCore(benchmark::State& state, int threads) {
    Canvas canvas(kWidth, kHeight);
    Engine engine;
    ViewState view;
    CentreView(view, kWidth, kHeight);
    BuildExpression(engine, "a+n*x");
    engine.IndexFrom = 1;
    engine.IndexTo = kPlotSteps;
    SampleControl control;
    control.Threads = threads > 0 ? threads : DefaultThreadCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlotCurve(canvas, engine, view, DrawOptions{}, control));
    }
}

void RenderProcess(benchmark::State& state, const char* text, int32_t steps) {
    const std::string picture = "/tmp/tarvik_bench_" + std::to_string(getpid()) + ".bmp";
    const std::string command = std::string("'") + TARVIK_CLI_PATH + "' render '" + text +
                                "' --n0 1 --nk " + std::to_string(steps) +
                                " --a0 1 --size 1920x1080 -o " + picture + " > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("tarvik-cli failed");
    }
    std::remove(picture.c_str());
}

// The one-core loop of the integral: the abscissa by repeated addition, the recurrence at each.
[[gnu::noinline]] ExtendedReal IntegralLoop(ExtendedReal lower, ExtendedReal upper,
                                            ExtendedReal strip, int32_t steps) {
    ExtendedReal sum = 0;
    for (ExtendedReal t = lower; t <= upper;) {
        t += strip;
        ExtendedReal a = 1;
        for (int32_t n = 1; n <= steps; ++n) {
            a = a + n * t;
            if (!std::isfinite(a)) return 0;
        }
        sum += a * strip;
    }
    return sum;
}

void IntegralFloor(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(IntegralLoop(0, 1, 1e-5L, kIntegralSteps));
    }
}

void IntegralCore(benchmark::State& state) {
    Engine engine;
    BuildExpression(engine, "a+n*x");
    engine.IndexFrom = 1;
    engine.IndexTo = kIntegralSteps;
    SampleControl control;
    control.Threads = DefaultThreadCount();
    for (auto _ : state) {
        const StripSum sum = SumStrips(engine, 0, 1, 1e-5L, control);
        if (sum.Status != StripSumStatus::Done) state.SkipWithError("integral failed");
        benchmark::DoNotOptimize(sum.Sum);
    }
}

// Side by side: Engine beside Floor under one label each.
[[maybe_unused]] const bool kRegistered = [] {
    const auto seconds = benchmark::kMillisecond;
    for (const char* label : {"plot core a+n*x", "plot 1 thread a+n*x", "render process"}) {
        benchmark::RegisterBenchmark((std::string("Floor/") + label).c_str(), PlotLoop<LinearStep>,
                                     kPlotSteps)
            ->Unit(seconds)
            ->UseRealTime()
            ->Iterations(2);
    }
    benchmark::RegisterBenchmark("Engine/plot core a+n*x", PlotCore, 0)
        ->Unit(seconds)
        ->UseRealTime()
        ->Iterations(2);
    benchmark::RegisterBenchmark("Engine/plot 1 thread a+n*x", PlotCore, 1)
        ->Unit(seconds)
        ->UseRealTime()
        ->Iterations(2);
    benchmark::RegisterBenchmark("Engine/render process", RenderProcess, "a+n*x", kPlotSteps)
        ->Unit(seconds)
        ->UseRealTime()
        ->Iterations(2);
    // The recurrences with a sine, a power and an exponential, over n = 1..10000.
    benchmark::RegisterBenchmark("Floor/render process a+sin(n*x)/n^2",
                                 PlotLoop<SineOverSquareStep>, kGuardedSteps)
        ->Unit(seconds)
        ->UseRealTime()
        ->Iterations(2);
    benchmark::RegisterBenchmark("Engine/render process a+sin(n*x)/n^2", RenderProcess,
                                 "a+sin(n*x)/n^2", kGuardedSteps)
        ->Unit(seconds)
        ->UseRealTime()
        ->Iterations(2);
    benchmark::RegisterBenchmark("Floor/render process a*x/n+exp(-n)", PlotLoop<ScaledPlusExpStep>,
                                 kGuardedSteps)
        ->Unit(seconds)
        ->UseRealTime()
        ->Iterations(2);
    benchmark::RegisterBenchmark("Engine/render process a*x/n+exp(-n)", RenderProcess,
                                 "a*x/n+exp(-n)", kGuardedSteps)
        ->Unit(seconds)
        ->UseRealTime()
        ->Iterations(2);
    benchmark::RegisterBenchmark("Floor/integral a+n*x", IntegralFloor)
        ->Unit(seconds)
        ->UseRealTime()
        ->Iterations(2);
    benchmark::RegisterBenchmark("Engine/integral a+n*x", IntegralCore)
        ->Unit(seconds)
        ->UseRealTime()
        ->Iterations(2);
    return true;
}();

}  // namespace
