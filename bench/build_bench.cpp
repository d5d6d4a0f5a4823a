// Refusing a 100 kB expression, against the 50 ms target: the build that says where it stopped,
// for texts of several shapes that the node table cannot hold, beside one reading of the same
// text token by token (the floor: no builder reads less).
#include <benchmark/benchmark.h>

#include <string>

#include "engine/token_reader.h"
#include "engine/tree_builder.h"

namespace {

std::string Repeat(const std::string& piece, size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// About 100 kB each.
std::string Sum() {
    return "x" + Repeat("+x", 50000);
}
std::string SumThenOperator() {
    return Sum() + "+";
}
std::string NestedFunctions() {
    return Repeat("sin(", 20000) + "x" + Repeat(")", 20000);
}
std::string DeepBrackets() {
    return Repeat("(", 50000) + "x" + Repeat(")", 50000);
}
std::string Identifier() {
    return Repeat("x", 100000);
}

void Refuse(benchmark::State& state, std::string (*make)()) {
    const std::string text = make();
    Engine engine;
    BuildStop stop;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildExpression(engine, text, stop));
    }
    if (engine.EngineError == kNoError) state.SkipWithError("the text was built");
    state.counters["bytes"] = static_cast<double>(text.size());
    state.counters["target_ms"] = 50;
}

void ReadOnce(benchmark::State& state, std::string (*make)()) {
    const std::string text = make();
    const int32_t length = static_cast<int32_t>(text.size());
    for (auto _ : state) {
        int32_t tokens = 0;
        for (int32_t position = 1; position <= length; ++tokens) {
            position += ReadToken(text, position, 1).Length;
        }
        benchmark::DoNotOptimize(tokens);
    }
}

#define REFUSAL_ROWS(label, make)            \
    BENCHMARK_CAPTURE(Refuse, label, make)   \
        ->Name("Engine/refuse_" #label)      \
        ->Unit(benchmark::kMillisecond);     \
    BENCHMARK_CAPTURE(ReadOnce, label, make) \
        ->Name("Floor/refuse_" #label)       \
        ->Unit(benchmark::kMillisecond)

REFUSAL_ROWS(sum, Sum);
REFUSAL_ROWS(sum_operator, SumThenOperator);
REFUSAL_ROWS(functions, NestedFunctions);
REFUSAL_ROWS(brackets, DeepBrackets);
REFUSAL_ROWS(identifier, Identifier);

}  // namespace
