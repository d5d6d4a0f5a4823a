// Opening a table of 100000 sequence terms, against the 50 ms target: the terms computed, the
// rows handed to the table model and a QTableView shown with them (offscreen), beside the bare
// walk of the same 100000 steps that the run itself makes (the floor). And a function table of
// 1000000 rows of "sinx/x" on every core, beside a one-core compiled loop writing the same
// values into a vector (target: at most 0.7 of it). Wall-clock times.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <cmath>
#include <memory>
#include <variant>
#include <vector>

#include "bench/bench_application.h"
#include "calc/sequence_table.h"
#include "engine/evaluator.h"
#include "engine/extended_math.h"
#include "engine/tree_builder.h"
#include "ui/table_model.h"

namespace {

constexpr int32_t kTerms = 100000;

Engine Logistic() {
    Engine engine;
    engine.ConstantC = 3.9L;
    BuildExpression(engine, "c*a*(1-a)");
    engine.ValueA = 0.5L;
    engine.IndexFrom = 1;
    engine.IndexTo = kTerms;
    return engine;
}

// The walk alone: what a run of the same expression costs.
void SequenceWalk(benchmark::State& state) {
    Engine engine = Logistic();
    engine.UsesN = true;
    for (auto _ : state) {
        ExtendedReal value = 0;
        benchmark::DoNotOptimize(EvaluateSequence(engine, 0, value));
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(SequenceWalk)->Name("Floor/table_100k")->Unit(benchmark::kMillisecond);

// Terms, rows, model and a shown view: what the table window does when it opens.
void SequenceTableOpen(benchmark::State& state) {
    BenchApplication();
    const Engine engine = Logistic();
    for (auto _ : state) {
        auto view = std::make_unique<QTableView>();
        auto* model = new TableRowsModel(view.get());
        view->setModel(model);
        view->resize(400, 500);
        model->SetRows(SequenceRows(ComputeTerms(engine, 0)));
        view->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(model->rowCount());
    }
    state.counters["target_ms"] = 50;
}
BENCHMARK(SequenceTableOpen)->Name("Engine/table_100k")->Unit(benchmark::kMillisecond);

// x = 0.0000005 + k * 0.000001 for k = 0 .. 999999: a million rows, none at 0.
TableRange MillionRows() {
    return std::get<TableRange>(MakeTableRange(0.0000005L, 0.9999995L, 0.000001L));
}

// sin x / x with the engine's own sine and its checks (the argument's limit, the zero divisor,
// a finite quotient), into a vector the loop is handed.
[[gnu::noinline]] bool SincLoop(const TableRange& range, std::vector<ExtendedReal>& values) {
    bool allOk = true;
    for (int64_t k = 0; k < range.Count; ++k) {
        const ExtendedReal x = range.At(k);
        const ExtendedReal sine =
            std::fabs(x) < extended_math::kTrigLimit ? extended_math::Sine(x) : 0;
        const bool ok = x != 0 && extended_math::IsFinite(sine / x);
        values[size_t(k)] = ok ? sine / x : 0;
        allOk = allOk && ok;
    }
    return allOk;
}

// The same with the C library's sinl, unchecked.
[[gnu::noinline]] void SinlLoop(const TableRange& range, std::vector<ExtendedReal>& values) {
    for (int64_t k = 0; k < range.Count; ++k) {
        const ExtendedReal x = range.At(k);
        values[size_t(k)] = sinl(x) / x;
    }
}

void SincFloor(benchmark::State& state) {
    const TableRange range = MillionRows();
    std::vector<ExtendedReal> values(size_t(range.Count));
    bool allOk = true;
    for (auto _ : state) {
        allOk = SincLoop(range, values) && allOk;
        benchmark::DoNotOptimize(values.data());
    }
    if (!allOk) state.SkipWithError("a row failed");
}
BENCHMARK(SincFloor)
    ->Name("Floor/function table sinx/x 1e6")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void SinlFloor(benchmark::State& state) {
    const TableRange range = MillionRows();
    std::vector<ExtendedReal> values(size_t(range.Count));
    for (auto _ : state) {
        SinlLoop(range, values);
        benchmark::DoNotOptimize(values.data());
    }
}
BENCHMARK(SinlFloor)
    ->Name("Sinl/function table sinx/x 1e6")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The rows as the table window and tarvik-cli table compute them: every core.
void SincTable(benchmark::State& state) {
    Engine engine;
    BuildExpression(engine, "sinx/x");
    const TableRange range = MillionRows();
    SampleControl control;
    control.Threads = DefaultThreadCount();
    size_t rows = 0;
    for (auto _ : state) {
        const TableRows table = FunctionRows(engine, range, &control);
        rows = table.Size();
        benchmark::DoNotOptimize(table.Values.data());
    }
    if (rows != size_t(range.Count)) state.SkipWithError("rows missing");
    state.counters["threads"] = control.Threads;
    state.counters["target_ratio"] = 0.7;
}
BENCHMARK(SincTable)
    ->Name("Engine/function table sinx/x 1e6")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same on one thread, the caller's.
void SincTableOneThread(benchmark::State& state) {
    Engine engine;
    BuildExpression(engine, "sinx/x");
    const TableRange range = MillionRows();
    for (auto _ : state) {
        const TableRows table = FunctionRows(engine, range);
        benchmark::DoNotOptimize(table.Values.data());
    }
}
BENCHMARK(SincTableOneThread)
    ->Name("OneThread/function table sinx/x 1e6")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
