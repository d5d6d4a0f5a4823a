// The ordered sample stream and the rectangle sum on worker threads: the abscissa row and its
// ends, sums the same to the last bit as the plain one-thread loop for every thread count, the
// first failing sample in order, and a stop.
#include "calc/integral_samples.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "calc/calculations.h"
#include "engine/evaluator.h"
#include "engine/tree_builder.h"

namespace {

bool SameBits(ExtendedReal a, ExtendedReal b) {
    return std::memcmp(&a, &b, 10) == 0;  // the 80 bits of the x87 format
}

// The rectangle sum as a plain loop over the sequence driver.
StripSum ReferenceSum(Engine engine, ExtendedReal lower, ExtendedReal upper, ExtendedReal strip) {
    StripSum result;
    for (ExtendedReal t = lower; t <= upper;) {
        const ExtendedReal next = t + strip;
        if (next == t) {
            result.Status = StripSumStatus::TooSmall;
            return result;
        }
        t = next;
        ExtendedReal y = 0;
        if (!EvaluateSequence(engine, t, y) || engine.EngineError != kNoError) {
            result.Status = StripSumStatus::Failed;
            result.FailedAt = t;
            return result;
        }
        result.Sum += y * strip;
        ++result.Samples;
    }
    return result;
}

struct SumRow {
    const char* expression;
    ExtendedReal lower;
    ExtendedReal upper;
    int32_t indexTo;  // for expressions with n
};

const SumRow kSumRows[] = {
    {"sinx", 0, 1, 0},
    {"x", 0, 10, 0},
    {"x*x", -1, 2, 0},
    {"0-x", 0, 0.001L, 0},
    {"sqrt(x-0.5)", 0, 1, 0},        // fails in the middle
    {"1/(x-0.99999)", 0, 1, 0},      // a huge value near the end, no failure
    {"ln(x-0.5)+1/(0*x)", 0, 1, 0},  // fails at the first sample
    {"exp(x*x)", 0, 107, 0},         // overflows past some abscissa
    {"a+n*x", 0, 1, 40},             // a recurrence, below the refusal of sequences
    {"x", 1, 1 + 1e-16L, 0},         // a strip too small to move the abscissa
};

class SumStripsTest : public ::testing::TestWithParam<SumRow> {};

TEST_P(SumStripsTest, EveryThreadCountGivesTheLoopsBits) {
    const SumRow& row = GetParam();
    Engine engine;
    engine.IndexFrom = 1;
    engine.IndexTo = row.indexTo > 0 ? row.indexTo : 100;
    ASSERT_EQ(BuildExpression(engine, row.expression), kNoError);
    const ExtendedReal strip = (row.upper - row.lower) / kIntegralStripCount;
    const StripSum expected = ReferenceSum(engine, row.lower, row.upper, strip);
    for (const int threads : {1, 2, 3, 7}) {
        Engine copy = engine;
        SampleControl control;
        control.Threads = threads;
        const StripSum sum = SumStrips(copy, row.lower, row.upper, strip, control);
        EXPECT_EQ(sum.Status, expected.Status) << threads;
        EXPECT_TRUE(SameBits(sum.Sum, expected.Sum)) << threads << ": " << double(sum.Sum);
        EXPECT_EQ(sum.Samples, expected.Samples) << threads;
        if (expected.Status == StripSumStatus::Failed) {
            EXPECT_TRUE(SameBits(sum.FailedAt, expected.FailedAt)) << threads;
        }
        EXPECT_EQ(copy.ValueA, engine.ValueA);
        EXPECT_EQ(copy.EngineError, kNoError);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SumStripsTest, ::testing::ValuesIn(kSumRows));

TEST(SumStrips, IntegralTextsAreTheSameOnSeveralThreads) {
    const char* const kCases[][3] = {{"sinx", "0", "1"},
                                     {"x", "1", "0"},
                                     {"sqrt(0.5-x)", "0", "1"},
                                     {"x", "1", "1.0000000000000000001"}};
    for (const auto& c : kCases) {
        Engine engine;
        ASSERT_EQ(BuildExpression(engine, c[0]), kNoError);
        Engine single = engine;
        const CalcOutcome expected = CalculateIntegral(single, c[1], c[2]);
        Engine threaded = engine;
        SampleControl control;
        control.Threads = 3;
        const CalcOutcome outcome = CalculateIntegral(threaded, c[1], c[2], control);
        EXPECT_EQ(outcome.ResultText, expected.ResultText) << c[0];
        EXPECT_EQ(outcome.FailCode, expected.FailCode) << c[0];
        EXPECT_TRUE(outcome.Hint == expected.Hint) << c[0];
        EXPECT_EQ(outcome.Information, expected.Information) << c[0];
        EXPECT_EQ(threaded.EngineError, single.EngineError) << c[0];
    }
}

// A stop from the progress hook ends the sum early on any thread count, and the integral then
// shows nothing.
TEST(SumStrips, StopEndsTheSumAndShowsNothing) {
    for (const int threads : {1, 2, 7}) {
        Engine engine;
        ASSERT_EQ(BuildExpression(engine, "sinx"), kNoError);
        std::atomic<bool> stop{false};
        SampleControl control;
        control.Threads = threads;
        control.Stop = &stop;
        int64_t seen = 0;
        control.Progress = [&](int64_t read) {
            seen = read;
            if (read >= 1000) stop = true;
        };
        const StripSum sum = SumStrips(engine, 0, 1, 1e-5L, control);
        EXPECT_EQ(sum.Status, StripSumStatus::Stopped) << threads;
        EXPECT_LT(sum.Samples, 100000) << threads;
        EXPECT_GE(seen, 1000) << threads;
        const CalcOutcome outcome = CalculateIntegral(engine, "0", "1", control);
        EXPECT_FALSE(outcome.ResultText) << threads;
        EXPECT_FALSE(outcome.Information) << threads;
        EXPECT_TRUE(outcome.Empty()) << threads;
    }
}

struct RowCase {
    ExtendedReal start, step;
    int64_t budget;
    ExtendedReal limit;
    bool stuckEndsFirst;
    std::vector<ExtendedReal> expected;
    bool stuck;
};

TEST(AbscissaRow, EndsAtTheBudgetThePastLimitValueOrAStuckStep) {
    const RowCase kCases[] = {
        {0, 1, 10, 2.5L, false, {1, 2, 3}, false},   // the first value above the limit is last
        {0, 1, 2, 100, false, {1, 2}, false},        // the budget
        {0, 1, 10, 2, false, {1, 2, 3}, false},      // equal to the limit goes on
        {1e20L, 1, 5, 2e20L, false, {1e20L}, true},  // the first value is taken, then stuck
        {1e20L, 1, 5, 2e20L, true, {}, true},        // stuck before the first value
        {-1, 1, 10, -5, false, {0}, false},          // the first value is taken past the limit
    };
    for (const RowCase& c : kCases) {
        AbscissaRow row(c.start, c.step, c.budget, c.limit, c.stuckEndsFirst);
        std::vector<ExtendedReal> values;
        ExtendedReal x = 0;
        while (row.Next(x)) values.push_back(x);
        EXPECT_EQ(values, c.expected) << double(c.start) << " " << double(c.limit);
        EXPECT_EQ(row.Stuck(), c.stuck) << double(c.start);
        EXPECT_FALSE(row.Next(x));  // stays at its end
    }
}

}  // namespace
