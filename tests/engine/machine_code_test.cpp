// The machine code: which trees get it (so that the agreement tables cannot pass without it),
// agreement with the checked walk for every operand form the generator emits (leaves from
// registers, from memory, constants exact and not exact in double precision, working registers
// up to the last one) and every function it does in place, faults in one column of a run,
// faults after the first look at the flags, and copies of the engine sharing the code.
#include "engine/machine_code.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "engine/compiled_program.h"
#include "engine/evaluator.h"
#include "engine/tree_builder.h"
#include "tests/engine/path_agreement.h"

namespace {

#if defined(__x86_64__) && defined(__linux__)
constexpr bool kMachineCodeBuilt = true;
#else
constexpr bool kMachineCodeBuilt = false;
#endif
// The suite also runs with the refusal forced (see CMakeLists.txt): then no build has code.
const bool kMachineCodeExpected = kMachineCodeBuilt && !MachineCodeRefused();

struct CoverageRow {
    std::string text;
    bool covered;
};

class CoverageTest : public testing::TestWithParam<CoverageRow> {};

TEST_P(CoverageTest, TheBuildMakesMachineCodeJustForTheOperationsItCovers) {
    Engine engine;
    ASSERT_EQ(BuildExpression(engine, GetParam().text), 0);
    ASSERT_TRUE(HasProgram(engine));
    EXPECT_EQ(HasMachineCode(engine), GetParam().covered && kMachineCodeExpected);
}

INSTANTIATE_TEST_SUITE_P(
    Trees, CoverageTest,
    testing::Values(CoverageRow{"a+n*x", true}, CoverageRow{"x*x*x+2*x-1", true},
                    CoverageRow{"x", true}, CoverageRow{"2+3", true},
                    CoverageRow{"sqrt(abs(x))-a/3", true}, CoverageRow{"(x+1)/(x-1)", true},
                    CoverageRow{"sinx", true}, CoverageRow{"a+sin(n*x)/n", true},
                    CoverageRow{"ln(x)+cosx", true}, CoverageRow{"x^2", true},
                    CoverageRow{"fact(x)", true}, CoverageRow{"exp(x)", true},
                    CoverageRow{"tgx+cosx", true}, CoverageRow{"sinx+ctgx", true},
                    CoverageRow{"a+sin(n*x)/n^2", true}, CoverageRow{"a*x/n+exp(-n)", true}));

struct MachineRow {
    std::string text;
    ExtendedReal a0;
    int32_t from;
    int32_t to;
};

void PrintTo(const MachineRow& row, std::ostream* os) {
    *os << row.text << " a0=" << row.a0 << " n=" << row.from << ".." << row.to;
}

class MachineAgreementTest : public testing::TestWithParam<MachineRow> {};

// Ordinary arguments, ones where the rows divide by zero or take roots of negative numbers,
// ones that overflow, and a denormal.
const std::array<ExtendedReal, 12> kArguments = {
    0, -0.0L, 1, -1, 2, 0.5L, -2.5L, 3, 0.1L, 1e3000L, -1e2000L, 1e-4940L,
};

TEST_P(MachineAgreementTest, EveryPathGivesTheCheckedWalksBits) {
    const MachineRow& row = GetParam();
    Engine engine;
    engine.ValueA = row.a0;
    engine.IndexFrom = row.from;
    engine.IndexTo = row.to;
    ASSERT_EQ(BuildExpression(engine, row.text), 0) << row.text;
    EXPECT_EQ(HasMachineCode(engine), kMachineCodeExpected) << row.text;
    for (const ExtendedReal x : kArguments) ExpectAllPathsAgree(engine, x);
}

// Leaves on either side of each operator, from registers (x, a), from memory (n, constants
// exact in double) and loaded (constants that are not), and operators applied straight into
// a's register from either side.
INSTANTIATE_TEST_SUITE_P(OperandForms, MachineAgreementTest,
                         testing::Values(MachineRow{"x-2", 1, 1, 1}, MachineRow{"2-x", 1, 1, 1},
                                         MachineRow{"x/4", 1, 1, 1}, MachineRow{"4/x", 1, 1, 1},
                                         MachineRow{"x*0.1", 1, 1, 1}, MachineRow{"0.1-x", 1, 1, 1},
                                         MachineRow{"0.1/x", 1, 1, 1}, MachineRow{"0.1", 1, 1, 1},
                                         MachineRow{"a-n*x", 1, 1, 7}, MachineRow{"n*x-a", 1, 1, 7},
                                         MachineRow{"a/(n-x)", 1, 1, 7},
                                         MachineRow{"(n-x)/a", 3, 1, 7}, MachineRow{"n/x", 1, 3, 3},
                                         MachineRow{"x/n", 1, 3, 3}, MachineRow{"n-x+a", 1, 1, 9},
                                         MachineRow{"a*n", 1, 1, 12}, MachineRow{"n", 1, 1, 9},
                                         MachineRow{"a", 2, 1, 9}, MachineRow{"x-x", 1, 1, 1},
                                         MachineRow{"sqrt(x)-sqrt(0-x)", 1, 1, 1},
                                         MachineRow{"abs(x-3)*a", -2, 1, 4},
                                         MachineRow{"sqrt(a-n)+x", 10, 1, 5}));

// The functions done in place: sine and cosine up to and beyond 2^63 (where the walk takes 0),
// the logarithm of positive, zero and negative values, in recurrences as well.
INSTANTIATE_TEST_SUITE_P(
    Functions, MachineAgreementTest,
    testing::Values(MachineRow{"sinx", 1, 1, 1}, MachineRow{"cosx", 1, 1, 1},
                    MachineRow{"sin(x*4611686018427387904)", 1, 1, 1},
                    MachineRow{"cos(x*9223372036854775808)", 1, 1, 1}, MachineRow{"lnx", 1, 1, 1},
                    MachineRow{"ln(x-1)*sinx", 1, 1, 1}, MachineRow{"sinx/x", 1, 1, 1},
                    MachineRow{"sinx*lnx", 1, 1, 1}, MachineRow{"a+sin(n*x)/n", 0, 1, 300},
                    MachineRow{"ln(a)+x", 2, 1, 40}, MachineRow{"cos(a)*x", 1, 1, 50},
                    MachineRow{"ln(abs(a-n))+x", 0, 1, 30}));

// Working registers: products of sums need one more register per level, which leaves fewer
// columns per run; the deepest still fits one column.
INSTANTIATE_TEST_SUITE_P(
    Registers, MachineAgreementTest,
    testing::Values(
        MachineRow{"(x+1)*(x+2)", 1, 1, 1}, MachineRow{"((x+1)*(x+2))/((x+3)*(x-4))", 1, 1, 1},
        MachineRow{"(((x+1)*(x+2))-((x+3)*(x-4)))/(((x+5)*(x+6))-((x+7)*(x-8)))", 1, 1, 1},
        MachineRow{"a+(((x+1)*(n+2))-((x+3)*(n-4)))/(((x+5)*(a+6))-((x+7)*(a-8)))", 1, 1, 6},
        MachineRow{"x*0.1+(x*0.2+(x*0.3+(x*0.4+(x*0.5+x*0.6))))", 1, 1, 1}));

// The power by its rule: positive, zero and negative bases, integral (odd and even),
// fractional and negative exponents, exponents too large for a 64-bit integer, results that
// overflow and that underflow to 0, operands computed in either order, and in recurrences.
INSTANTIATE_TEST_SUITE_P(
    Powers, MachineAgreementTest,
    testing::Values(MachineRow{"x^2", 1, 1, 1}, MachineRow{"x^3", 1, 1, 1},
                    MachineRow{"x^(0-2)", 1, 1, 1}, MachineRow{"x^0.5", 1, 1, 1},
                    MachineRow{"(0-x)^3", 1, 1, 1}, MachineRow{"x^x", 1, 1, 1},
                    MachineRow{"2^x", 1, 1, 1}, MachineRow{"x^(1/x)", 1, 1, 1},
                    MachineRow{"(x-1)^(x-2)", 1, 1, 1}, MachineRow{"x^(x*10^30)", 1, 1, 1},
                    MachineRow{"(0-x)^(x*18446744073709551616)", 1, 1, 1},
                    MachineRow{"0.5^(x*20000)", 1, 1, 1}, MachineRow{"(x*x+1)^(x*x*x)", 1, 1, 1},
                    MachineRow{"x^n", 1, 1, 5}, MachineRow{"a+sin(n*x)/n^2", 0, 1, 300},
                    MachineRow{"a^x+1", 2, 1, 20}, MachineRow{"(a-x)^n*0.5", 1, 1, 30}));

// The exponential up to its overflow and beyond its underflow (a denormal on the way, +0
// below), the tangent and cotangent at their limits and beyond 2^63, the factorial over its
// table and outside it; in recurrences as well.
INSTANTIATE_TEST_SUITE_P(
    GuardedFunctions, MachineAgreementTest,
    testing::Values(MachineRow{"exp(x)", 1, 1, 1}, MachineRow{"exp(0-x)", 1, 1, 1},
                    MachineRow{"exp(x+11355.5)", 1, 1, 1}, MachineRow{"exp(x-11400)", 1, 1, 1},
                    MachineRow{"exp(0-x*10^4000)", 1, 1, 1}, MachineRow{"exp(x*x*x)", 1, 1, 1},
                    MachineRow{"a*x/n+exp(-n)", 1, 1, 300}, MachineRow{"exp(a)-x", 0, 1, 40},
                    MachineRow{"tgx", 1, 1, 1}, MachineRow{"ctgx", 1, 1, 1},
                    MachineRow{"tg(p/2*x)", 1, 1, 1}, MachineRow{"ctg(p*x)", 1, 1, 1},
                    MachineRow{"tg(x*9223372036854775808)", 1, 1, 1},
                    MachineRow{"ctg(x*4611686018427387904)", 1, 1, 1},
                    MachineRow{"tg(a)+x", 0, 1, 30}, MachineRow{"fact(x)", 1, 1, 1},
                    MachineRow{"fact(x*1754)", 1, 1, 1}, MachineRow{"fact(x+1753)", 1, 1, 1},
                    MachineRow{"fact(x*x)", 1, 1, 1}, MachineRow{"fact(x*4294967296)", 1, 1, 1},
                    MachineRow{"a+fact(n)*x", 0, 1, 40}, MachineRow{"sinx*tgx+exp(x)^x", 1, 1, 1}));

// Subtrees of n alone, computed once per step for all columns: as either operand, several in
// one tree, one below a power or inside a function of the columns, one that faults at some n
// (and so in every column at once), and a constant subtree beside them.
INSTANTIATE_TEST_SUITE_P(
    SharedSubtrees, MachineAgreementTest,
    testing::Values(MachineRow{"a+x*(n^2+exp(-n))", 0, 1, 50},
                    MachineRow{"sin(n)*x+cos(n)*a", 1, 1, 60}, MachineRow{"(n*n-1)/a+x", 1, 1, 40},
                    MachineRow{"a/(n-3)^2+x", 1, 1, 9}, MachineRow{"a+ln(n-5)*x", 0, 1, 9},
                    MachineRow{"x^(1/n)+a*0.5", 1, 1, 30}, MachineRow{"sin(a*(n+1))+x", 0, 1, 40},
                    MachineRow{"a+sin(n)*x+exp(0-n)*x+sqrt(n)*x+(2*3)", 0, 1, 25},
                    MachineRow{"fact(n)*x-a", 0, 1, 30}, MachineRow{"a+tg(n)*x", 0, 1, 30},
                    // few columns fit beside x in registers: x is read from the frame
                    MachineRow{"a*0.5+exp(-n)*(x-n)/x+x^n", 1, 1, 20},
                    MachineRow{"x-a/exp(n*x)", 1, 1, 40}));

// Recurrences that fault late, after several looks at the flags, or never.
INSTANTIATE_TEST_SUITE_P(LongRuns, MachineAgreementTest,
                         testing::Values(MachineRow{"a*x", 1, 1, 20000},
                                         MachineRow{"a+n*x", 0, 1, 3000},
                                         MachineRow{"a/(n-700)+x", 1, 1, 1000},
                                         MachineRow{"a*a+x", 0, 1, 600},
                                         MachineRow{"n-a", 0, 2147483000, 2147483647}));

// Where the walk meets no guard, the code vouches for the value itself: the tests and branches
// of the guarded operations raise no flag on their ordinary path, so a batch needs no walk.
TEST(MachineCodeTest, TheGuardedOperationsGiveTheirValuesWithoutTheWalk) {
    if (!kMachineCodeExpected) GTEST_SKIP() << "no machine code here";
    struct Row {
        const char* text;
        int32_t to;
    };
    const std::array<ExtendedReal, 7> xs = {0.5L, 1.25L, 2, 3, 4.5L, 6, 7.75L};
    for (const Row row :
         {Row{"x^(1/x)", 1}, Row{"(0-x)^3", 1}, Row{"(x-x)^2", 1},
          Row{"exp(x)-exp(0-x*10^4000)", 1}, Row{"tgx*ctgx", 1}, Row{"fact(x*2-x)+sinx", 1},
          Row{"a+sin(n*x)/n^2", 200}, Row{"a*x/n+exp(-n)", 200}}) {
        SCOPED_TRACE(row.text);
        Engine engine;
        engine.ValueA = 0;
        engine.IndexFrom = 1;
        engine.IndexTo = row.to;
        ASSERT_EQ(BuildExpression(engine, row.text), 0);
        ASSERT_TRUE(HasMachineCode(engine));
        AlwaysRunMachineCode(engine);
        std::array<ExtendedReal, xs.size()> values{};
        std::array<bool, xs.size()> ok{};
        RunProgram(engine, xs.data(), static_cast<int32_t>(xs.size()), 1, row.to, values.data(),
                   ok.data());
        for (size_t i = 0; i < xs.size(); ++i) {
            const PathOutcome expected = CheckedOutcome(engine, xs[i]);
            if (expected.code != 0) continue;  // fact of a fraction
            EXPECT_TRUE(ok[i]) << xs[i];
            EXPECT_TRUE(SameBits(values[i], expected.value)) << xs[i];
        }
    }
}

// A tree whose working registers leave no room for one column beside them gets no code.
TEST(MachineCodeTest, TooDeepForTheRegistersIsLeftToThePortableRunner) {
    // Each level of products of computed operands needs one register more: 255 slots, seven
    // working registers, and x beside them.
    std::string text = "(x+1)";
    for (int level = 0; level < 6; ++level) text = "(" + text + "*" + text + ")";
    Engine engine;
    ASSERT_EQ(BuildExpression(engine, text), 0);
    ASSERT_TRUE(HasProgram(engine));
    EXPECT_FALSE(HasMachineCode(engine));
    for (const ExtendedReal x : {0.5L, 2.0L}) ExpectAllPathsAgree(engine, x);
}

// One column of a run faults; every other column keeps its value, the faulting one goes to the
// walk. The columns run in runs of up to the code's width, so the batch spans several runs.
TEST(MachineCodeTest, AFaultInOneColumnLeavesTheOthersTheirValues) {
    Engine engine;
    engine.ValueA = 1;
    engine.IndexFrom = 1;
    engine.IndexTo = 400;
    ASSERT_EQ(BuildExpression(engine, "a/(n-x)"), 0);
    EXPECT_EQ(HasMachineCode(engine), kMachineCodeExpected);
    std::vector<ExtendedReal> xs;
    for (int i = 0; i < 17; ++i) xs.push_back(i == 9 ? 300 : 0.5L + i);
    std::vector<ExtendedReal> values(xs.size());
    std::unique_ptr<bool[]> ok(new bool[xs.size()]);
    EvaluateSamples(engine, xs.data(), static_cast<int32_t>(xs.size()), values.data(), ok.get());
    for (size_t i = 0; i < xs.size(); ++i) {
        const PathOutcome expected = CheckedOutcome(engine, xs[i]);
        EXPECT_EQ(ok[i], i != 9) << i;
        EXPECT_EQ(expected.code, i == 9 ? kErrDivisionByZero : 0) << i;
        if (ok[i]) {
            EXPECT_TRUE(SameBits(values[i], expected.value)) << i;
        }
    }
}

// A plot's batch of a tree without n runs in one loop over groups of the code's width; the
// samples past the last whole group, a batch with an argument that is not finite and a batch
// where one sample faults take the runs of the code and the walk, each sample with its own value.
TEST(MachineCodeTest, OneLoopOverTheBatchAgreesWithTheWalkSampleBySample) {
    constexpr ExtendedReal kInfinity = std::numeric_limits<ExtendedReal>::infinity();
    struct Row {
        const char* text;
        int32_t faultAt;  // the sample that meets a fault, or -1
        ExtendedReal special;
    };
    for (const Row row : {Row{"x*x*x+2*x-1", -1, 4}, Row{"sinx/x", 7, 0}, Row{"ln(x)*a", 7, -1},
                          Row{"x*x*x+2*x-1", 7, kInfinity}, Row{"tgx+x^2", 7, -kInfinity}}) {
        SCOPED_TRACE(std::string(row.text) + " " + std::to_string(row.faultAt));
        Engine engine;
        engine.ValueA = 2;
        ASSERT_EQ(BuildExpression(engine, row.text), 0);
        if (kMachineCodeExpected) {
            ASSERT_TRUE(engine.Program.Machine != nullptr);
            EXPECT_TRUE(engine.Program.Machine->HasBatch());
        }
        for (const int32_t count : {1, 6, 23, 64}) {
            std::vector<ExtendedReal> xs;
            for (int32_t i = 0; i < count; ++i) xs.push_back(0.25L + 0.5L * i);
            if (row.faultAt >= 0 && row.faultAt < count) xs[row.faultAt] = row.special;
            std::vector<ExtendedReal> values(xs.size());
            std::unique_ptr<bool[]> ok(new bool[xs.size()]);
            EvaluateSamples(engine, xs.data(), count, values.data(), ok.get());
            for (size_t i = 0; i < xs.size(); ++i) {
                const PathOutcome expected = CheckedOutcome(engine, xs[i]);
                EXPECT_EQ(ok[i], expected.code == 0) << count << " " << i;
                if (ok[i]) {
                    EXPECT_TRUE(SameBits(values[i], expected.value)) << count << " " << i;
                }
            }
        }
    }
    Engine recurrence;
    ASSERT_EQ(BuildExpression(recurrence, "a+n*x"), 0);
    if (kMachineCodeExpected) EXPECT_FALSE(recurrence.Program.Machine->HasBatch());
}

TEST(MachineCodeTest, CopiesShareTheCodeAndOutliveTheOriginal) {
    auto original = std::make_unique<Engine>();
    original->IndexFrom = 1;
    original->IndexTo = 50;
    ASSERT_EQ(BuildExpression(*original, "a+n*x"), 0);
    Engine copy = *original;
    ExtendedReal expected = 0;
    ASSERT_TRUE(EvaluateSequenceChecked(*original, 0.75L, expected));
    ASSERT_EQ(BuildExpression(*original, "x*0"), 0);
    original.reset();
    EXPECT_EQ(HasMachineCode(copy), kMachineCodeExpected);
    ExtendedReal value = 0;
    ASSERT_TRUE(EvaluateSequence(copy, 0.75L, value));
    EXPECT_TRUE(SameBits(value, expected));
}

TEST(MachineCodeTest, AFailedBuildDropsTheCode) {
    Engine engine;
    ASSERT_EQ(BuildExpression(engine, "x+1"), 0);
    EXPECT_EQ(HasMachineCode(engine), kMachineCodeExpected);
    ASSERT_NE(BuildExpression(engine, "x+"), 0);
    EXPECT_FALSE(HasMachineCode(engine));
    EXPECT_EQ(engine.Program.Machine, nullptr);
}

// The forced refusal takes the path of a system that refuses executable memory: each build
// that would have code gets none, the program still runs on the portable runner with every
// path agreeing, and lifting the refusal brings the code back at the next build.
TEST(MachineCodeTest, ARefusalOfExecutableMemoryLeavesTheTreeToThePortableRunner) {
    const char* const before = std::getenv(kRefuseMachineCodeVariable);
    const std::string saved = before != nullptr ? before : "";
    struct Row {
        const char* value;
        bool refused;
    };
    for (const Row row : {Row{"1", true}, Row{"0", false}, Row{"", false}, Row{"yes", true}}) {
        SCOPED_TRACE(row.value);
        setenv(kRefuseMachineCodeVariable, row.value, 1);
        EXPECT_EQ(MachineCodeRefused(), row.refused);
        Engine engine;
        engine.IndexFrom = 1;
        engine.IndexTo = 20;
        ASSERT_EQ(BuildExpression(engine, "a+sin(n*x)/n"), 0);
        EXPECT_TRUE(HasProgram(engine));
        EXPECT_EQ(HasMachineCode(engine), kMachineCodeBuilt && !row.refused);
        for (const ExtendedReal x : kArguments) ExpectAllPathsAgree(engine, x);
    }
    if (before != nullptr) {
        setenv(kRefuseMachineCodeVariable, saved.c_str(), 1);
    } else {
        unsetenv(kRefuseMachineCodeVariable);
    }
}

}  // namespace
