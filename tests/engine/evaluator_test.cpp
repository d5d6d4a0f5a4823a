// Evaluation: values and error codes of single expressions, trapped faults in every step, the
// sequence driver (n, a, ValueA, empty ranges, refused tables) and the x87 functions against
// the C library. Every row also checks that the compiled program (EvaluateSequence, and
// EvaluateSamples alone and in mixed batches) agrees bit for bit with the checked walk.
#include "engine/evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "engine/token_reader.h"
#include "engine/tree_builder.h"
#include "tests/engine/path_agreement.h"

namespace {

struct Outcome {
    ExtendedReal value;
    int32_t code;
};

Outcome Evaluate(Engine& engine, const std::string& text, ExtendedReal x) {
    EXPECT_EQ(BuildExpression(engine, text), 0) << text;
    ExpectAllPathsAgree(engine, x);
    ExtendedReal value = -12345;
    EXPECT_TRUE(EvaluateSequence(engine, x, value)) << text;
    return {value, engine.EngineError};
}

struct ValueRow {
    std::string text;
    ExtendedReal x;
    ExtendedReal expected;
    ExtendedReal relativeTolerance;  // 0: exact
};

void PrintTo(const ValueRow& row, std::ostream* os) {
    *os << row.text << " at " << row.x;
}

class ValueTest : public testing::TestWithParam<ValueRow> {};

TEST_P(ValueTest, GivesTheValueWithoutError) {
    const ValueRow& row = GetParam();
    Engine engine;
    const Outcome outcome = Evaluate(engine, row.text, row.x);
    EXPECT_EQ(outcome.code, 0);
    if (row.relativeTolerance == 0) {
        EXPECT_EQ(outcome.value, row.expected);
    } else {
        EXPECT_LE(std::fabs(outcome.value - row.expected),
                  row.relativeTolerance * std::fabs(row.expected))
            << static_cast<double>(outcome.value);
    }
}

constexpr ExtendedReal kLastBits = 1e-17L;  // powers go through ln and exp

INSTANTIATE_TEST_SUITE_P(Arithmetic, ValueTest,
                         testing::Values(ValueRow{"x-1-2", 10, 7, 0}, ValueRow{"x/2/4", 16, 2, 0},
                                         ValueRow{"1+2*3-4", 0, 3, 0},
                                         ValueRow{"x*x*x+2*x-1", 3, 32, 0},
                                         ValueRow{"-(-x)", 5, 5, 0}, ValueRow{"x*(-2)", 5, -10, 0},
                                         ValueRow{"(x+1)*(x-1)", 4, 15, 0},
                                         ValueRow{"p", 0, ConstantPi(), 0},
                                         ValueRow{"e", 0, ConstantE(), 0}, ValueRow{"c", 0, 1, 0},
                                         ValueRow{"x-x", 1e4932L, 0, 0}));

INSTANTIATE_TEST_SUITE_P(
    Powers, ValueTest,
    testing::Values(ValueRow{"2^3^2", 0, 64, kLastBits}, ValueRow{"-x^2", 3, -9, kLastBits},
                    ValueRow{"0^0", 0, 0, 0}, ValueRow{"0^2", 0, 0, 0},
                    ValueRow{"(-2)^3", 0, -8, kLastBits}, ValueRow{"(-2)^2", 0, 4, kLastBits},
                    ValueRow{"(-2)^0", 0, 1, 0}, ValueRow{"x^0.5", 2, std::sqrt(2.0L), kLastBits},
                    ValueRow{"x^(1/x)", 3, std::cbrt(3.0L), kLastBits},
                    ValueRow{"x^(0-1)", 4, 0.25L, kLastBits},
                    ValueRow{"(0-x)^(0-3)", 2, -0.125L, kLastBits},
                    ValueRow{"x^lnx", 2, std::pow(2.0L, std::log(2.0L)), kLastBits}));

INSTANTIATE_TEST_SUITE_P(
    Functions, ValueTest,
    testing::Values(
        ValueRow{"sinx", 0.5L, std::sin(0.5L), 1e-18L},
        ValueRow{"sinx^2", 0.7L, std::sin(0.7L) * std::sin(0.7L), kLastBits},
        ValueRow{"cosx", 2, std::cos(2.0L), 1e-18L}, ValueRow{"tgx", 1, std::tan(1.0L), 1e-18L},
        ValueRow{"ctgx", 1, 1 / std::tan(1.0L), 1e-18L}, ValueRow{"sqrt(x)", 0, 0, 0},
        ValueRow{"sqrt(x)", 2, std::sqrt(2.0L), 0}, ValueRow{"lnx", 10, std::log(10.0L), 1e-18L},
        ValueRow{"exp(x)", 1, 2.71828182845904523536L, 1e-18L}, ValueRow{"exp(-12000)", 0, 0, 0},
        ValueRow{"abs(-3)", 0, 3, 0}, ValueRow{"absx", -0.25L, 0.25L, 0},
        ValueRow{"fact(0)", 0, 1, 0}, ValueRow{"fact(5)", 0, 120, 0},
        ValueRow{"fact(20)", 0, 2432902008176640000.0L, 0},
        ValueRow{"fact(1754)", 0, 1.979261890105010055e4930L, 1e-17L},
        // sine and cosine of a magnitude of 2^63 or more are 0
        ValueRow{"sinx", 0x1p63L, 0, 0}, ValueRow{"cosx", -0x1p63L, 0, 0},
        ValueRow{"sinx", 1e300L, 0, 0},
        // the largest argument of the exponential with a finite result
        ValueRow{"exp(x)", 11356.5L, std::exp(11356.5L), 1e-14L},
        // denormal operands are no fault either
        ValueRow{"x*2", 1e-4940L, 2e-4940L, 1e-3L},
        // underflow is no fault
        ValueRow{"x*x", 1e-3000L, 0, 0}, ValueRow{"x*x*x", 1e-2000L, 0, 0},
        ValueRow{"exp(x)", -11355, std::exp(-11355.0L), 1e-14L}));

TEST(EvaluatorTest, TangentAtMinusHalfPiIsHugeButFinite) {
    Engine engine;
    const Outcome outcome = Evaluate(engine, "tg(-p/2)", 0);
    EXPECT_EQ(outcome.code, 0);
    EXPECT_GT(std::fabs(outcome.value), 1e18L);
    EXPECT_TRUE(std::isfinite(outcome.value));
}

TEST(EvaluatorTest, ExpUsesEulersNumberNotTheConstantE) {
    Engine engine;
    const ExtendedReal exp1 = Evaluate(engine, "exp(1)", 0).value;
    EXPECT_GT(std::fabs(exp1 - ConstantE()), 4e-10L);
}

struct ErrorRow {
    std::string text;
    ExtendedReal x;
    int32_t code;
};

void PrintTo(const ErrorRow& row, std::ostream* os) {
    *os << row.text << " at " << row.x;
}

class ErrorTest : public testing::TestWithParam<ErrorRow> {};

TEST_P(ErrorTest, GivesTheCodeAndZero) {
    const ErrorRow& row = GetParam();
    Engine engine;
    const Outcome outcome = Evaluate(engine, row.text, row.x);
    EXPECT_EQ(outcome.code, row.code);
    EXPECT_EQ(outcome.value, 0);
}

INSTANTIATE_TEST_SUITE_P(GuardedErrors, ErrorTest,
                         testing::Values(ErrorRow{"1/0", 0, 3}, ErrorRow{"0/0", 0, 3},
                                         ErrorRow{"1/x", -0.0L, 3}, ErrorRow{"(-8)^(1/3)", 0, 4},
                                         ErrorRow{"(0-x)^0.5", 2, 4}, ErrorRow{"0^(-1)", 0, 5},
                                         ErrorRow{"0^0.5", 0, 5}, ErrorRow{"tg(p/2)", 0, 6},
                                         ErrorRow{"ctg(p)", 0, 7}, ErrorRow{"sqrt(-4)", 0, 8},
                                         ErrorRow{"ln(0)", 0, 9}, ErrorRow{"ln(-1)", 0, 9},
                                         ErrorRow{"fact(2.5)", 0, 10}, ErrorRow{"fact(-3)", 0, 10},
                                         ErrorRow{"fact(x)", -0.5L, 10}));

INSTANTIATE_TEST_SUITE_P(
    TrappedFaults, ErrorTest,
    testing::Values(ErrorRow{"ctg(0)", 0, 11}, ErrorRow{"fact(1755)", 0, 11},
                    ErrorRow{"fact(x)", 1e4000L, 11}, ErrorRow{"exp(12000)", 0, 11},
                    ErrorRow{"x+x", 1e4932L, 11}, ErrorRow{"x-(0-x)", 1e4932L, 11},
                    ErrorRow{"x*x", 1e3000L, 11}, ErrorRow{"x/0.5", 1e4932L, 11},
                    // the exponential of a power overflows
                    ErrorRow{"x^2", 1e3000L, 11},
                    // exponent times ln base overflows inside the power
                    ErrorRow{"x^x", 1e4000L, 11}, ErrorRow{"exp(x)", 11356.53L, 11},
                    // V times log2 e overflows inside the exponential
                    ErrorRow{"exp(x)", 1e4932L, 11},
                    // tangent and cotangent of 2^63 or more are 0/0
                    ErrorRow{"tgx", 0x1p63L, 11}, ErrorRow{"ctgx", -1e30L, 11},
                    // the cotangent of a denormal overflows
                    ErrorRow{"ctgx", 1e-4940L, 11}));

// An overflow whose infinity a later operation would turn into a finite number: a divisor,
// the argument of sine, cosine or the exponential, the exponent of a zero base.
INSTANTIATE_TEST_SUITE_P(
    HiddenFaults, ErrorTest,
    testing::Values(ErrorRow{"1/(x*x)", 1e3000L, 11}, ErrorRow{"sin(x*x)", 1e3000L, 11},
                    ErrorRow{"cos(x*x)", -1e3000L, 11}, ErrorRow{"exp(0-x*x)", 1e3000L, 11},
                    ErrorRow{"0^(x*x)", 1e3000L, 11}, ErrorRow{"abs(x*x)*0", 1e3000L, 11},
                    ErrorRow{"fact(x*x)", 1e3000L, 11}, ErrorRow{"ln(x*x)/x", 1e3000L, 11},
                    // the overflow comes first, the division by zero after it
                    ErrorRow{"sin(x*x)+1/0", 1e3000L, 11}, ErrorRow{"1/0+sin(x*x)", 1e3000L, 3}));

INSTANTIATE_TEST_SUITE_P(FirstErrorWins, ErrorTest,
                         testing::Values(ErrorRow{"x^lnx", 0, 9}, ErrorRow{"ln(0)+1/0", 0, 9},
                                         ErrorRow{"1/0+ln(0)", 0, 3},
                                         ErrorRow{"sqrt(-1)*fact(0.5)", 0, 8},
                                         ErrorRow{"exp(12000)/0", 0, 11},
                                         ErrorRow{"sin(1/0)", 0, 3}));

TEST(EvaluatorTest, ErrorStopsTheWalkWhereItHappens) {
    Engine engine;
    // 1: +; 2: /; 3: 1; 4: 0; 5: ln; 6: 0 - the right operand of "+" is never walked.
    EXPECT_EQ(Evaluate(engine, "1/0+ln(0)", 0).code, 3);
    EXPECT_EQ(engine.NodeCursor, 5);
    EXPECT_EQ(Evaluate(engine, "sinx/x", 2).code, 0);
    EXPECT_EQ(engine.NodeCursor, 5);
}

TEST(RaisePowerTest, SetsTheCodeOfItsRule) {
    Engine engine;
    EXPECT_EQ(RaisePower(engine, -8, 1.0L / 3), 0);
    EXPECT_EQ(engine.EngineError, 4);
    engine.EngineError = 0;
    EXPECT_EQ(RaisePower(engine, 0, -1), 0);
    EXPECT_EQ(engine.EngineError, 5);
    engine.EngineError = 0;
    EXPECT_EQ(RaisePower(engine, 10, 5000), 0);
    EXPECT_EQ(engine.EngineError, 11);
    engine.EngineError = 0;
    EXPECT_NEAR(static_cast<double>(RaisePower(engine, 2, 10)), 1024, 1e-12);
    EXPECT_EQ(engine.EngineError, 0);
}

TEST(EvaluateNodeTest, WalksFromTheCursorAndRefusesUnfilledSlots) {
    Engine engine;
    ASSERT_EQ(BuildExpression(engine, "a*n+x"), 0);
    engine.NodeCursor = 1;
    EXPECT_EQ(EvaluateNode(engine, 3, 0.5L, 2), 6.5L);
    EXPECT_EQ(engine.NodeCursor, 6);
    engine.NodeCursor = 2;  // the subtree a*n
    EXPECT_EQ(EvaluateNode(engine, 3, 0.5L, 2), 6);
    EXPECT_EQ(engine.NodeCursor, 5);

    // An error already set: nothing is walked.
    engine.NodeCursor = 1;
    engine.EngineError = 4;
    EXPECT_EQ(EvaluateNode(engine, 3, 0.5L, 2), 0);
    EXPECT_EQ(engine.NodeCursor, 1);
    EXPECT_EQ(engine.EngineError, 4);

    Engine fresh;
    fresh.NodeCursor = 1;
    EXPECT_EQ(EvaluateNode(fresh, 1, 1, 1), 0);
    EXPECT_EQ(fresh.EngineError, 1);
}

// The sequence driver.
struct SequenceRow {
    std::string text;
    ExtendedReal a0;
    int32_t from;
    int32_t to;
    ExtendedReal expected;
    int32_t code;
};

void PrintTo(const SequenceRow& row, std::ostream* os) {
    *os << row.text << " n=" << row.from << ".." << row.to;
}

class SequenceTest : public testing::TestWithParam<SequenceRow> {};

TEST_P(SequenceTest, CarriesAFromStepToStepAndRestoresIt) {
    const SequenceRow& row = GetParam();
    Engine engine;
    engine.ValueA = row.a0;
    engine.IndexFrom = row.from;
    engine.IndexTo = row.to;
    const Outcome outcome = Evaluate(engine, row.text, 2);
    EXPECT_EQ(outcome.value, row.expected);
    EXPECT_EQ(outcome.code, row.code);
    EXPECT_EQ(engine.ValueA, row.a0);
}

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Sequences, SequenceTest,
    testing::Values(SequenceRow{"a*n", 1, 1, 5, 120, 0}, SequenceRow{"a+n", 0, 1, 100, 5050, 0},
                    // without n a single step with n = 1
                    SequenceRow{"a+1", 1, 7, 9, 2, 0}, SequenceRow{"a*x", 3, 1, 100, 6, 0},
                    SequenceRow{"a+n*x", 0, 1, 10, 110, 0}, SequenceRow{"n", 0, -3, -3, -3, 0},
                    // the index range reaches the ends of the 32-bit integers
                    SequenceRow{"n", 0, kMax - 2, kMax, kMax, 0},
                    SequenceRow{"a+n", 0, kMin, kMin + 1, -4294967295.0L, 0},
                    // an error at some step: result 0 with that step's code
                    SequenceRow{"a/(n-3)", 1, 1, 5, 0, 3}, SequenceRow{"a*n*x", 1, 1, 2000, 0, 11},
                    SequenceRow{"sqrt(a-n)", 10, 1, 5, 0, 8},
                    // the overflow of the first step is not carried; the last step is finite
                    SequenceRow{"(2-n)*(10^4000)*(10^4000)", 0, 1, 2, 0, 11}));

