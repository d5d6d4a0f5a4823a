// Sequence terms step by step and the rows of the two tables.
#include "calc/sequence_table.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "calc/row_chunks.h"
#include "engine/evaluator.h"
#include "engine/number_text.h"

namespace {

constexpr int kValueDecimals = 10;
// Steps of a sequence between two reports to a control's progress hook.
constexpr int64_t kStepsPerReport = 256;
// Rows of a function table evaluated in one call.
constexpr int32_t kRowBatch = 32;

bool StopNow(const SampleControl* control) {
    return control != nullptr && control->Stopped();
}

void Report(const SampleControl* control, int64_t done, int64_t every) {
    if (control != nullptr && control->Progress && done % every == 0) {
        control->Progress(done);
    }
}

}  // namespace

TermList ComputeTerms(const Engine& source, ExtendedReal x, const SampleControl* control) {
    TermList list;
    list.FirstIndex = source.IndexFrom;
    list.InitialValue = source.ValueA;
    if (source.LastBuildError != kNoError) {
        list.FailCode = source.LastBuildError;
        return list;
    }
    // Each step is a walk of one index from the previous term; an expression without n reads no
    // index, so the same step iterates it as a map.
    Engine engine = source;
    engine.UsesN = true;
    ExtendedReal a = source.ValueA;
    const int64_t last = source.IndexTo;
    if (last < source.IndexFrom) {
        list.FailCode = kEmptyRangeCode;
        return list;
    }
    list.Terms.reserve(size_t(last - source.IndexFrom + 1));
    for (int64_t n = source.IndexFrom; n <= last; ++n) {
        if (StopNow(control)) break;
        Report(control, n - source.IndexFrom, kStepsPerReport);
        engine.IndexFrom = engine.IndexTo = static_cast<int32_t>(n);
        engine.ValueA = a;
        ExtendedReal value = 0;
        EvaluateSequence(engine, x, value);
        if (engine.EngineError != kNoError) {
            list.FailCode = engine.EngineError;
            break;
        }
        list.Terms.push_back(value);
        a = value;
    }
    return list;
}

std::string TableRows::KeyText(size_t row) const {
    if (IntegerKeys) return IntegerDisplayText(static_cast<int32_t>(Keys[row]));
    return RealDisplayText(Keys[row], kValueDecimals);
}

const std::string& TableRows::ValueHeaderOf(size_t column) const {
    return column == 0 ? ValueHeader : MoreColumns.at(column - 1).Header;
}

std::string TableRows::ValueText(size_t row, const FailureWords& words, size_t column) const {
    const CodeColumn& codes = column == 0 ? Codes : MoreColumns.at(column - 1).Codes;
    const RealColumn& values = column == 0 ? Values : MoreColumns.at(column - 1).Values;
    if (row >= codes.size()) return {};
    if (codes[row] != kNoError) return words(codes[row]);
    return RealDisplayText(values[row], kValueDecimals);
}

TableRows SequenceRows(const TermList& terms) {
    TableRows rows;
    rows.KeyHeader = "n";
    rows.ValueHeader = "a_n";
    rows.IntegerKeys = true;
    const size_t count = terms.Terms.size() + (terms.Failed() ? 1 : 0);
    rows.Keys.reserve(count);
    rows.Values.reserve(count);
    rows.Codes.reserve(count);
    for (size_t k = 0; k < count; ++k) {
        rows.Keys.push_back(ExtendedReal(int64_t{terms.FirstIndex} + int64_t(k)));
        const bool failed = k == terms.Terms.size();
        rows.Values.push_back(failed ? 0 : terms.Terms[k]);
        rows.Codes.push_back(failed ? terms.FailCode : kNoError);
    }
    return rows;
}

