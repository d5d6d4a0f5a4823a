// Where a failed build stops: the token of the text at which reading or building gave up, and
// a build that tells it is otherwise the same build.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/tree_builder.h"

namespace {

struct StopCase {
    const char* name;
    const char* text;
    int32_t code;
    const char* token;  // the text of the stop; empty after a complete build
    int32_t start;      // 1-based; 0 after a complete build
};

class BuildStopTest : public testing::TestWithParam<StopCase> {};

TEST_P(BuildStopTest, NamesTheTokenWhereTheBuildStopped) {
    const StopCase& c = GetParam();
    Engine engine;
    BuildStop stop;
    EXPECT_EQ(BuildExpression(engine, c.text, stop), c.code);
    EXPECT_EQ(stop.Start, c.start);
    const std::string text = c.text;
    const std::string token = stop.Length > 0 ? text.substr(static_cast<size_t>(stop.Start - 1),
                                                            static_cast<size_t>(stop.Length))
                                              : std::string();
    EXPECT_EQ(token, c.token);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, BuildStopTest,
    testing::Values(StopCase{"complete", "sinx+2*x", kNoError, "", 0},
                    StopCase{"empty", "", kErrIncorrect, "", 0},
                    StopCase{"unknownCharacter", "x+2#3", kErrIncorrect, "#", 4},
                    StopCase{"unknownAfterFunction", "sin(x)+y", kErrIncorrect, "y", 8},
                    StopCase{"implicitProduct", "2x", kErrIncorrect, "x", 2},
                    StopCase{"implicitProductInBrackets", "1+(23x)", kErrIncorrect, "x", 6},
                    StopCase{"emptyRightOperand", "x+", kErrIncorrect, "+", 2},
                    StopCase{"emptyLeftOperand", "*x", kErrIncorrect, "*", 1},
                    StopCase{"functionAfterNumber", "2sinx", kErrIncorrect, "sin", 2},
                    StopCase{"functionWithoutArgument", "x*sin", kErrIncorrect, "sin", 3},
                    StopCase{"closedTooOften", "x)+(1", kErrBrackets, ")", 2},
                    StopCase{"leftOpen", "x*(1+(2", kErrBrackets, "(", 3},
                    StopCase{"bracketsAlone", "1+()", kErrIncorrect, "()", 3},
                    // The inserted zero of a unary minus stands where its minus does.
                    StopCase{"afterUnaryMinus", "-x+2#", kErrIncorrect, "#", 5},
                    StopCase{"unaryMinusInBrackets", "(-x)*(-2y)", kErrIncorrect, "y", 9}),
    [](const testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

// Random texts over the expression alphabet: the build that tells where it stopped fills the
// same table with the same code, and its stop lies within the text.
TEST(BuildStopAgreement, SameBuildAsWithoutTheStop) {
    const std::string alphabet = "x2.+-*/^()sinctgqrlexpabfn #";
    std::mt19937 random(20261208);
    for (int round = 0; round < 20000; ++round) {
        std::string text(1 + random() % 14, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        Engine plain;
        Engine told;
        BuildStop stop;
        const int32_t code = BuildExpression(plain, text);
        ASSERT_EQ(BuildExpression(told, text, stop), code) << text;
        ASSERT_EQ(told.NodeCursor, plain.NodeCursor) << text;
        for (int32_t slot = 1; slot < plain.NodeCursor && slot <= kNodeSlots; ++slot) {
            ASSERT_EQ(told.NodeTable[slot].Kind, plain.NodeTable[slot].Kind) << text;
            ASSERT_EQ(told.NodeTable[slot].Code, plain.NodeTable[slot].Code) << text;
        }
        if (code == kNoError) {
            ASSERT_EQ(stop.Length, 0) << text;
        } else {
            ASSERT_GE(stop.Start, 1) << text;
            ASSERT_GE(stop.Length, 1) << text;
            ASSERT_LE(stop.Start + stop.Length - 1, static_cast<int32_t>(text.size())) << text;
        }
    }
}

}  // namespace