TEST(SequenceTest, ErrorAtALaterStepLeavesTheCursorAtSlotOne) {
    Engine engine;
    engine.IndexFrom = 1;
    engine.IndexTo = 5;
    EXPECT_EQ(Evaluate(engine, "a/(n-3)", 0).code, 3);
    EXPECT_EQ(engine.NodeCursor, 1);
    // 1: /; 2: a; 3: -; 4: n; 5: 5 - the error at the last step leaves it past the walk.
    EXPECT_EQ(Evaluate(engine, "a/(n-5)", 0).code, 3);
    EXPECT_EQ(engine.NodeCursor, 6);
}

TEST(SequenceTest, EmptyRangeProducesNoValue) {
    Engine engine;
    engine.IndexFrom = 5;
    engine.IndexTo = 4;
    ASSERT_EQ(BuildExpression(engine, "a+n"), 0);
    ExtendedReal result = 42;
    EXPECT_FALSE(EvaluateSequence(engine, 0, result));
    EXPECT_EQ(result, 42);
    EXPECT_EQ(engine.EngineError, 0);
}

TEST(SequenceTest, FailedBuildIsNotEvaluated) {
    Engine engine;
    ASSERT_EQ(BuildExpression(engine, "x+1"), 0);
    ASSERT_EQ(BuildExpression(engine, "(x+1)(2)"), 2);
    ExtendedReal result = 42;
    EXPECT_FALSE(EvaluateSequence(engine, 0, result));
    EXPECT_EQ(result, 42);
    EXPECT_EQ(engine.EngineError, 2);

    Engine fresh;  // no build at all
    EXPECT_FALSE(EvaluateSequence(fresh, 0, result));
    EXPECT_EQ(fresh.EngineError, 1);
    EXPECT_EQ(result, 42);
}

