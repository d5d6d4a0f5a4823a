// The terms of a sequence one by one, and the rows of the two tables (sequence terms against n,
// function values against x) in the number format of the value command.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/row_storage.h"
#include "calc/sample_stream.h"
#include "engine/engine_state.h"

// Rows a function table may have at most.
inline constexpr int64_t kMaxTableRows = 1000001;

// Why a function table's range is refused.
enum class TableRefusal {
    StepNotPositive,  // h <= 0
    TooManyRows,      // more than kMaxTableRows rows, or a range that does not end
    BadArguments,     // x0, xk or h is no number
};

// The text of a failure code (an engine code or kEmptyRangeCode) as the tables show it.
using FailureWords = std::function<std::string(int32_t code)>;

// The walk of the last built expression at one x: a_n for n = FirstIndex, FirstIndex + 1, ...
// The walk starts from a0 and runs to IndexTo, or to the step that failed.
struct TermList {
    int32_t FirstIndex = 1;
    ExtendedReal InitialValue = 0;    // a0, the start of the walk
    std::vector<ExtendedReal> Terms;  // the terms computed without error
    // The code of the step after the last term when it failed (kEmptyRangeCode: no step at all).
    int32_t FailCode = kNoError;
    bool Failed() const { return FailCode != kNoError; }
};

// Walks n from IndexFrom to IndexTo with a carried from step to step; an expression without n is
// iterated as the map a <- f(a) over the same range. Works on a copy of the engine. With a
// control, its stop ends the walk early (the list then holds the terms made so far) and its
// progress hook hears the number of steps done now and then.
TermList ComputeTerms(const Engine& engine, ExtendedReal x, const SampleControl* control = nullptr);

// A further value column over the keys of a table (the function table of several curves).
struct ValueColumn {
    std::string Header;
    RealColumn Values;
    CodeColumn Codes;
};

// Rows of either table: a key (n or x), and a value or the code of its failure; a function
// table of several curves has more value columns after the first.
struct TableRows {
    std::string KeyHeader;
    std::string ValueHeader;
    bool IntegerKeys = false;
    RealColumn Keys;
    RealColumn Values;
    CodeColumn Codes;  // kNoError, an engine code, or kEmptyRangeCode
    std::vector<ValueColumn> MoreColumns;

    size_t Size() const { return Keys.size(); }
    size_t ValueColumns() const { return 1 + MoreColumns.size(); }
    std::string KeyText(size_t row) const;
    const std::string& ValueHeaderOf(size_t column) const;
    // The value of a column in the value command's format, or the failure in `words`.
    std::string ValueText(size_t row, const FailureWords& words, size_t column = 0) const;
};

// One row per term; a failing step adds its row with the error, and the table ends there.
TableRows SequenceRows(const TermList& terms);

// The argument x0 + k*h for k = 0 .. round((xk - x0) / h), each computed from k, not by adding.
struct TableRange {
    ExtendedReal From = 0;
    ExtendedReal Step = 1;
    int64_t Count = 0;
    ExtendedReal At(int64_t k) const { return From + ExtendedReal(k) * Step; }
};

// The range of a function table, or why it is refused.
std::variant<TableRange, TableRefusal> MakeTableRange(ExtendedReal from, ExtendedReal to,
                                                      ExtendedReal step);
// The same from the texts of three fields.
std::variant<TableRange, TableRefusal> ParseTableRange(std::string_view fromText,
                                                       std::string_view toText,
                                                       std::string_view stepText);

// f(x) at every x of the range, as the value command computes it (a sequence at its last index),
// on the control's threads with the same rows for any number of them. A control stops it early
// (the rows of the finished prefix) and hears the number of rows done, on the caller's thread.
TableRows FunctionRows(const Engine& engine, const TableRange& range,
                       const SampleControl* control = nullptr);

// One value column of a table of several expressions: its header and the engine it is computed
// with (shared, never changed).
struct ColumnSource {
    std::string Header;
    std::shared_ptr<const Engine> Built;
};

// x over the range, then one value column per source in order, each as FunctionRows computes
// it. The progress hears the rows done over all the columns; a stop leaves the rows made so far
// of the columns begun (the caller drops a stopped table).
TableRows FunctionColumns(const std::vector<ColumnSource>& sources, const TableRange& range,
                          const SampleControl* control = nullptr);
