// The function table on worker threads: every row the same to the bit (codes included) as the
// plain row-by-row loop over the sequence driver for 1, 2, 3 and 7 threads, faults in the middle,
// ranges that are no multiple of a batch, one row and none, several columns, progress and a stop;
// and the chunk runner underneath, which does every row exactly once.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "calc/row_chunks.h"
#include "calc/sequence_table.h"
#include "engine/evaluator.h"
#include "engine/tree_builder.h"

namespace {

const int kThreadCounts[] = {1, 2, 3, 7};

bool SameBits(long double left, long double right) {
    return std::memcmp(&left, &right, 10) == 0;  // the 80 bits of the x87 format
}

// The rows as the table computed them one by one, each from a0 through the sequence driver.
TableRows ReferenceRows(const Engine& source, const TableRange& range) {
    TableRows rows;
    Engine engine = source;
    for (int64_t k = 0; k < range.Count; ++k) {
        const ExtendedReal x = range.At(k);
        engine.ValueA = source.ValueA;
        ExtendedReal value = 0;
        const bool produced = EvaluateSequence(engine, x, value);
        int32_t code = engine.EngineError;
        if (code == kNoError && !produced) code = kEmptyRangeCode;
        rows.Keys.push_back(x);
        rows.Values.push_back(code == kNoError ? value : 0);
        rows.Codes.push_back(code);
    }
    return rows;
}

void ExpectSameRows(const RealColumn& keys, const RealColumn& values, const CodeColumn& codes,
                    const TableRows& reference, size_t count) {
    ASSERT_LE(count, reference.Size());
    ASSERT_EQ(keys.size(), count);
    ASSERT_EQ(values.size(), count);
    ASSERT_EQ(codes.size(), count);
    for (size_t k = 0; k < count; ++k) {
        ASSERT_TRUE(SameBits(keys[k], reference.Keys[k])) << k;
        ASSERT_TRUE(SameBits(values[k], reference.Values[k])) << k << " " << values[k];
        ASSERT_EQ(codes[k], reference.Codes[k]) << k;
    }
}

void ExpectPrefixOf(const TableRows& rows, const TableRows& reference, size_t count) {
    ExpectSameRows(rows.Keys, rows.Values, rows.Codes, reference, count);
}

struct TableRow {
    const char* expression;
    ExtendedReal from, to, step;
    int32_t indexFrom = 1;
    int32_t indexTo = 100;
    ExtendedReal a0 = 1;
};

Engine Built(const TableRow& row) {
    Engine engine;
    engine.IndexFrom = row.indexFrom;
    engine.IndexTo = row.indexTo;
    engine.ValueA = row.a0;
    BuildExpression(engine, row.expression);
    return engine;
}

TableRange RangeOf(const TableRow& row) {
    return std::get<TableRange>(MakeTableRange(row.from, row.to, row.step));
}

// Each row probes a way a sample may fail, or a shape of the range.
const TableRow kTableRows[] = {
    // A division by zero at the exact 0 in the middle (a step of 1/8 meets it).
    {"1/x", -3, 3, 0.125L},
    // ln and sqrt over negatives: a run of faults, then values; 2001 and 1601 rows.
    {"lnx", -1, 1, 0.001L},
    {"sqrt(x)", -50, 50, 0.0625L},
    // Overflow past some x, and a tangent at its pole among finite values.
    {"exp(x*x)", 0, 200, 0.5L},
    {"sinx/x", -10, 10, 0.015625L},
    {"x^lnx", -2, 2, 0.25L},
    // Recurrences with n: every row walks its sequence from a0.
    {"a+n*x", -1, 1, 0.01L, 1, 50, 0},
    {"a+1/(n+x)", -3, 3, 0.25L, 1, 20, 0},  // a division by zero where n + x = 0
    {"a*x+1", -2, 2, 0.0078125L, 1, 30, 1},
    // No step at all: the empty index range in every row.
    {"a+n*x", -1, 1, 0.5L, 5, 4, 0},
    // An expression that does not build: its code in every row.
    {"(x", -1, 1, 0.5L},
    // One row, and none.
    {"1/x", 2, 2, 1},
    {"1/x", 0, 0, 1},
    {"x", 1, 0, 1},
    // Counts around the batch size and the first chunks.
    {"sinx", 0, 31, 1},
    {"sinx", 0, 32, 1},
    {"sinx", 0, 33, 1},
    {"1/(x-5000)", 0, 10006, 1},
    // Columns large enough for blocks of huge pages.
    {"sinx/x", -1, 1, 0.00001L},
};

class ThreadedTable : public testing::TestWithParam<TableRow> {};

TEST_P(ThreadedTable, RowsAreTheLoopsForEveryThreadCount) {
    const Engine engine = Built(GetParam());
    const TableRange range = RangeOf(GetParam());
    const TableRows reference = ReferenceRows(engine, range);
    for (const int threads : kThreadCounts) {
        SCOPED_TRACE(threads);
        SampleControl control;
        control.Threads = threads;
        std::vector<int64_t> heard;
        control.Progress = [&heard](int64_t done) { heard.push_back(done); };
        const TableRows rows = FunctionRows(engine, range, &control);
        ExpectPrefixOf(rows, reference, reference.Size());
        if (range.Count == 0) {
            EXPECT_TRUE(heard.empty());
            continue;
        }
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.front(), 0);
        for (size_t k = 1; k < heard.size(); ++k) EXPECT_LT(heard[k - 1], heard[k]);
        EXPECT_LT(heard.back(), range.Count);
    }
}

