// Builds: normalisation, the node table of each worked example (kinds, codes, values, cursor),
// the texts that are rejected and with which code, and the table bound.
#include "engine/tree_builder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/token_reader.h"

namespace {

// The table as "1: sin; 2: x", operators by sign, functions by name, constants by value.
std::string TableText(const Engine& engine, int32_t last) {
    static const char* const kSigns[] = {"?", "+", "-", "*", "/", "^"};
    std::string text;
    for (int32_t slot = 1; slot <= last; ++slot) {
        const TBinary& node = engine.NodeTable[slot];
        std::string item;
        switch (node.Kind) {
            case NodeKind::Constant: {
                char buffer[64];
                std::snprintf(buffer, sizeof buffer, "%.21Lg", node.Value);
                item = buffer;
                break;
            }
            case NodeKind::Operator:
                item = node.Code >= 1 && node.Code <= 5 ? kSigns[node.Code] : "?";
                break;
            case NodeKind::Function:
                item = node.Code >= 1 && node.Code <= 9
                           ? std::string(FunctionNames[static_cast<size_t>(node.Code - 1)])
                           : "?";
                break;
            case NodeKind::ArgumentX:
                item = "x";
                break;
            case NodeKind::ValueA:
                item = "a";
                break;
            case NodeKind::IndexN:
                item = "n";
                break;
            default:
                item = "empty";
                break;
        }
        // Fields that the node's kind does not use must be 0.
        if (node.Kind != NodeKind::Constant && node.Value != 0) item += "(value!)";
        if (node.Kind != NodeKind::Operator && node.Kind != NodeKind::Function && node.Code != 0)
            item += "(code!)";
        text += (slot > 1 ? "; " : "") + std::to_string(slot) + ": " + item;
    }
    return text;
}

struct BuildRow {
    std::string text;
    std::string normalised;
    std::string table;
    bool usesX;
    bool usesN;
};

void PrintTo(const BuildRow& row, std::ostream* os) {
    *os << row.text;
}

class WorkedExampleTest : public testing::TestWithParam<BuildRow> {};

TEST_P(WorkedExampleTest, NormalisesAndFillsTheTableInPreOrder) {
    const BuildRow& row = GetParam();
    Engine engine;
    std::string text = row.text;
    NormaliseExpression(engine, text);
    EXPECT_EQ(engine.EngineError, 0);
    EXPECT_EQ(text, row.normalised);

    ASSERT_EQ(BuildExpression(engine, row.text), 0);
    const int32_t nodes = engine.NodeCursor - 1;
    EXPECT_EQ(TableText(engine, nodes), row.table);
    EXPECT_EQ(engine.NodeCount, nodes);
    EXPECT_EQ(engine.LastBuildError, 0);
    EXPECT_EQ(engine.UsesX, row.usesX);
    EXPECT_EQ(engine.UsesN, row.usesN);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WorkedExampleTest,
    testing::Values(BuildRow{"sinx", "sinx", "1: sin; 2: x", true, false},
                    BuildRow{"sinx/x", "sinx/x", "1: /; 2: sin; 3: x; 4: x", true, false},
                    BuildRow{"sincostgx", "sincostgx", "1: sin; 2: cos; 3: tg; 4: x", true, false},
                    BuildRow{"sin(10/x)", "sin(10/x)", "1: sin; 2: /; 3: 10; 4: x", true, false},
                    BuildRow{"x^lnx", "x^lnx", "1: ^; 2: x; 3: ln; 4: x", true, false},
                    BuildRow{"sinx^cosx", "sinx^cosx", "1: ^; 2: sin; 3: x; 4: cos; 5: x", true,
                             false},
                    BuildRow{"x^(1/x)", "x^(1/x)", "1: ^; 2: x; 3: /; 4: 1; 5: x", true, false},
                    BuildRow{"x-1-2", "x-1-2", "1: -; 2: -; 3: x; 4: 1; 5: 2", true, false},
                    BuildRow{"x/2/4", "x/2/4", "1: /; 2: /; 3: x; 4: 2; 5: 4", true, false},
                    BuildRow{"2^3^2", "2^3^2", "1: ^; 2: ^; 3: 2; 4: 3; 5: 2", false, false},
                    BuildRow{"-x^2", "0-x^2", "1: -; 2: 0; 3: ^; 4: x; 5: 2", true, false},
                    BuildRow{"sinx^2", "sinx^2", "1: ^; 2: sin; 3: x; 4: 2", true, false},
                    BuildRow{"((x))", "x", "1: x", true, false},
                    BuildRow{"x*(-2)", "x*(0-2)", "1: *; 2: x; 3: -; 4: 0; 5: 2", true, false},
                    BuildRow{"-(-x)", "0-(0-x)", "1: -; 2: 0; 3: -; 4: 0; 5: x", true, false}));

// The remaining example expressions of the program, single leaves and the flags.
INSTANTIATE_TEST_SUITE_P(
    MoreTrees, WorkedExampleTest,
    testing::Values(
        BuildRow{"sinx*lnx", "sinx*lnx", "1: *; 2: sin; 3: x; 4: ln; 5: x", true, false},
        BuildRow{"x^x", "x^x", "1: ^; 2: x; 3: x", true, false},
        BuildRow{"sinx+x", "sinx+x", "1: +; 2: sin; 3: x; 4: x", true, false},
        BuildRow{"a*n+c", "a*n+c", "1: +; 2: *; 3: a; 4: n; 5: 1", false, true},
        BuildRow{"x", "x", "1: x", true, false}, BuildRow{"n", "n", "1: n", false, true},
        BuildRow{"a", "a", "1: a", false, false}, BuildRow{"12.5", "12.5", "1: 12.5", false, false},
        BuildRow{"(((7)))", "7", "1: 7", false, false},
        // a function takes everything after its name that no lower level splits off
        BuildRow{"sin(x)*2", "sin(x)*2", "1: *; 2: sin; 3: x; 4: 2", true, false},
        BuildRow{"sin(x*2)", "sin(x*2)", "1: sin; 2: *; 3: x; 4: 2", true, false},
        BuildRow{"(x+1)*(x-1)", "(x+1)*(x-1)", "1: *; 2: +; 3: x; 4: 1; 5: -; 6: x; 7: 1", true,
                 false},
        // the later "(-" pairs are rewritten as well
        BuildRow{"(-x)*(-n)", "(0-x)*(0-n)", "1: *; 2: -; 3: 0; 4: x; 5: -; 6: 0; 7: n", true,
                 true},
        // the outer brackets are cut by count: "(x)+(a)" keeps its brackets
        BuildRow{"(x)+(a)", "(x)+(a)", "1: +; 2: x; 3: a", true, false},
        BuildRow{"1+2*3-4", "1+2*3-4", "1: -; 2: +; 3: 1; 4: *; 5: 2; 6: 3; 7: 4", false, false},
        BuildRow{"abs(x)", "abs(x)", "1: abs; 2: x", true, false}));

TEST(TreeBuilderTest, WorkedExamplesHoldTheExactConstants) {
    Engine engine;
    ASSERT_EQ(BuildExpression(engine, "p+e"), 0);
    EXPECT_EQ(engine.NodeTable[2].Value, ConstantPi());
    EXPECT_EQ(engine.NodeTable[3].Value, ConstantE());
}

struct RejectRow {
    std::string text;
    int32_t code;
};

void PrintTo(const RejectRow& row, std::ostream* os) {
    *os << '"' << row.text << '"';
}

class RejectedTextTest : public testing::TestWithParam<RejectRow> {};

TEST_P(RejectedTextTest, GivesItsCode) {
    const RejectRow& row = GetParam();
    Engine engine;
    EXPECT_EQ(BuildExpression(engine, row.text), row.code);
    EXPECT_EQ(engine.EngineError, row.code);
    EXPECT_EQ(engine.LastBuildError, row.code);
}

INSTANTIATE_TEST_SUITE_P(
    Rejected, RejectedTextTest,
    testing::Values(RejectRow{"", 1}, RejectRow{"sin x", 1}, RejectRow{"2x", 1},
                    RejectRow{"2sinx", 1}, RejectRow{"sin", 1}, RejectRow{"x*-2", 1},
                    RejectRow{"x^-2", 1}, RejectRow{"+x", 1}, RejectRow{"--x", 1},
                    RejectRow{"()", 1}, RejectRow{"(x)(y)", 1},
                    // "x+1)(y" meets the unrecognised "y" in the first pass
                    RejectRow{"(x+1)(y)", 1},
                    // "x+1)(2" splits at "+"; the right operand "1)(2" falls below depth 0
                    RejectRow{"(x+1)(2)", 2}, RejectRow{"(x+1", 2}, RejectRow{"x)+(1", 2},
                    RejectRow{"Sinx", 1}));

INSTANTIATE_TEST_SUITE_P(
    MoreRejected, RejectedTextTest,
    testing::Values(RejectRow{"x+", 1}, RejectRow{"x+()", 1}, RejectRow{"(())", 1},
                    RejectRow{"1.2.3", 1}, RejectRow{".5", 1}, RejectRow{"x,5", 1},
                    RejectRow{"x(", 2}, RejectRow{")x(", 2}, RejectRow{"sinx sinx", 1},
                    RejectRow{"x^", 1}, RejectRow{"ab", 1}, RejectRow{"pi", 1}, RejectRow{"X", 1},
                    RejectRow{"5-", 1},
                    // a later operand replaces code 2: "x)(2+" gives "x)(2" (2), then "" (1)
                    RejectRow{"(x)(2+)", 1},
                    // ...but code 1 stays: "2x" fails first, "1)(2" then does nothing
                    RejectRow{"(2x+1)(2)", 1}));

TEST(TreeBuilderTest, BuildKeepsTheCallersText) {
    Engine engine;
    ResetForBuild(engine);
    const std::string text = "-(-x)";
    BuildTree(engine, text);
    EXPECT_EQ(text, "-(-x)");
    EXPECT_EQ(engine.EngineError, 0);
    EXPECT_EQ(engine.NodeCursor, 6);
    EXPECT_EQ(engine.NodeCount, 5);
    EXPECT_EQ(engine.LastBuildError, 0);
}

TEST(TreeBuilderTest, NodesMadeBeforeAnErrorStayAndSoDoTheFlags) {
    Engine engine;
    // "x+1)(2" makes "+" and "x" before its right operand fails with code 2.
    EXPECT_EQ(BuildExpression(engine, "(x+1)(2)"), 2);
    EXPECT_EQ(engine.NodeCursor, 3);
    EXPECT_TRUE(engine.UsesX);
    EXPECT_EQ(TableText(engine, 2), "1: +; 2: x");
}

TEST(TreeBuilderTest, ConstantCIsCopiedAtBuildTime) {
    Engine engine;
    engine.ConstantC = 4;
    ASSERT_EQ(BuildExpression(engine, "c"), 0);
    engine.ConstantC = 9;
    EXPECT_EQ(engine.NodeTable[1].Value, 4);
}

// A sum of k terms "x+x+...+x" needs 2k - 1 nodes.
std::string SumOfX(int terms) {
    std::string text = "x";
    for (int i = 1; i < terms; ++i) text += "+x";
    return text;
}

TEST(TreeBuilderTest, TheWholeTableCanBeUsed) {
    Engine engine;
    ASSERT_EQ(BuildExpression(engine, SumOfX(128)), 0);
    EXPECT_EQ(engine.NodeCursor, 256);
    EXPECT_EQ(engine.NodeCount, 255);
}

TEST(TreeBuilderTest, MoreThan255NodesIsIncorrectAndStaysInTheTable) {
    Engine engine;
    EXPECT_EQ(BuildExpression(engine, SumOfX(129)), 1);
    EXPECT_LE(engine.NodeCursor, kNodeSlots + 1);
    // Many more nodes, and a deep right-nested tree as well.
    EXPECT_EQ(BuildExpression(engine, SumOfX(5000)), 1);
    EXPECT_LE(engine.NodeCursor, kNodeSlots + 1);
    std::string nested = "x";
    for (int i = 0; i < 400; ++i) nested = "sin(" + nested + ")";
    EXPECT_EQ(BuildExpression(engine, nested), 1);
    EXPECT_LE(engine.NodeCursor, kNodeSlots + 1);
}

TEST(TreeBuilderTest, ResetBeforeBuildClearsFlagsErrorAndCursor) {
    Engine engine;
    ASSERT_EQ(BuildExpression(engine, "x+n"), 0);
    engine.EngineError = 5;
    ResetForBuild(engine);
    EXPECT_FALSE(engine.UsesX);
    EXPECT_FALSE(engine.UsesN);
    EXPECT_EQ(engine.EngineError, 0);
    EXPECT_EQ(engine.NodeCursor, 1);
}

}  // namespace
