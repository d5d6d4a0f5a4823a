// Evaluation speed: the engine's EvaluateSequence beside the floor (the same expression written
// directly in C++ in extended precision, with the same fault checks and the same elementary
// functions) and beside muparser in double precision. The recurrence runs 100 steps per
// iteration; the "steps" counter makes the table show it per step. The batch rows run
// EvaluateSamples over a block of samples, as a plot does, shown per evaluation; the last row
// is a long recurrence against a one-core compiled loop.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "engine/evaluator.h"
#include "engine/extended_math.h"
#include "engine/tree_builder.h"

#ifdef TARVIK_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

namespace xm = extended_math;

constexpr size_t kSamples = 1024;
constexpr int32_t kSteps = 100;

// Arguments spread over [0.5, 10.5), as a plot samples them.
const std::array<ExtendedReal, kSamples>& Samples() {
    static const std::array<ExtendedReal, kSamples> samples = [] {
        std::array<ExtendedReal, kSamples> values{};
        for (size_t i = 0; i < kSamples; ++i) values[i] = 0.5L + 10.0L * i / kSamples;
        return values;
    }();
    return samples;
}

void EngineBench(benchmark::State& state, const char* text, int32_t steps) {
    Engine engine;
    engine.IndexFrom = 1;
    engine.IndexTo = steps;
    engine.ValueA = 0;
    if (BuildExpression(engine, text) != 0) state.SkipWithError("build failed");
    const auto& samples = Samples();
    size_t i = 0;
    ExtendedReal result = 0;
    for (auto _ : state) {
        EvaluateSequence(engine, samples[i++ % kSamples], result);
        benchmark::DoNotOptimize(result);
    }
    if (engine.EngineError != 0) state.SkipWithError("evaluation failed");
    state.counters["steps"] = steps;
}

// The checked walk alone, as every single evaluation ran before the compiled program: the
// reference the single rows are held against.
void WalkBench(benchmark::State& state, const char* text, int32_t steps) {
    Engine engine;
    engine.IndexFrom = 1;
    engine.IndexTo = steps;
    engine.ValueA = 0;
    if (BuildExpression(engine, text) != 0) state.SkipWithError("build failed");
    const auto& samples = Samples();
    size_t i = 0;
    ExtendedReal result = 0;
    for (auto _ : state) {
        EvaluateSequenceChecked(engine, samples[i++ % kSamples], result);
        benchmark::DoNotOptimize(result);
    }
    if (engine.EngineError != 0) state.SkipWithError("evaluation failed");
    state.counters["steps"] = steps;
}

// The batch path, as a plot uses it: kBatch samples per call of EvaluateSamples. Shown per
// evaluation (and per step).
constexpr int32_t kBatch = 64;

void EngineBatchBench(benchmark::State& state, const char* text, int32_t steps) {
    Engine engine;
    engine.IndexFrom = 1;
    engine.IndexTo = steps;
    engine.ValueA = 0;
    if (BuildExpression(engine, text) != 0) state.SkipWithError("build failed");
    const auto& samples = Samples();
    std::array<ExtendedReal, kBatch> values{};
    std::array<bool, kBatch> ok{};
    size_t i = 0;
    bool allOk = true;
    for (auto _ : state) {
        EvaluateSamples(engine, &samples[i], kBatch, values.data(), ok.data());
        i = (i + kBatch) % kSamples;
        benchmark::DoNotOptimize(values.data());
        allOk &= ok[0] && ok[kBatch - 1];
    }
    if (!allOk) state.SkipWithError("evaluation failed");
    state.counters["steps"] = static_cast<double>(steps) * kBatch;
}

// The floor: each operation checked as the evaluator checks it.
struct Checked {
    int32_t error = 0;
    ExtendedReal operator()(ExtendedReal v) {
        if (xm::IsFinite(v)) return v;
        error = kErrOverflow;
        return 0;
    }
};

ExtendedReal FloorSine(ExtendedReal v) {
    return std::fabs(v) < xm::kTrigLimit ? xm::Sine(v) : 0;
}

ExtendedReal FloorLn(ExtendedReal v, Checked& check) {
    if (!(v > 0)) {
        check.error = kErrLnNonPositive;
        return 0;
    }
    return xm::NaturalLog(v);
}