// Several columns, each on every thread: the progress counts the rows of all of them.
TEST_P(ThreadedTable, ColumnsAreEachTheLoops) {
    const TableRange range = RangeOf(GetParam());
    std::vector<ColumnSource> sources;
    for (const char* expression : {GetParam().expression, "sqrt(x)", "a+n*x"}) {
        TableRow row = GetParam();
        row.expression = expression;
        sources.push_back({expression, std::make_shared<Engine>(Built(row))});
    }
    for (const int threads : kThreadCounts) {
        SCOPED_TRACE(threads);
        SampleControl control;
        control.Threads = threads;
        std::vector<int64_t> heard;
        control.Progress = [&heard](int64_t done) { heard.push_back(done); };
        const TableRows table = FunctionColumns(sources, range, &control);
        ASSERT_EQ(table.ValueColumns(), sources.size());
        for (size_t column = 0; column < sources.size(); ++column) {
            SCOPED_TRACE(sources[column].Header);
            const TableRows reference = ReferenceRows(*sources[column].Built, range);
            if (column == 0) {
                ExpectPrefixOf(table, reference, reference.Size());
            } else {
                const ValueColumn& more = table.MoreColumns[column - 1];
                ExpectSameRows(table.Keys, more.Values, more.Codes, reference, reference.Size());
            }
        }
        if (range.Count == 0) continue;
        for (size_t k = 1; k < heard.size(); ++k) EXPECT_LT(heard[k - 1], heard[k]);
        // The last column is heard of, and the last report is before its end.
        EXPECT_GE(heard.back(), 2 * range.Count);
        EXPECT_LT(heard.back(), 3 * range.Count);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ThreadedTable, testing::ValuesIn(kTableRows));

// A stop raised midway (at the second report) leaves a prefix of the full table, on every
// thread count; a stop raised before the start leaves nothing.
TEST(ThreadedTableStop, StopMidwayLeavesAPrefix) {
    // About 6 million steps in all, so that the workers are far from done at the second report.
    const TableRow row{"a+sin(n*x)/n", -1, 1, 0.001L, 1, 3000, 0};
    const Engine engine = Built(row);
    const TableRange range = RangeOf(row);
    const TableRows reference = ReferenceRows(engine, range);
    for (const int threads : kThreadCounts) {
        SCOPED_TRACE(threads);
        std::atomic<bool> stop{false};
        SampleControl control;
        control.Threads = threads;
        control.Stop = &stop;
        int reports = 0;
        control.Progress = [&](int64_t) {
            if (++reports == 2) stop = true;
        };
        const TableRows stopped = FunctionRows(engine, range, &control);
        EXPECT_GT(stopped.Size(), 0u);
        EXPECT_LT(stopped.Size(), reference.Size());
        ExpectPrefixOf(stopped, reference, stopped.Size());

        const std::atomic<bool> early{true};
        control.Stop = &early;
        EXPECT_EQ(FunctionRows(engine, range, &control).Size(), 0u);
    }
}

// --- The chunk runner: every row once, by as many workers as asked, each with its own work.

struct ChunkRow {
    int64_t count;
    int threads;
};

class RowChunks : public testing::TestWithParam<ChunkRow> {};

TEST_P(RowChunks, EveryRowExactlyOnce) {
    const ChunkRow& row = GetParam();
    std::vector<std::atomic<int>> visits(size_t(row.count));
    std::mutex mutex;
    std::set<std::thread::id> makers;
    std::atomic<int> made{0};
    SampleControl control;
    control.Threads = row.threads;
    const int64_t done = RunRowChunks(row.count, control, [&] {
        ++made;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            makers.insert(std::this_thread::get_id());
        }
        // Every call of the work runs on the thread that made it.
        return [&visits, id = std::this_thread::get_id()](int64_t begin, int64_t end) {
            EXPECT_EQ(std::this_thread::get_id(), id);
            EXPECT_LT(begin, end);
            for (int64_t k = begin; k < end; ++k) ++visits[size_t(k)];
        };
    });
    EXPECT_EQ(done, row.count);
    for (size_t k = 0; k < visits.size(); ++k) ASSERT_EQ(visits[k].load(), 1) << k;
    const int expectedWorkers =
        row.count == 0 ? 0 : static_cast<int>(std::min<int64_t>(row.threads, row.count));
    EXPECT_EQ(made.load(), expectedWorkers);
    EXPECT_EQ(int(makers.size()), expectedWorkers);
    // One thread: everything on the caller's.
    const bool onCaller = makers.contains(std::this_thread::get_id());
    EXPECT_EQ(onCaller, expectedWorkers == 1);
}

const ChunkRow kChunkRows[] = {{0, 1},  {0, 3},    {1, 1},    {1, 7},    {2, 7},      {31, 2},
                               {33, 3}, {1000, 1}, {1000, 2}, {4097, 3}, {100003, 7}, {100003, 1}};

INSTANTIATE_TEST_SUITE_P(Counts, RowChunks, testing::ValuesIn(kChunkRows));

}  // namespace
