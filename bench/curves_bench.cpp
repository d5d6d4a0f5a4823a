// Several curves on a full-HD picture, drawn as the window's background work draws them (the
// document through DrawDocument, the samples on every core): eight curves like "sinx" beside one,
// and their ratio, side by side in one run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "calc/sample_stream.h"
#include "document/plot_document.h"
#include "view/canvas.h"
#include "view/scale_commands.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
// Eight curves may take at most this many times the time of one.
constexpr double kTargetRatio = 8.5;

// "sinx", then "sin(x+1)", "sin(x+2)", ...: `count` curves of the same work, each in its colour.
PlotDocument SineCurves(int count) {
    PlotDocument document;
    CentreView(document.View, kWidth, kHeight);
    for (int k = 0; k < count; ++k) {
        const std::string text = k == 0 ? "sinx" : "sin(x+" + std::to_string(k) + ")";
        Curve curve;
        int32_t error = kNoError;
        if (!BuildCurve(text, CurveParameters{}, curve, error)) return document;
        curve.LineColour = kCurvePalette[size_t(k) % kCurvePalette.size()];
        document.Curves.Add(std::move(curve));
    }
    return document;
}

SampleControl WindowControl() {
    SampleControl control;
    control.Threads = DefaultThreadCount();
    return control;
}

void RedrawCurves(benchmark::State& state) {
    const PlotDocument document = SineCurves(int(state.range(0)));
    const SampleControl control = WindowControl();
    Canvas canvas(kWidth, kHeight);
    for (auto _ : state) benchmark::DoNotOptimize(DrawDocument(canvas, document, control));
    state.counters["curves"] = double(document.Curves.Size());
}
BENCHMARK(RedrawCurves)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// One curve and eight, drawn in turn in every iteration: the ratio of their times.
void RedrawEightToOne(benchmark::State& state) {
    const PlotDocument one = SineCurves(1);
    const PlotDocument eight = SineCurves(8);
    const SampleControl control = WindowControl();
    Canvas canvas(kWidth, kHeight);
    using Clock = std::chrono::steady_clock;
    Clock::duration oneTime{};
    Clock::duration eightTime{};
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(DrawDocument(canvas, one, control));
        const auto middle = Clock::now();
        benchmark::DoNotOptimize(DrawDocument(canvas, eight, control));
        eightTime += Clock::now() - middle;
        oneTime += middle - start;
    }
    const auto ms = [&state](Clock::duration time) {
        return std::chrono::duration<double, std::milli>(time).count() / double(state.iterations());
    };
    state.counters["one_ms"] = ms(oneTime);
    state.counters["eight_ms"] = ms(eightTime);
    state.counters["ratio"] = ms(eightTime) / ms(oneTime);
    state.counters["target_ratio"] = kTargetRatio;
}
BENCHMARK(RedrawEightToOne)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