ExtendedReal FloorPower(ExtendedReal base, ExtendedReal exponent, Checked& check) {
    const bool fractional = !xm::IsIntegral(exponent);
    if (base < 0 && fractional) {
        check.error = kErrNegativeFractional;
        return 0;
    }
    if (base == 0) {
        if (fractional || exponent < 0) check.error = kErrZeroPower;
        return 0;
    }
    const ExtendedReal product = check(exponent * xm::NaturalLog(std::fabs(base)));
    if (check.error) return 0;
    const ExtendedReal t = check(product * xm::kLog2E);
    if (check.error || t > xm::kPowerOfTwoOverflow) return check(HUGE_VALL);
    const ExtendedReal r = t < xm::kPowerOfTwoUnderflow ? 0 : check(xm::PowerOfTwo(t));
    if (base > 0) return r;
    return xm::IsIntegral(exponent / 2) ? r : -r;
}

ExtendedReal FloorDivide(ExtendedReal l, ExtendedReal r, Checked& check) {
    if (r == 0) {
        check.error = kErrDivisionByZero;
        return 0;
    }
    return check(l / r);
}

ExtendedReal FloorCubic(ExtendedReal x, Checked& check) {
    const ExtendedReal cube = check(check(x * x) * x);
    const ExtendedReal twice = check(2 * x);
    return check(check(cube + twice) - 1);
}

ExtendedReal FloorSineOverX(ExtendedReal x, Checked& check) {
    return FloorDivide(FloorSine(x), x, check);
}

ExtendedReal FloorSineTimesLn(ExtendedReal x, Checked& check) {
    const ExtendedReal sine = FloorSine(x);
    const ExtendedReal ln = FloorLn(x, check);
    return check.error ? 0 : check(sine * ln);
}

ExtendedReal FloorRoot(ExtendedReal x, Checked& check) {
    const ExtendedReal inverse = FloorDivide(1, x, check);
    return check.error ? 0 : FloorPower(x, inverse, check);
}

ExtendedReal FloorRecurrence(ExtendedReal x, Checked& check) {
    ExtendedReal a = 0;
    for (int32_t n = 1; n <= kSteps && !check.error; ++n) a = check(a + check(n * x));
    return check.error ? 0 : a;
}

// The floor behind the same interface as EvaluateSequence: x and the result through
// references.
template <ExtendedReal (*Floor)(ExtendedReal, Checked&)>
[[gnu::noinline]] bool FloorCall(const ExtendedReal& x, ExtendedReal& result, int32_t& error) {
    Checked check;
    const ExtendedReal value = Floor(x, check);
    error = check.error;
    result = value;
    return true;
}

template <ExtendedReal (*Floor)(ExtendedReal, Checked&)>
void FloorBench(benchmark::State& state, int32_t steps) {
    const auto& samples = Samples();
    size_t i = 0;
    ExtendedReal result = 0;
    int32_t error = 0;
    for (auto _ : state) {
        FloorCall<Floor>(samples[i++ % kSamples], result, error);
        benchmark::DoNotOptimize(result);
    }
    if (error != 0) state.SkipWithError("evaluation failed");
    state.counters["steps"] = steps;
}

template <ExtendedReal (*Floor)(ExtendedReal, Checked&)>
void FloorBatchBench(benchmark::State& state, int32_t steps) {
    const auto& samples = Samples();
    size_t i = 0;
    std::array<ExtendedReal, kBatch> values{};
    int32_t error = 0;
    for (auto _ : state) {
        for (int32_t k = 0; k < kBatch; ++k) FloorCall<Floor>(samples[i + k], values[k], error);
        i = (i + kBatch) % kSamples;
        benchmark::DoNotOptimize(values.data());
    }
    if (error != 0) state.SkipWithError("evaluation failed");
    state.counters["steps"] = static_cast<double>(steps) * kBatch;
}

// Long recurrences as a plot of them computes each column: through EvaluateSamples, beside the
// one-core loop that makes the same steps in compiled extended precision with the floor's
// checks after each step. a+n*x over n = 1..100000; the ones with a sine, a power and an
// exponential over n = 1..2000.
constexpr int32_t kLongSteps = 100000;
constexpr int32_t kGuardedSteps = 2000;
constexpr int32_t kLongBatch = 8;

