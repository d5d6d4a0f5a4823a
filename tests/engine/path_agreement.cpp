// The agreement check shared by the evaluator's tables and the compiled program's tests. Where
// the build made machine code every path runs three times: as built (the machine code for all
// but the shortest runs), with the machine code for every run, and on the portable runner.
#include "tests/engine/path_agreement.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/compiled_program.h"
#include "engine/evaluator.h"

namespace {

// Left in a result that no evaluation may touch.
constexpr ExtendedReal kUntouched = -12345.5L;

// Arguments that sit beside the sample in a batch: ordinary ones, and ones at which many
// expressions fault (0, negative numbers, an overflowing square, a denormal).
constexpr std::array<ExtendedReal, 10> kCompanions = {
    0, 1, -1, 0.5L, 2, 1e3000L, -0.0L, 3.25L, 1e-4940L, -7,
};

void ExpectSame(const PathOutcome& actual, const PathOutcome& expected, const char* path,
                ExtendedReal x) {
    EXPECT_EQ(actual.ran, expected.ran) << path << " at " << x;
    EXPECT_EQ(actual.code, expected.code) << path << " at " << x;
    EXPECT_EQ(actual.cursor, expected.cursor) << path << " at " << x;
    EXPECT_TRUE(SameBits(actual.value, expected.value))
        << path << " at " << x << ": " << actual.value << " instead of " << expected.value;
}

// One batch; each column is compared with its own checked outcome, the cursor with the last
// sample's.
void ExpectBatchAgrees(const Engine& built, const std::vector<ExtendedReal>& xs) {
    Engine engine = built;
    const int32_t count = static_cast<int32_t>(xs.size());
    std::vector<ExtendedReal> values(xs.size(), kUntouched);
    std::unique_ptr<bool[]> ok(new bool[xs.size()]);
    for (size_t i = 0; i < xs.size(); ++i) ok[i] = !(i % 2);  // must be overwritten
    EvaluateSamples(engine, xs.data(), count, values.data(), ok.get());
    EXPECT_EQ(engine.EngineError, 0);
    EXPECT_TRUE(SameBits(engine.ValueA, built.ValueA));
    for (size_t i = 0; i < xs.size(); ++i) {
        const PathOutcome expected = CheckedOutcome(built, xs[i]);
        const bool produced = expected.ran && expected.code == 0;
        EXPECT_EQ(ok[i], produced) << "column " << i << " of " << count << " at " << xs[i];
        if (produced && ok[i]) {
            EXPECT_TRUE(SameBits(values[i], expected.value))
                << "column " << i << " of " << count << " at " << xs[i] << ": " << values[i]
                << " instead of " << expected.value;
        }
    }
    const PathOutcome last = CheckedOutcome(built, xs.back());
    EXPECT_EQ(engine.NodeCursor, last.cursor) << "cursor after a batch of " << count;
}

}  // namespace

bool SameBits(ExtendedReal a, ExtendedReal b) {
    return std::memcmp(&a, &b, 10) == 0;
}

PathOutcome CheckedOutcome(const Engine& built, ExtendedReal x) {
    Engine engine = built;
    PathOutcome outcome;
    outcome.value = kUntouched;
    outcome.ran = EvaluateSequenceChecked(engine, x, outcome.value);
    outcome.code = engine.EngineError;
    outcome.cursor = engine.NodeCursor;
    EXPECT_TRUE(SameBits(engine.ValueA, built.ValueA));
    return outcome;
}

namespace {

void ExpectRunnerAgrees(const Engine& built, ExtendedReal x, const PathOutcome& expected) {
    Engine engine = built;
    PathOutcome sequence;
    sequence.value = kUntouched;
    sequence.ran = EvaluateSequence(engine, x, sequence.value);
    sequence.code = engine.EngineError;
    sequence.cursor = engine.NodeCursor;
    ExpectSame(sequence, expected, "EvaluateSequence", x);
    EXPECT_TRUE(SameBits(engine.ValueA, built.ValueA));

    ExpectBatchAgrees(built, {x});
    for (const size_t size : {2, 3, 4, 5, 8, 13}) {
        for (const size_t position : {size_t{0}, size / 2, size - 1}) {
            std::vector<ExtendedReal> xs(size);
            for (size_t i = 0; i < size; ++i) xs[i] = kCompanions[(i + size) % kCompanions.size()];
            xs[position] = x;
            ExpectBatchAgrees(built, xs);
        }
    }
}

}  // namespace

void ExpectAllPathsAgree(const Engine& built, ExtendedReal x) {
    const PathOutcome expected = CheckedOutcome(built, x);
    {
        SCOPED_TRACE(HasMachineCode(built) ? "machine code" : "portable runner");
        ExpectRunnerAgrees(built, x, expected);
    }
    if (HasMachineCode(built)) {
        {
            SCOPED_TRACE("machine code for every run");
            Engine machine = built;
            AlwaysRunMachineCode(machine);
            ExpectRunnerAgrees(machine, x, expected);
        }
        SCOPED_TRACE("portable runner");
        Engine portable = built;
        DropMachineCode(portable);
        ExpectRunnerAgrees(portable, x, expected);
    }
}
