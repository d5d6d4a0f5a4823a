// The compiled program: tied to the build that made it, carried by a copy of the engine, the
// batch entry point's contract, and agreement with the checked walk over expressions that
// exercise every instruction form (leaf operands on either side, stacked operands, each
// function, recurrences that fault at some step).
#include "engine/compiled_program.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/evaluator.h"
#include "engine/extended_math.h"
#include "engine/tree_builder.h"
#include "tests/engine/path_agreement.h"

namespace {

struct AgreementRow {
    std::string text;
    ExtendedReal a0;
    int32_t from;
    int32_t to;
};

void PrintTo(const AgreementRow& row, std::ostream* os) {
    *os << row.text << " a0=" << row.a0 << " n=" << row.from << ".." << row.to;
}

class AgreementTest : public testing::TestWithParam<AgreementRow> {};

// Arguments at which the rows meet their guards and faults, and ordinary ones.
const std::array<ExtendedReal, 16> kArguments = {
    0,
    -0.0L,
    1,
    -1,
    2,
    0.5L,
    -2.5L,
    3,
    extended_math::kHalfPi,
    extended_math::kPi,
    1e3000L,
    -1e3000L,
    1e-4940L,
    0x1p63L,
    11356.53L,
    1755,
};

TEST_P(AgreementTest, EveryPathGivesTheCheckedWalksBits) {
    const AgreementRow& row = GetParam();
    Engine engine;
    engine.ValueA = row.a0;
    engine.IndexFrom = row.from;
    engine.IndexTo = row.to;
    ASSERT_EQ(BuildExpression(engine, row.text), 0) << row.text;
    ASSERT_TRUE(HasProgram(engine)) << row.text;
    for (const ExtendedReal x : kArguments) ExpectAllPathsAgree(engine, x);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, AgreementTest,
    testing::Values(AgreementRow{"sinx", 1, 1, 1}, AgreementRow{"sincostgx", 1, 1, 1},
                    AgreementRow{"sinx/x", 1, 1, 1}, AgreementRow{"sin(10/x)", 1, 1, 1},
                    AgreementRow{"x^lnx", 1, 1, 1}, AgreementRow{"sinx*lnx", 1, 1, 1},
                    AgreementRow{"x^x", 1, 1, 1}, AgreementRow{"x^(1/x)", 1, 1, 1},
                    AgreementRow{"sinx+x", 1, 1, 1}, AgreementRow{"sinx^cosx", 1, 1, 1}));

// Each operator with a leaf on the right, a leaf on the left only, and two computed operands.
INSTANTIATE_TEST_SUITE_P(
    OperandForms, AgreementTest,
    testing::Values(AgreementRow{"x*x*x+2*x-1", 1, 1, 1}, AgreementRow{"2-x*x", 1, 1, 1},
                    AgreementRow{"2/(x*x)", 1, 1, 1}, AgreementRow{"2^(x*3)", 1, 1, 1},
                    AgreementRow{"c-(x+1)", 1, 1, 1}, AgreementRow{"x/(x-1)", 1, 1, 1},
                    AgreementRow{"(x+1)/(x-1)", 1, 1, 1}, AgreementRow{"(x-1)^(x+1)", 1, 1, 1},
                    AgreementRow{"(x*2)-(x*3)", 1, 1, 1}, AgreementRow{"(x+1)*(x-2)", 1, 1, 1},
                    AgreementRow{"x/0", 1, 1, 1}, AgreementRow{"a/x", 0, 1, 1},
                    AgreementRow{"a/(x*x)", 2, 1, 1}, AgreementRow{"-x^2", 1, 1, 1},
                    AgreementRow{"(0-x)^(0-3)", 1, 1, 1}, AgreementRow{"0^(x*x)", 1, 1, 1},
                    AgreementRow{"(x*x)/(x*x)*x", 1, 1, 1}, AgreementRow{"x-x", 1, 1, 1}));

INSTANTIATE_TEST_SUITE_P(
    Functions, AgreementTest,
    testing::Values(AgreementRow{"cos(x*x)", 1, 1, 1}, AgreementRow{"tgx", 1, 1, 1},
                    AgreementRow{"ctgx", 1, 1, 1}, AgreementRow{"tg(x*x)", 1, 1, 1},
                    AgreementRow{"sqrt(x)", 1, 1, 1}, AgreementRow{"sqrt(x-1)", 1, 1, 1},
                    AgreementRow{"ln(x*x)", 1, 1, 1}, AgreementRow{"exp(x)", 1, 1, 1},
                    AgreementRow{"exp(0-x*x)", 1, 1, 1}, AgreementRow{"abs(x*x)*0", 1, 1, 1},
                    AgreementRow{"fact(x)", 1, 1, 1}, AgreementRow{"fact(x*x)", 1, 1, 1},
                    AgreementRow{"sin(x*x)+1/0", 1, 1, 1}, AgreementRow{"1/0+sin(x*x)", 1, 1, 1},
                    AgreementRow{"ln(0)+1/0", 1, 1, 1}, AgreementRow{"exp(12000)/0", 1, 1, 1}));

// Recurrences: a carried between steps, faults at one step, ranges at the ends of the indices.
INSTANTIATE_TEST_SUITE_P(
    Recurrences, AgreementTest,
    testing::Values(AgreementRow{"a+n*x", 0, 1, 50}, AgreementRow{"a*n", 1, 1, 30},
                    AgreementRow{"a/(n-3)", 1, 1, 5}, AgreementRow{"a/(n-5)", 1, 1, 5},
                    AgreementRow{"sqrt(a-n)+x", 10, 1, 5}, AgreementRow{"a*x+n", 1, 1, 40},
                    AgreementRow{"1/a+x", 0, 1, 3}, AgreementRow{"a*a*x", 1, 1, 20},
                    AgreementRow{"(2-n)*(10^4000)*(10^4000)", 0, 1, 2},
                    AgreementRow{"n-a", 0, 2147483645, 2147483647},
                    AgreementRow{"a+sin(n*x)/n", 0, 1, 40}, AgreementRow{"a+n", 0, 5, 4}));

TEST(CompiledProgramTest, DeepStackOfWaitingOperands) {
    // sinx*(sinx*(...)): every product waits for a computed right operand.
    std::string text = "x";
    while (text.size() < 240) text = "sinx*(" + text + ")";
    Engine engine;
    ASSERT_EQ(BuildExpression(engine, text), 0);
    EXPECT_TRUE(HasProgram(engine));
    for (const ExtendedReal x : {0.5L, 2.0L, 1e3000L}) ExpectAllPathsAgree(engine, x);
}

TEST(CompiledProgramTest, OnlyTheBuildThatMadeItUsesIt) {
    Engine engine;
    ASSERT_EQ(BuildExpression(engine, "x+1"), 0);
    EXPECT_TRUE(HasProgram(engine));
    ASSERT_EQ(BuildExpression(engine, "(x+1)(2)"), 2);
    EXPECT_FALSE(HasProgram(engine));

    // A table filled by hand has no program: the checked walk evaluates it.
    ResetForBuild(engine);
    engine.NodeTable[1] = TBinary{NodeKind::Operator, 3, 0};
    engine.NodeTable[2] = TBinary{NodeKind::ArgumentX, 0, 0};
    engine.NodeTable[3] = TBinary{NodeKind::Constant, 0, 4};
    engine.LastBuildError = kNoError;
    engine.NodeCount = 3;
    EXPECT_FALSE(HasProgram(engine));
    ExtendedReal value = 0;
    EXPECT_TRUE(EvaluateSequence(engine, 2.5L, value));
    EXPECT_EQ(value, 10);
    const std::array<ExtendedReal, 3> xs = {1, 2, 3};
    std::array<ExtendedReal, 3> values{};
    bool ok[3] = {};
    EvaluateSamples(engine, xs.data(), 3, values.data(), ok);
    EXPECT_TRUE(ok[0] && ok[1] && ok[2]);
    EXPECT_EQ(values, (std::array<ExtendedReal, 3>{4, 8, 12}));
    EXPECT_EQ(engine.NodeCursor, 4);
}

TEST(CompiledProgramTest, CopyOfTheEngineCarriesAWorkingProgram) {
    auto original = std::make_unique<Engine>();
    ASSERT_EQ(BuildExpression(*original, "(x+1)/(x-1)*sinx"), 0);
    Engine copy = *original;
    ExtendedReal expected = 0;
    ASSERT_TRUE(EvaluateSequenceChecked(*original, 3, expected));
    // The original is rebuilt and then gone; the copy does not depend on it.
    ASSERT_EQ(BuildExpression(*original, "x*0"), 0);
    original.reset();
    ASSERT_TRUE(HasProgram(copy));
    ExtendedReal value = 0;
    ASSERT_TRUE(EvaluateSequence(copy, 3, value));
    EXPECT_TRUE(SameBits(value, expected));
}

TEST(EvaluateSamplesTest, LeavesNoErrorAndRestoresA) {
    Engine engine;
    engine.ValueA = 3;
    engine.IndexFrom = 1;
    engine.IndexTo = 4;
    ASSERT_EQ(BuildExpression(engine, "a/(n-x)"), 0);
    // x = 2 divides by zero at n = 2; x = 0.5 and 7 do not.
    const std::array<ExtendedReal, 4> xs = {0.5L, 2, 7, 2};
    std::array<ExtendedReal, 4> values{};
    bool ok[4] = {};
    engine.EngineError = 9;
    EvaluateSamples(engine, xs.data(), 4, values.data(), ok);
    EXPECT_EQ(engine.EngineError, 0);
    EXPECT_EQ(engine.ValueA, 3);
    EXPECT_TRUE(ok[0]);
    EXPECT_FALSE(ok[1]);
    EXPECT_TRUE(ok[2]);
    EXPECT_FALSE(ok[3]);
    // The last sample failed at a step before the last: the cursor stays at slot 1.
    EXPECT_EQ(engine.NodeCursor, 1);
    ExtendedReal single = 0;
    ASSERT_TRUE(EvaluateSequence(engine, 7, single));
    EXPECT_TRUE(SameBits(values[2], single));
}

TEST(EvaluateSamplesTest, NothingToProduce) {
    Engine engine;
    engine.IndexFrom = 5;
    engine.IndexTo = 4;
    ASSERT_EQ(BuildExpression(engine, "a+n"), 0);
    const std::array<ExtendedReal, 2> xs = {1, 2};
    std::array<ExtendedReal, 2> values = {42, 42};
    bool ok[2] = {true, true};
    engine.NodeCursor = 77;
    EvaluateSamples(engine, xs.data(), 2, values.data(), ok);  // empty index range
    EXPECT_FALSE(ok[0] || ok[1]);
    EXPECT_EQ(engine.EngineError, 0);
    EXPECT_EQ(engine.NodeCursor, 77);

    EvaluateSamples(engine, xs.data(), 0, values.data(), ok);  // no samples
    EXPECT_EQ(engine.EngineError, 0);
    EXPECT_EQ(engine.NodeCursor, 77);

    ASSERT_EQ(BuildExpression(engine, "x+"), 1);  // a failed build
    ok[0] = ok[1] = true;
    EvaluateSamples(engine, xs.data(), 2, values.data(), ok);
    EXPECT_FALSE(ok[0] || ok[1]);
    EXPECT_EQ(engine.EngineError, 0);
}

}  // namespace