std::variant<TableRange, TableRefusal> MakeTableRange(ExtendedReal from, ExtendedReal to,
                                                      ExtendedReal step) {
    if (!(step > 0)) return TableRefusal::StepNotPositive;
    const ExtendedReal last = (to - from) / step;
    if (!std::isfinite(from) || !std::isfinite(last) || last >= ExtendedReal(kMaxTableRows)) {
        return TableRefusal::TooManyRows;
    }
    TableRange range;
    range.From = from;
    range.Step = step;
    // Rounded to nearest, ties to even, as every rounding of the program; a negative last index
    // leaves the table empty.
    const long long lastIndex = last <= -1 ? -1 : std::llrintl(last);
    range.Count = lastIndex < 0 ? 0 : int64_t(lastIndex) + 1;
    if (range.Count > kMaxTableRows) return TableRefusal::TooManyRows;
    return range;
}

std::variant<TableRange, TableRefusal> ParseTableRange(std::string_view fromText,
                                                       std::string_view toText,
                                                       std::string_view stepText) {
    ExtendedReal from = 0;
    ExtendedReal to = 0;
    ExtendedReal step = 0;
    if (!NumberSyntax(fromText, from) || !NumberSyntax(toText, to) ||
        !NumberSyntax(stepText, step)) {
        return TableRefusal::BadArguments;
    }
    return MakeTableRange(from, to, step);
}

namespace {

// The rows begin .. end - 1 of a function table, in batches through the sample evaluation; a
// sample it did not vouch for is evaluated alone again, for the code of its failure.
void FillRows(Engine& engine, ExtendedReal a0, const TableRange& range, int64_t begin, int64_t end,
              TableRows& rows) {
    std::array<bool, kRowBatch> ok{};
    for (int64_t first = begin; first < end; first += kRowBatch) {
        const auto count = static_cast<int32_t>(std::min<int64_t>(kRowBatch, end - first));
        ExtendedReal* keys = rows.Keys.data() + first;
        ExtendedReal* values = rows.Values.data() + first;
        int32_t* codes = rows.Codes.data() + first;
        for (int32_t i = 0; i < count; ++i) keys[i] = range.At(first + i);
        EvaluateSamples(engine, keys, count, values, ok.data());
        for (int32_t i = 0; i < count; ++i) {
            codes[i] = kNoError;
            if (ok[size_t(i)]) continue;
            engine.ValueA = a0;
            const bool produced = EvaluateSequence(engine, keys[i], values[i]);
            codes[i] = engine.EngineError;
            if (codes[i] == kNoError && !produced) codes[i] = kEmptyRangeCode;
            if (codes[i] != kNoError) values[i] = 0;
        }
    }
}

}  // namespace

TableRows FunctionRows(const Engine& source, const TableRange& range,
                       const SampleControl* control) {
    TableRows rows;
    rows.KeyHeader = "x";
    rows.ValueHeader = "f(x)";
    const auto count = size_t(std::max<int64_t>(range.Count, 0));
    rows.Keys.resize(count);
    rows.Values.resize(count);
    rows.Codes.resize(count);
    const SampleControl none;
    const int64_t done =
        RunRowChunks(range.Count, control != nullptr ? *control : none, [&source, &range, &rows] {
            // Each worker evaluates with an engine of its own.
            return [engine = source, &source, &range, &rows](int64_t begin, int64_t end) mutable {
                FillRows(engine, source.ValueA, range, begin, end, rows);
            };
        });
    rows.Keys.resize(size_t(done));
    rows.Values.resize(size_t(done));
    rows.Codes.resize(size_t(done));
    return rows;
}

TableRows FunctionColumns(const std::vector<ColumnSource>& sources, const TableRange& range,
                          const SampleControl* control) {
    TableRows table;
    for (size_t k = 0; k < sources.size(); ++k) {
        SampleControl shifted;
        const int64_t before = range.Count * int64_t(k);
        if (control != nullptr) {
            shifted.Threads = control->Threads;
            shifted.Stop = control->Stop;
            if (control->Progress) {
                shifted.Progress = [control, before](int64_t done) {
                    control->Progress(before + done);
                };
            }
        }
        TableRows column = FunctionRows(*sources[k].Built, range, &shifted);
        if (k == 0) {
            table = std::move(column);
            table.ValueHeader = sources[k].Header;
        } else {
            table.MoreColumns.push_back(
                {sources[k].Header, std::move(column.Values), std::move(column.Codes)});
        }
        if (StopNow(control)) break;
    }
    return table;
}
