// Fuzzes the build and the evaluation: arbitrary bytes give x, a0, c, a short index range and
// the expression text. Every call must end, stay within the table, report a known code and
// restore a; the same evaluation twice gives the same bits.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/evaluator.h"
#include "engine/tree_builder.h"

namespace {

// Header: x, a0, c as doubles with a binary scale each, then the index range.
constexpr size_t kHeaderSize = 8 * 3 + 3 + 4 + 1;

class Reader {
  public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    template <typename T>
    T Take() {
        T value{};
        uint8_t bytes[sizeof(T)] = {};
        for (size_t i = 0; i < sizeof(T) && offset_ < size_; ++i) bytes[i] = data_[offset_++];
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }
    std::string_view Rest() const {
        return offset_ < size_ ? std::string_view(reinterpret_cast<const char*>(data_) + offset_,
                                                  size_ - offset_)
                               : std::string_view();
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
};

void Check(bool condition) {
    if (!condition) std::abort();
}

// A complete pre-order tree fills exactly slots 1..count.
bool IsWholeTree(const Engine& engine, int32_t count) {
    int32_t pending = 1;
    int32_t slot = 1;
    for (; pending > 0; ++slot) {
        if (slot > count) return false;
        const NodeKind kind = engine.NodeTable[slot].Kind;
        if (kind == NodeKind::Operator) ++pending;
        if (kind == NodeKind::None) return false;
        if (kind != NodeKind::Operator && kind != NodeKind::Function) --pending;
    }
    return slot == count + 1;
}

bool SameBits(ExtendedReal a, ExtendedReal b) {
    return std::memcmp(&a, &b, 10) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader reader(data, size);
    const double xBase = reader.Take<double>();
    const double aBase = reader.Take<double>();
    const double cBase = reader.Take<double>();
    const int8_t xScale = reader.Take<int8_t>();
    const int8_t aScale = reader.Take<int8_t>();
    const int8_t cScale = reader.Take<int8_t>();
    const int32_t from = reader.Take<int32_t>();
    const uint8_t span = reader.Take<uint8_t>();
    static_assert(kHeaderSize == 8 * 3 + 3 + 4 + 1);

    // Scales reach the whole extended range; at most a few hundred steps per evaluation,
    // ranges ending at the largest index and empty ranges included.
    const ExtendedReal x = std::ldexp(static_cast<ExtendedReal>(xBase), xScale * 64);
    Engine engine;
    engine.ValueA = std::ldexp(static_cast<ExtendedReal>(aBase), aScale * 64);
    engine.ConstantC = std::ldexp(static_cast<ExtendedReal>(cBase), cScale * 64);
    const int64_t last = static_cast<int64_t>(from) + span - 8;
    engine.IndexFrom = from;
    engine.IndexTo = static_cast<int32_t>(std::min<int64_t>(last, INT32_MAX));
    const std::string_view text = reader.Rest();

    const int32_t built = BuildExpression(engine, text);
    Check(built == engine.EngineError && built == engine.LastBuildError);
    Check(engine.NodeCursor >= 1 && engine.NodeCursor <= kNodeSlots + 1);
    Check(built == 0 || built == kErrIncorrect || built == kErrBrackets);
    if (built == 0) Check(IsWholeTree(engine, engine.NodeCount));

    const ExtendedReal a0 = engine.ValueA;
    ExtendedReal first = 7;
    const bool ran = EvaluateSequence(engine, x, first);
    const int32_t code = engine.EngineError;
    Check(SameBits(engine.ValueA, a0));
    if (built != 0) {
        Check(!ran && code == built && first == 7);
        return 0;
    }
    Check(code == 0 || (code >= kErrDivisionByZero && code <= kErrOverflow));
    if (!ran) Check(code == 0 && first == 7 && engine.UsesN && engine.IndexTo < engine.IndexFrom);
    if (ran && code != 0) Check(first == 0);

    ExtendedReal second = 7;
    Check(EvaluateSequence(engine, x, second) == ran);
    Check(engine.EngineError == code);
    Check(SameBits(first, second) || (std::isnan(first) && std::isnan(second)));
    return 0;
}