TEST(SequenceTest, EveryCallStartsClean) {
    Engine engine;
    EXPECT_EQ(Evaluate(engine, "1/x", 0).code, 3);
    ExtendedReal result = 0;
    EXPECT_TRUE(EvaluateSequence(engine, 4, result));
    EXPECT_EQ(engine.EngineError, 0);
    EXPECT_EQ(result, 0.25L);
}

// The x87 instructions against the C library, over the arguments a graph meets.
TEST(X87AgreementTest, SineAndCosineWithin1e14UpTo1e6) {
    Engine sine;
    Engine cosine;
    ASSERT_EQ(BuildExpression(sine, "sinx"), 0);
    ASSERT_EQ(BuildExpression(cosine, "cosx"), 0);
    ExtendedReal worst = 0;
    for (int i = -200000; i <= 200000; ++i) {
        // denser near 0, out to 1e6
        const ExtendedReal x = std::copysign(std::pow(std::fabs(i) / 200000.0L, 3) * 1e6L, i) +
                               static_cast<ExtendedReal>(i) * 1e-3L;
        ExtendedReal s = 0;
        ExtendedReal c = 0;
        EvaluateSequence(sine, x, s);
        EvaluateSequence(cosine, x, c);
        worst = std::max({worst, std::fabs(s - std::sin(x)), std::fabs(c - std::cos(x))});
    }
    EXPECT_LT(worst, 1e-14L);
}

TEST(X87AgreementTest, LogarithmAndExponential) {
    Engine ln;
    Engine exp;
    ASSERT_EQ(BuildExpression(ln, "lnx"), 0);
    ASSERT_EQ(BuildExpression(exp, "exp(x)"), 0);
    for (int i = -4900; i <= 4900; i += 7) {
        const ExtendedReal x = std::pow(10.0L, i) * 1.2345L;
        ExtendedReal value = 0;
        EvaluateSequence(ln, x, value);
        EXPECT_LE(std::fabs(value - std::log(x)), 1e-18L * std::fabs(std::log(x)) + 1e-19L) << i;
    }
    for (int i = -110000; i <= 110000; i += 13) {
        const ExtendedReal x = i / 10.0L;
        ExtendedReal value = 0;
        EvaluateSequence(exp, x, value);
        // the product x * log2 e is rounded to 64 bits, as the definition makes it
        EXPECT_LE(std::fabs(value - std::exp(x)), 1e-18L * (1 + std::fabs(x)) * std::exp(x)) << x;
    }
}

}  // namespace
