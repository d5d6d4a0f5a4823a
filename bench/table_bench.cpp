// Opening a table of 100000 sequence terms, against the 50 ms target: the terms computed, the
// rows handed to the table model and a QTableView shown with them (offscreen), beside the bare
// walk of the same 100000 steps that the run itself makes (the floor).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <memory>

#include "bench/bench_application.h"
#include "calc/sequence_table.h"
#include "engine/evaluator.h"
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

}  // namespace
