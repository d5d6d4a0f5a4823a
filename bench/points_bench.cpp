// Points of interest of "sinx/x" on a 1920-sample view of [-20, 20], against the 5 ms target,
// beside the floor: the 1920 samples alone, as the plot of the same view evaluates them. Also
// the points of a 100-step recurrence on that view, which the window computes in the
// background.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "calc/points_of_interest.h"
#include "engine/evaluator.h"
#include "engine/tree_builder.h"

namespace {

constexpr int32_t kViewSamples = 1920;

PointsRequest SincView() {
    PointsRequest request;
    request.From = -20;
    request.To = 20;
    request.Samples = kViewSamples;
    return request;
}

void PointsSinc(benchmark::State& state) {
    Engine engine;
    BuildExpression(engine, "sinx/x");
    size_t found = 0;
    for (auto _ : state) {
        const PointsResult result = FindPoints(engine, SincView());
        found = result.Points.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["points"] = double(found);
    state.counters["target_ms"] = 5;
}
BENCHMARK(PointsSinc)->Name("Engine/points_sinc")->Unit(benchmark::kMillisecond);

// The samples alone: the view's 1921 abscissae evaluated in blocks.
void SamplesSinc(benchmark::State& state) {
    Engine engine;
    BuildExpression(engine, "sinx/x");
    std::vector<ExtendedReal> x(kViewSamples + 1);
    for (int32_t i = 0; i <= kViewSamples; ++i) x[size_t(i)] = -20 + i * (40.0L / kViewSamples);
    std::vector<ExtendedReal> y(x.size());
    const std::unique_ptr<bool[]> ok(new bool[x.size()]);
    for (auto _ : state) {
        EvaluateSamples(engine, x.data(), int32_t(x.size()), y.data(), ok.get());
        benchmark::DoNotOptimize(y.data());
    }
}
BENCHMARK(SamplesSinc)->Name("Floor/points_sinc")->Unit(benchmark::kMillisecond);

// A recurrence of 100 steps per probe: the sum of sin(x + n)/n, a sine wave of its own.
void PointsRecurrence(benchmark::State& state) {
    Engine engine;
    engine.ValueA = 0;
    engine.IndexFrom = 1;
    engine.IndexTo = 100;
    BuildExpression(engine, "a+sin(x+n)/n");
    size_t found = 0;
    for (auto _ : state) {
        found = FindPoints(engine, SincView()).Points.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["points"] = double(found);
}
BENCHMARK(PointsRecurrence)->Unit(benchmark::kMillisecond);

}  // namespace