void EngineLongRecurrenceBench(benchmark::State& state, const char* text, int32_t steps) {
    Engine engine;
    engine.IndexFrom = 1;
    engine.IndexTo = steps;
    engine.ValueA = 0;
    if (BuildExpression(engine, text) != 0) state.SkipWithError("build failed");
    const auto& samples = Samples();
    std::array<ExtendedReal, kLongBatch> values{};
    std::array<bool, kLongBatch> ok{};
    size_t i = 0;
    bool allOk = true;
    for (auto _ : state) {
        EvaluateSamples(engine, &samples[i], kLongBatch, values.data(), ok.data());
        i = (i + kLongBatch) % kSamples;
        benchmark::DoNotOptimize(values.data());
        allOk &= ok[0] && ok[kLongBatch - 1];
    }
    if (!allOk) state.SkipWithError("evaluation failed");
    state.counters["steps"] = static_cast<double>(steps) * kLongBatch;
}

ExtendedReal StepLinear(ExtendedReal a, ExtendedReal x, int32_t n, Checked& check) {
    (void)check;
    return a + n * x;  // the loop checks the sum
}

// a+sin(n*x)/n^2, the square by the power's rule as the engine's "^".
ExtendedReal StepSineOverSquare(ExtendedReal a, ExtendedReal x, int32_t n, Checked& check) {
    const ExtendedReal sine = FloorSine(check(n * x));
    const ExtendedReal square = FloorPower(n, 2, check);
    return check.error ? 0 : check(a + FloorDivide(sine, square, check));
}

ExtendedReal FloorExp(ExtendedReal v, Checked& check) {
    const ExtendedReal t = check(v * xm::kLog2E);
    if (check.error || t > xm::kPowerOfTwoOverflow) return check(HUGE_VALL);
    return t < xm::kPowerOfTwoUnderflow ? 0 : check(xm::PowerOfTwo(t));
}

// a*x/n+exp(-n).
ExtendedReal StepScaledPlusExp(ExtendedReal a, ExtendedReal x, int32_t n, Checked& check) {
    const ExtendedReal quotient = FloorDivide(check(a * x), n, check);
    const ExtendedReal e = FloorExp(-static_cast<ExtendedReal>(n), check);
    return check.error ? 0 : check(quotient + e);
}

template <ExtendedReal (*Step)(ExtendedReal, ExtendedReal, int32_t, Checked&)>
[[gnu::noinline]] bool OneCoreRecurrenceLoop(const ExtendedReal& x, int32_t steps,
                                             ExtendedReal& result) {
    Checked check;
    ExtendedReal a = 0;
    for (int32_t n = 1; n <= steps; ++n) {
        a = Step(a, x, n, check);
        if (check.error || !xm::IsFinite(a)) return false;
    }
    result = a;
    return true;
}

template <ExtendedReal (*Step)(ExtendedReal, ExtendedReal, int32_t, Checked&)>
void OneCoreLoopBench(benchmark::State& state, int32_t steps) {
    const auto& samples = Samples();
    std::array<ExtendedReal, kLongBatch> values{};
    size_t i = 0;
    bool allOk = true;
    for (auto _ : state) {
        for (int32_t k = 0; k < kLongBatch; ++k) {
            allOk &= OneCoreRecurrenceLoop<Step>(samples[i + k], steps, values[k]);
        }
        i = (i + kLongBatch) % kSamples;
        benchmark::DoNotOptimize(values.data());
    }
    if (!allOk) state.SkipWithError("evaluation failed");
    state.counters["steps"] = static_cast<double>(steps) * kLongBatch;
}

#ifdef TARVIK_HAVE_MUPARSER
void MuparserBench(benchmark::State& state, const char* text, int32_t steps) {
    double x = 1;
    double a = 0;
    double n = 1;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.DefineVar("a", &a);
    parser.DefineVar("n", &n);
    parser.SetExpr(text);
    benchmark::DoNotOptimize(parser.Eval());  // the first evaluation compiles the bytecode
    const auto& samples = Samples();
    size_t i = 0;
    for (auto _ : state) {
        x = static_cast<double>(samples[i++ % kSamples]);
        a = 0;
        for (int32_t step = 1; step <= steps; ++step) {
            n = step;
            a = parser.Eval();
        }
        benchmark::DoNotOptimize(a);
    }
    state.counters["steps"] = steps;
}
#endif

