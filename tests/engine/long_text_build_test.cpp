// The builder reads a text into tokens once and asks the tokens about every operand; the first
// builder copied and read every operand again. Both give the same code, stop, table and flags
// for every text: long ones of many shapes, which fill the table or go past it, and random ones.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "engine/tree_builder.h"
#include "tests/engine/rescanning_builder.h"

namespace {

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    text.reserve(piece.size() * static_cast<size_t>(times));
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

std::string Nested(const std::string& open, const std::string& inner, const std::string& close,
                   int depth) {
    return Repeat(open, depth) + inner + Repeat(close, depth);
}

// Everything a build leaves behind, from either builder.
void ExpectSameBuild(const std::string& text) {
    Engine engine;
    Engine reference;
    BuildStop stop;
    BuildStop referenceStop;
    const int32_t code = BuildExpression(engine, text, stop);
    ASSERT_EQ(code, BuildByRescanning(reference, text, referenceStop)) << text.substr(0, 60);
    ASSERT_EQ(stop.Start, referenceStop.Start) << text.substr(0, 60);
    ASSERT_EQ(stop.Length, referenceStop.Length) << text.substr(0, 60);
    ASSERT_EQ(engine.NodeCursor, reference.NodeCursor) << text.substr(0, 60);
    ASSERT_EQ(engine.UsesX, reference.UsesX) << text.substr(0, 60);
    ASSERT_EQ(engine.UsesN, reference.UsesN) << text.substr(0, 60);
    ASSERT_EQ(engine.LastBuildError, reference.LastBuildError);
    ASSERT_EQ(engine.NodeCount, reference.NodeCount);
    for (int32_t slot = 1; slot <= kNodeSlots; ++slot) {
        const TBinary& node = engine.NodeTable[static_cast<size_t>(slot)];
        const TBinary& expected = reference.NodeTable[static_cast<size_t>(slot)];
        ASSERT_EQ(node.Kind, expected.Kind) << slot << " " << text.substr(0, 60);
        ASSERT_EQ(node.Code, expected.Code) << slot << " " << text.substr(0, 60);
        ASSERT_EQ(std::memcmp(&node.Value, &expected.Value, 10), 0) << slot;
    }
    // The build without the stop is the same build.
    Engine plain;
    ASSERT_EQ(BuildExpression(plain, text), code);
    ASSERT_EQ(plain.NodeCursor, engine.NodeCursor);
}

struct LongText {
    const char* name;
    std::function<std::string()> text;
};

class LongTextTest : public testing::TestWithParam<LongText> {};

TEST_P(LongTextTest, BuildsAsTheRescanningBuilder) {
    ExpectSameBuild(GetParam().text());
}

// Texts that make many levels are some kB long, well past the table (the rescanning builder
// needs seconds for 100 kB of them); texts that are cut once or read as one token reach 100 kB,
// and the brackets go past the depth at which the strip stops counting.
INSTANTIATE_TEST_SUITE_P(
    Shapes, LongTextTest,
    testing::Values(
        // Sums and products, past the table and just within it.
        LongText{"longSum", [] { return "x" + Repeat("+x", 5000); }},
        LongText{"sumThatFits", [] { return "x" + Repeat("+x", 127); }},
        LongText{"sumOneTooLong", [] { return "x" + Repeat("+x", 128); }},
        LongText{"mixedOperators", [] { return "1" + Repeat("-2*x^3/n+a", 1000); }},
        LongText{"sumInBrackets", [] { return "(" + Repeat("x+", 5000) + "x)"; }},
        LongText{"bracketedTerms", [] { return "(x)" + Repeat("+(x-1)", 1600); }},
        LongText{"unaryMinusTerms", [] { return "-x" + Repeat("*(-x)", 2000); }},
        LongText{"powerTower", [] { return "x" + Repeat("^x", 5000); }},
        // Deep brackets, around the depth at which the strip stops counting.
        LongText{"deepBrackets", [] { return Nested("(", "x", ")", 50000); }},
        LongText{"deepBracketsThatStrip", [] { return Nested("(", "x+1", ")", 30000); }},
        LongText{"bracketsAlone", [] { return Nested("(", "", ")", 50000); }},
        LongText{"fewBracketsAlone", [] { return Nested("(", "", ")", 30000); }},
        LongText{"bracketsAloneAsOperand", [] { return "x+" + Nested("(", "", ")", 40000); }},
        LongText{"deepOperand", [] { return "x*" + Nested("(", "n", ")", 40000) + "+1"; }},
        LongText{"nestedFunctions", [] { return Nested("sin(", "x", ")", 2000); }},
        LongText{"nestedUnaryMinus", [] { return Nested("(-", "x", ")", 3000); }},
        LongText{"bracketPairs", [] { return Repeat("()", 50000); }},
        LongText{"closedTooOftenLate", [] { return Repeat("x+", 50000) + "x)"; }},
        LongText{"leftOpenEarly", [] { return "(" + Repeat("x+", 50000) + "x"; }},
        // Code 2 of an operand that a later operand's code 1 replaces, and one that stays.
        LongText{"bracketCodeReplaced", [] { return Repeat("(x)(2+)*", 1000) + "x"; }},
        LongText{"bracketCodeKept", [] { return Repeat("x)*(", 1000) + "x"; }},
        LongText{"closedThenOpened", [] { return "()(x+" + Repeat("x+", 40000) + "x)"; }},
        // Long single tokens and tokens that make no sense together.
        LongText{"longNumber", [] { return Repeat("1234567890", 10000); }},
        LongText{"longFittingNumber", [] { return "0." + Repeat("1234567890", 10000); }},
        LongText{"longIdentifier", [] { return Repeat("x", 100000); }},
        LongText{"longWord", [] { return Repeat("abcdefgh", 12500); }},
        LongText{"functionsWithoutOperators", [] { return Repeat("sin", 3300) + "x"; }},
        // Junk at the end of a long valid start, and an end that wants an operand.
        LongText{"junkAtTheEnd", [] { return "x" + Repeat("+x", 5000) + "#"; }},
        LongText{"operatorAtTheEnd", [] { return "x" + Repeat("+x", 5000) + "+"; }},
        LongText{"junkInLastOperand", [] { return Repeat("x+", 5000) + "(2y)"; }},
        LongText{"junkAtTheStart", [] { return "#" + Repeat("+x", 5000); }},
        LongText{"functionLate", [] { return "x" + Repeat("*x", 5000) + "sinx"; }}),
    [](const testing::TestParamInfo<LongText>& info) { return std::string(info.param.name); });

// Stops of 100 kB texts that a reader of the text can tell.
struct KnownStop {
    const char* name;
    std::function<std::string()> text;
    int32_t code;
    int32_t start;
    int32_t length;
};

class KnownStopTest : public testing::TestWithParam<KnownStop> {};

TEST_P(KnownStopTest, StopsWhereTheTextSays) {
    const KnownStop& row = GetParam();
    const std::string text = row.text();
    Engine engine;
    BuildStop stop;
    EXPECT_EQ(BuildExpression(engine, text, stop), row.code);
    EXPECT_EQ(stop.Start, row.start);
    EXPECT_EQ(stop.Length, row.length);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, KnownStopTest,
    testing::Values(
        // 100,000 digits are beyond the extended range: the number is malformed.
        KnownStop{"longNumber", [] { return Repeat("9", 100000); }, 1, 1, 100000},
        // "xx...": the second x follows the first with no operator.
        KnownStop{"longIdentifier", [] { return Repeat("x", 100000); }, 1, 2, 1},
        // The last operand is empty, and it is the last thing the build looks at.
        KnownStop{"operatorAtTheEnd", [] { return "x" + Repeat("+x", 50000) + "+"; }, 1, 100002, 1},
        // The strip takes at most 32765 brackets from each end; the rest is brackets alone.
        KnownStop{"bracketsAlone", [] { return Nested("(", "", ")", 40000); }, 1, 32767, 1},
        KnownStop{"fewBracketsAlone", [] { return Nested("(", "", ")", 30000); }, 1, 1, 60000},
        KnownStop{"closedTooOften", [] { return Repeat("x+", 50000) + "x)"; }, 2, 100002, 1},
        KnownStop{"leftOpen", [] { return "x+(" + Repeat("x+", 50000) + "x"; }, 2, 3, 1}),
    [](const testing::TestParamInfo<KnownStop>& info) { return std::string(info.param.name); });

// Random texts over the expression alphabet, short ones and ones long enough to fill the table.
TEST(LongTextAgreement, RandomTextsBuildAsTheRescanningBuilder) {
    const std::string alphabet = "x2.+-*/^()(()-sinctgqrlexpabfn #";
    std::mt19937 random(20261209);
    for (int round = 0; round < 20000; ++round) {
        std::string text(1 + random() % 24, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        ExpectSameBuild(text);
        if (HasFatalFailure()) return;
    }
}

TEST(LongTextAgreement, RandomExpressionsBuildAsTheRescanningBuilder) {
    // Pieces that mostly make sense, so that builds go deep before they fail, if they do.
    const std::vector<std::string> pieces = {"x",   "1.5",   "n",    "a", "+", "-",
                                             "*",   "/",     "^",    "(", ")", "(-",
                                             "sin", "sqrt(", "fact", "c", "e"};
    std::mt19937 random(4096);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const size_t count = 1 + random() % 400;
        for (size_t i = 0; i < count; ++i) {
            // Operands and operators in turn more often than not.
            text +=
                pieces[i % 2 == 0 && random() % 4 != 0 ? random() % 4 : random() % pieces.size()];
        }
        ExpectSameBuild(text);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
