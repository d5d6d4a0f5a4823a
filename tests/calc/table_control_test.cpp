// The tables' rows under a control: the same rows with it as without, progress reported in
// order, and a stop that ends the rows early with a prefix of the full table.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <vector>

#include "calc/sample_stream.h"
#include "calc/sequence_table.h"
#include "engine/tree_builder.h"

namespace {

struct ControlRow {
    const char* expression;
    long double a0;
    int32_t nk;
    bool sequence;  // otherwise the function table from -1 to 1 by 0.01
};

TableRows Rows(const ControlRow& row, const SampleControl* control) {
    Engine engine;
    BuildExpression(engine, row.expression);
    engine.ValueA = row.a0;
    engine.IndexFrom = 1;
    engine.IndexTo = row.nk;
    if (row.sequence) return SequenceRows(ComputeTerms(engine, 0.5L, control));
    const auto range = MakeTableRange(-1, 1, 0.01L);
    return FunctionRows(engine, std::get<TableRange>(range), control);
}

bool SameBits(long double left, long double right) {
    return std::memcmp(&left, &right, 10) == 0;
}

// The first `count` rows of `part` and `whole` are the same to the bit.
void ExpectPrefix(const TableRows& part, const TableRows& whole, size_t count) {
    ASSERT_LE(count, part.Size());
    ASSERT_LE(count, whole.Size());
    for (size_t k = 0; k < count; ++k) {
        EXPECT_TRUE(SameBits(part.Keys[k], whole.Keys[k])) << k;
        EXPECT_TRUE(SameBits(part.Values[k], whole.Values[k])) << k;
        EXPECT_EQ(part.Codes[k], whole.Codes[k]) << k;
    }
}

class TableControl : public testing::TestWithParam<ControlRow> {};

TEST_P(TableControl, SameRowsAndProgressInOrder) {
    const TableRows plain = Rows(GetParam(), nullptr);
    std::vector<int64_t> reports;
    SampleControl control;
    control.Progress = [&reports](int64_t done) { reports.push_back(done); };
    const TableRows controlled = Rows(GetParam(), &control);
    ASSERT_EQ(controlled.Size(), plain.Size());
    ExpectPrefix(controlled, plain, plain.Size());
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front(), 0);
    for (size_t k = 1; k < reports.size(); ++k) EXPECT_LT(reports[k - 1], reports[k]);
    EXPECT_LT(reports.back(), static_cast<int64_t>(plain.Size()));
}

TEST_P(TableControl, StopEndsTheRowsEarly) {
    const TableRows plain = Rows(GetParam(), nullptr);
    std::atomic<bool> stop{false};
    SampleControl control;
    control.Stop = &stop;
    int reports = 0;
    control.Progress = [&](int64_t) {
        if (++reports == 2) stop = true;
    };
    const TableRows stopped = Rows(GetParam(), &control);
    EXPECT_LT(stopped.Size(), plain.Size());
    EXPECT_GT(stopped.Size(), size_t{0});
    ExpectPrefix(stopped, plain, stopped.Size());
    // Stopped before the first row: nothing at all.
    const std::atomic<bool> early{true};
    control.Stop = &early;
    EXPECT_EQ(Rows(GetParam(), &control).Size(), size_t{0});
}

const ControlRow kControlRows[] = {
    {"a+1/n^2", 0, 2000, true},      {"cos(a)", 1, 1000, true},
    {"1/x", 0, 100, false},  // an error row at x = 0
    {"a+sin(n*x)/n", 0, 300, false}, {"ln(a)+x", 5, 100, false},
};

INSTANTIATE_TEST_SUITE_P(Rows, TableControl, testing::ValuesIn(kControlRows));

}  // namespace