struct Case {
    const char* label;
    const char* engineText;
    const char* muparserText;
    void (*floor)(benchmark::State&, int32_t);
    int32_t steps;
};

// Side by side, in this order: engine, floor, muparser for each expression.
const bool kRegistered = [] {
    const Case cases[] = {
        {"x*x*x+2*x-1", "x*x*x+2*x-1", "x*x*x+2*x-1", FloorBench<FloorCubic>, 1},
        {"sinx/x", "sinx/x", "sin(x)/x", FloorBench<FloorSineOverX>, 1},
        {"sinx*lnx", "sinx*lnx", "sin(x)*ln(x)", FloorBench<FloorSineTimesLn>, 1},
        {"x^(1/x)", "x^(1/x)", "x^(1/x)", FloorBench<FloorRoot>, 1},
        {"a+n*x step", "a+n*x", "a+n*x", FloorBench<FloorRecurrence>, kSteps},
    };
    const Case batchCases[] = {
        {"x*x*x+2*x-1 batch", "x*x*x+2*x-1", "x*x*x+2*x-1", FloorBatchBench<FloorCubic>, 1},
        {"sinx/x batch", "sinx/x", "sin(x)/x", FloorBatchBench<FloorSineOverX>, 1},
        {"sinx*lnx batch", "sinx*lnx", "sin(x)*ln(x)", FloorBatchBench<FloorSineTimesLn>, 1},
        {"x^(1/x) batch", "x^(1/x)", "x^(1/x)", FloorBatchBench<FloorRoot>, 1},
        {"a+n*x step batch", "a+n*x", "a+n*x", FloorBatchBench<FloorRecurrence>, kSteps},
    };
    for (const Case& c : cases) {
        const std::string label = c.label;
        benchmark::RegisterBenchmark(("Engine/" + label).c_str(), EngineBench, c.engineText,
                                     c.steps);
        benchmark::RegisterBenchmark(("Walk/" + label).c_str(), WalkBench, c.engineText, c.steps);
        benchmark::RegisterBenchmark(("Floor/" + label).c_str(), c.floor, c.steps);
#ifdef TARVIK_HAVE_MUPARSER
        benchmark::RegisterBenchmark(("Muparser/" + label).c_str(), MuparserBench, c.muparserText,
                                     c.steps);
#endif
    }
    for (const Case& c : batchCases) {
        const std::string label = c.label;
        benchmark::RegisterBenchmark(("Engine/" + label).c_str(), EngineBatchBench, c.engineText,
                                     c.steps);
        benchmark::RegisterBenchmark(("Floor/" + label).c_str(), c.floor, c.steps);
#ifdef TARVIK_HAVE_MUPARSER
        benchmark::RegisterBenchmark(("Muparser/" + label).c_str(), MuparserBench, c.muparserText,
                                     c.steps);
#endif
    }
    // The floor column of these rows is the one-core loop.
    benchmark::RegisterBenchmark("Engine/a+n*x to 1e5 vs one-core loop", EngineLongRecurrenceBench,
                                 "a+n*x", kLongSteps);
    benchmark::RegisterBenchmark("Floor/a+n*x to 1e5 vs one-core loop",
                                 OneCoreLoopBench<StepLinear>, kLongSteps);
    benchmark::RegisterBenchmark("Engine/a+sin(n*x)/n^2 to 2000 vs one-core loop",
                                 EngineLongRecurrenceBench, "a+sin(n*x)/n^2", kGuardedSteps);
    benchmark::RegisterBenchmark("Floor/a+sin(n*x)/n^2 to 2000 vs one-core loop",
                                 OneCoreLoopBench<StepSineOverSquare>, kGuardedSteps);
    benchmark::RegisterBenchmark("Engine/a*x/n+exp(-n) to 2000 vs one-core loop",
                                 EngineLongRecurrenceBench, "a*x/n+exp(-n)", kGuardedSteps);
    benchmark::RegisterBenchmark("Floor/a*x/n+exp(-n) to 2000 vs one-core loop",
                                 OneCoreLoopBench<StepScaledPlusExp>, kGuardedSteps);
    return true;
}();

}  // namespace
