// Sequence terms, the two tables' rows (checked against the value command) and the behaviour
// rules on the sequences they are meant for.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <variant>

#include "calc/calculations.h"
#include "calc/sequence_behaviour.h"
#include "calc/sequence_table.h"
#include "engine/tree_builder.h"
#include "messages/messages.h"

namespace {

// The behaviour and the summary as the interface words them.
std::string BehaviourLine(const TermList& terms) {
    return BehaviourText(SequenceBehaviour(terms));
}
std::array<std::string, 3> Summary(const TermList& terms) {
    return SummaryLines(SequenceSummary(terms));
}

struct Walk {
    const char* expression;
    long double a0;
    long double c;
    int32_t n0;
    int32_t nk;
};

Engine Built(const Walk& walk) {
    Engine engine;
    engine.ConstantC = walk.c;  // c is read when the tree is built
    BuildExpression(engine, walk.expression);
    engine.ValueA = walk.a0;
    engine.IndexFrom = walk.n0;
    engine.IndexTo = walk.nk;
    return engine;
}

struct BehaviourRow {
    Walk walk;
    const char* behaviour;
};

class Behaviour : public testing::TestWithParam<BehaviourRow> {};

TEST_P(Behaviour, ComesOutAsExpected) {
    const BehaviourRow& row = GetParam();
    const TermList terms = ComputeTerms(Built(row.walk), 0);
    EXPECT_EQ(BehaviourLine(terms), row.behaviour);
}

const BehaviourRow kBehaviourRows[] = {
    {{"a/2+1", 0, 1, 1, 100}, "Сходится к 2"},
    {{"cos(a)", 1, 1, 1, 100}, "Сходится к 0.7390851332"},
    // The logistic map r*a*(1-a) from 0.5, r in c.
    {{"c*a*(1-a)", 0.5, 2.8, 1, 1000}, "Сходится к 0.6428571429"},
    {{"c*a*(1-a)", 0.5, 3.2, 1, 100}, "Цикл периода 2: 0.7994554905; 0.5130445095"},
    {{"c*a*(1-a)", 0.5, 3.5, 1, 100},
     "Цикл периода 4: 0.8749972636; 0.382819683; 0.8269407066; 0.5008842103"},
    {{"c*a*(1-a)", 0.5, 3.9, 1, 100}, "Поведение не установлено"},
    {{"c*a*(1-a)", 0.5, 3.9, 1, 100000}, "Поведение не установлено"},
    {{"a*2", 1, 1, 1, 100}, "Расходится к +∞"},
    {{"a+1", 1, 1, 1, 100}, "Расходится к +∞"},
    {{"a-1", 1, 1, 1, 100}, "Расходится к −∞"},
    {{"-2*a", 1, 1, 1, 100}, "Расходится"},
    // Beyond the largest number: the overflowing step decides.
    {{"a*2", 1, 1, 1, 20000}, "Расходится к +∞"},
    {{"-a*2", 1, 1, 1, 20000}, "Расходится"},
    // The sum of 1/n^2: its differences shrink like 1/n^2, far above the tolerance.
    {{"a+1/n^2", 0, 1, 1, 100}, "Поведение не установлено"},
    {{"a+1/n^2", 0, 1, 1, 100000}, "Поведение не установлено"},
    // A cycle with an exact zero, and a sequence that only its failure ends.
    {{"1-a", 0, 1, 1, 100}, "Цикл периода 2: 1; 0"},
    {{"1/(a-3)", 1, 1, 1, 100}, "Сходится к -0.3027756377"},
    {{"ln(a)", 1, 1, 1, 100}, "Поведение не установлено"},
    // Too few terms for any rule.
    {{"a+1", 1, 1, 1, 2}, "Поведение не установлено"},
    {{"n", 0, 1, 1, 2}, "Поведение не установлено"},
    {{"5", 0, 1, 1, 2}, "Сходится к 5"},
};

INSTANTIATE_TEST_SUITE_P(Sequences, Behaviour, testing::ValuesIn(kBehaviourRows));

// Terms closer together than the cycle tolerance but not yet converged are no cycle: r = 2.8
// over a hundred steps is still about 1e-11 from its fixed point, the sum of 1/n^2 over 100000
// terms still grows by 1e-10 a step.
TEST(Behaviour, SettlingTermsAreNoCycleOfPeriodOne) {
    for (const Walk& walk :
         {Walk{"c*a*(1-a)", 0.5, 2.8, 1, 100}, Walk{"a+1/n^2", 0, 1, 1, 100000}}) {
        SCOPED_TRACE(walk.expression);
        EXPECT_EQ(BehaviourLine(ComputeTerms(Built(walk), 0)), "Поведение не установлено");
    }
}

TEST(Summary, ThreeLines) {
    const auto lines = Summary(ComputeTerms(Built({"a+1", 1, 1, 1, 5}), 0));
    EXPECT_EQ(lines[0], "Последний член: 6");
    EXPECT_EQ(lines[1], "Последняя разность: 1");
    EXPECT_EQ(lines[2], "Расходится к +∞");
    const auto failed = Summary(ComputeTerms(Built({"a+1/(n-3)", 0, 1, 1, 5}), 0));
    EXPECT_EQ(failed[0], "Последний член: ОШИБКА: Деление на ноль");
    EXPECT_EQ(failed[2], "Поведение не установлено");
    const auto single = Summary(ComputeTerms(Built({"a+1", 1, 1, 3, 3}), 0));
    EXPECT_EQ(single[1], "Последняя разность: —");
}

// The Aitken estimate replaces the last term when it is the better one: a*0.99+0.01 from 0
// after 2300 steps moves by less than 1e-12 a step but is still 9e-11 short of its limit 1.
TEST(Summary, AitkenEstimateForGeometricConvergence) {
    const TermList terms = ComputeTerms(Built({"a*0.99+0.01", 0, 1, 1, 2300}), 0);
    EXPECT_EQ(Summary(terms)[0], "Последний член: 0.9999999999");
    EXPECT_EQ(BehaviourLine(terms), "Сходится к 1");
}

struct TermRow {
    Walk walk;
    long double x;
    std::vector<std::string> rows;  // "n value"
};

class Terms : public testing::TestWithParam<TermRow> {};

TEST_P(Terms, RowsOfTheSequenceTable) {
    const TermRow& row = GetParam();
    const TableRows rows = SequenceRows(ComputeTerms(Built(row.walk), row.x));
    ASSERT_EQ(rows.Size(), row.rows.size());
    for (size_t k = 0; k < rows.Size(); ++k) {
        EXPECT_EQ(rows.KeyText(k) + " " + rows.ValueText(k, TableFailureWords()), row.rows[k]) << k;
    }
}

const TermRow kTermRows[] = {
    {{"a*n", 1, 1, 1, 5}, 0, {"1 1", "2 2", "3 6", "4 24", "5 120"}},
    // Without n: the map a <- f(a).
    {{"a+1", 1, 1, 3, 5}, 0, {"3 2", "4 3", "5 4"}},
    {{"a+x", 0, 1, 1, 3}, 2.5, {"1 2.5", "2 5", "3 7.5"}},
    // A failing step shows its error, and the table ends there.
    {{"a+1/(n-3)", 0, 1, 1, 5}, 0, {"1 -0.5", "2 -1.5", "3 ОШИБКА: Деление на ноль"}},
    {{"1/(a-3)", 3, 1, 1, 5}, 0, {"1 ОШИБКА: Деление на ноль"}},
    {{"a+1", 1, 1, 5, 4}, 0, {"5 ОШИБКА: Пустой диапазон индексов n"}},
    {{"(a", 1, 1, 1, 3}, 0, {"1 ОШИБКА: Скобки поставлены некорректно"}},
};

INSTANTIATE_TEST_SUITE_P(Sequences, Terms, testing::ValuesIn(kTermRows));

// Every row of a function table shows what the value command shows at its x.
TEST(FunctionTable, RowsMatchTheValueCommand) {
    for (const char* expression : {"sinx", "1/x", "sqrtx", "a+n*x", "x^lnx"}) {
        SCOPED_TRACE(expression);
        Engine engine = Built({expression, 1, 1, 1, 100});
        const auto range = ParseTableRange("-2", "2", "0.25");
        ASSERT_TRUE(std::holds_alternative<TableRange>(range));
        const TableRows rows = FunctionRows(engine, std::get<TableRange>(range));
        ASSERT_EQ(rows.Size(), 17u);
        for (size_t k = 0; k < rows.Size(); ++k) {
            const CalcOutcome value = CalculateValue(engine, rows.KeyText(k));
            EXPECT_EQ(rows.ValueText(k, TableFailureWords()),
                      CalcWords(value).ResultText.value_or("?"))
                << rows.KeyText(k);
        }
    }
}

// A table of several expressions: each column is that expression's own table, headed by its
// text; the progress counts the rows of every column, and a stop ends the table.
TEST(FunctionTable, ColumnsOfSeveralExpressions) {
    const auto range = std::get<TableRange>(ParseTableRange("-1", "1", "0.5"));
    std::vector<ColumnSource> sources;
    for (const char* expression : {"sinx", "1/x", "a+c*x"}) {
        sources.push_back({expression, std::make_shared<Engine>(Built({expression, 2, 3, 1, 1}))});
    }
    std::vector<int64_t> heard;
    SampleControl control;
    control.Progress = [&heard](int64_t done) { heard.push_back(done); };
    const TableRows table = FunctionColumns(sources, range, &control);
    ASSERT_EQ(table.ValueColumns(), 3u);
    ASSERT_EQ(table.Size(), 5u);
    EXPECT_EQ(heard.back(), 2 * 5 + 4);
    for (size_t column = 0; column < sources.size(); ++column) {
        SCOPED_TRACE(sources[column].Header);
        EXPECT_EQ(table.ValueHeaderOf(column), sources[column].Header);
        const TableRows alone = FunctionRows(*sources[column].Built, range);
        for (size_t k = 0; k < alone.Size(); ++k) {
            EXPECT_EQ(table.KeyText(k), alone.KeyText(k));
            EXPECT_EQ(table.ValueText(k, TableFailureWords(), column),
                      alone.ValueText(k, TableFailureWords()));
        }
    }
    // 1/x fails at 0 in its own column only.
    EXPECT_EQ(table.ValueText(2, TableFailureWords(), 1), TableFailureWords()(kErrDivisionByZero));
    EXPECT_EQ(table.ValueText(2, TableFailureWords(), 2), "2");

    std::atomic<bool> stop{true};
    control.Stop = &stop;
    EXPECT_EQ(FunctionColumns(sources, range, &control).Size(), 0u);
}

// x is x0 + k*h: 0.1 added a thousand times drifts, the product does not.
TEST(FunctionTable, ArgumentsAreComputedFromTheirIndex) {
    const auto range = std::get<TableRange>(MakeTableRange(0, 100, 0.1L));
    EXPECT_EQ(range.Count, 1001);
    EXPECT_EQ(range.At(1000), 1000 * 0.1L);
    EXPECT_EQ(SequenceRows({}).Size(), 0u);
}

struct RangeRow {
    const char* from;
    const char* to;
    const char* step;
    int64_t count;        // -1: refused
    const char* message;  // when refused
};

class Range : public testing::TestWithParam<RangeRow> {};

TEST_P(Range, CountsOrRefuses) {
    const RangeRow& row = GetParam();
    const auto range = ParseTableRange(row.from, row.to, row.step);
    if (row.count < 0) {
        ASSERT_TRUE(std::holds_alternative<TableRefusal>(range));
        EXPECT_EQ(TableRefusalText(std::get<TableRefusal>(range)), row.message);
    } else {
        ASSERT_TRUE(std::holds_alternative<TableRange>(range));
        EXPECT_EQ(std::get<TableRange>(range).Count, row.count);
    }
}

const RangeRow kRangeRows[] = {
    {"0", "1", "0.1", 11, nullptr},
    {"0", "1", "0.3", 4, nullptr},  // round(3.33) = 3
    {"0", "1", "0.4", 3, nullptr},  // round(2.5) = 2, ties to even
    {"0", "1", "0.6", 3, nullptr},  // round(1.67) = 2
    {"1", "1", "1", 1, nullptr},
    {"1", "0", "1", 0, nullptr},
    {"0", "1000000", "1", 1000001, nullptr},
    {"0", "1000001", "1", -1, "Слишком много строк: не больше 1000001"},
    {"0", "1e300", "1e-300", -1, "Слишком много строк: не больше 1000001"},
    {"0", "1", "0", -1, "Шаг должен быть больше нуля"},
    {"0", "1", "-1", -1, "Шаг должен быть больше нуля"},
    {"0", "1", "1,5", -1, "Введите правильные значения x0, xk и h"},
    {"", "1", "1", -1, "Введите правильные значения x0, xk и h"},
};

INSTANTIATE_TEST_SUITE_P(Tables, Range, testing::ValuesIn(kRangeRows));

}  // namespace
