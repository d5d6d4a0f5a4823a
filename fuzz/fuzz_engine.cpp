// Fuzzes the build and the evaluation: arbitrary bytes give x, a0, c, a short index range and
// the expression text. Every call must end, stay within the table, report a known code and
// restore a, and agree bit for bit (value, code, cursor) with a plain transcription of the
// evaluation rules: a recursion into every operand, the power by truncation, the factorial by
// its loop. Every path agrees with it: the compiled program through EvaluateSequence, the
// checked walk, and EvaluateSamples over a batch of x and arguments derived from it; the
// compiled program and the batch run both as machine code (where the build made it) and on the
// portable runner. The build that tells where it stopped agrees with the plain one, and with
// the first builder, which read every operand again (for texts short enough for it).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "engine/compiled_program.h"
#include "engine/evaluator.h"
#include "engine/extended_math.h"
#include "engine/token_reader.h"
#include "engine/tree_builder.h"
#include "tests/engine/rescanning_builder.h"

namespace {

// Header: x, a0, c as doubles with a binary scale each, then the index range.
constexpr size_t kHeaderSize = 8 * 3 + 3 + 4 + 1;
// Texts up to this length are built by the first builder as well.
constexpr size_t kRescanLimit = 4096;

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

// Names the line of the failed check before it aborts.
void Check(bool condition, int line = __builtin_LINE()) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_engine.cpp:%d: check failed\n", line);
    std::abort();
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

namespace xm = extended_math;

// The rules as written, one node at a time, on a copy of the engine state.
class Reference {
  public:
    explicit Reference(Engine engine) : e_(std::move(engine)) {}

    bool Sequence(ExtendedReal x, ExtendedReal& result) {
        if (e_.LastBuildError != 0) {
            e_.EngineError = e_.LastBuildError;
            return false;
        }
        const ExtendedReal saved = e_.ValueA;
        e_.EngineError = 0;
        const int64_t first = e_.UsesN ? e_.IndexFrom : 1;
        const int64_t last = e_.UsesN ? e_.IndexTo : 1;
        if (last < first) return false;
        for (int64_t n = first; n <= last; ++n) {
            e_.NodeCursor = 1;
            result = Node(static_cast<int32_t>(n), x, e_.ValueA);
            e_.ValueA = result;
        }
        e_.ValueA = saved;
        return true;
    }

    const Engine& State() const { return e_; }

  private:
    ExtendedReal Fail(int32_t code) {
        e_.EngineError = code;
        return 0;
    }
    ExtendedReal Checked(ExtendedReal v) { return std::isfinite(v) ? v : Fail(kErrOverflow); }

    ExtendedReal Node(int32_t n, ExtendedReal x, ExtendedReal a) {
        if (e_.EngineError > 0) return 0;
        Check(e_.NodeCursor >= 1 && e_.NodeCursor <= e_.NodeCount);
        const TBinary& node = e_.NodeTable[e_.NodeCursor++];
        switch (node.Kind) {
            case NodeKind::Constant:
                return node.Value;
            case NodeKind::ArgumentX:
                return x;
            case NodeKind::ValueA:
                return a;
            case NodeKind::IndexN:
                return n;
            case NodeKind::Operator: {
                const ExtendedReal l = Node(n, x, a);
                const ExtendedReal r = Node(n, x, a);
                if (e_.EngineError > 0) return 0;
                switch (node.Code) {
                    case 1:
                        return Checked(l + r);
                    case 2:
                        return Checked(l - r);
                    case 3:
                        return Checked(l * r);
                    case 4:
                        return r == 0 ? Fail(kErrDivisionByZero) : Checked(l / r);
                    default:
                        return Power(l, r);
                }
            }
            case NodeKind::Function: {
                const ExtendedReal v = Node(n, x, a);
                if (e_.EngineError > 0) return 0;
                return Function(node.Code, v);
            }
            default:
                Check(false);
                return 0;
        }
    }

    ExtendedReal Exp(ExtendedReal v) {
        const ExtendedReal t = Checked(v * xm::kLog2E);
        if (e_.EngineError > 0 || t > xm::kPowerOfTwoOverflow) return Fail(kErrOverflow);
        return t < xm::kPowerOfTwoUnderflow ? 0 : Checked(xm::PowerOfTwo(t));
    }

    ExtendedReal Power(ExtendedReal base, ExtendedReal exponent) {
        const ExtendedReal fraction = exponent - std::trunc(exponent);
        if (base < 0 && fraction != 0) return Fail(kErrNegativeFractional);
        if (base == 0 && (fraction != 0 || exponent < 0)) return Fail(kErrZeroPower);
        if (base == 0) return 0;
        const ExtendedReal product = Checked(exponent * xm::NaturalLog(std::fabs(base)));
        if (e_.EngineError > 0) return 0;
        const ExtendedReal r = Exp(product);
        if (e_.EngineError > 0) return 0;  // the fault abandons the power
        const ExtendedReal half = exponent / 2;
        return base < 0 && half - std::trunc(half) != 0 ? -r : r;
    }

    ExtendedReal Trig(ExtendedReal v, bool sine) {
        if (std::fabs(v) >= xm::kTrigLimit) return 0;
        return sine ? xm::Sine(v) : xm::Cosine(v);
    }

    // Tangent and cotangent take both from one fsincos, which may differ from fsin and fcos
    // in the last bit.
    ExtendedReal TrigPair(ExtendedReal v, bool tangent) {
        ExtendedReal sine = 0;
        ExtendedReal cosine = 0;
        if (std::fabs(v) < xm::kTrigLimit) xm::SineCosine(v, sine, cosine);
        return tangent ? Quotient(sine, cosine) : Quotient(cosine, sine);
    }

    ExtendedReal Quotient(ExtendedReal dividend, ExtendedReal divisor) {
        return divisor == 0 ? Fail(kErrOverflow) : Checked(dividend / divisor);
    }

    ExtendedReal Function(int32_t code, ExtendedReal v) {
        switch (code) {
            case 1:
                return Trig(v, true);
            case 2:
                return Trig(v, false);
            case 3:
                if (v == HalfPi()) return Fail(kErrTangent);
                return TrigPair(v, true);
            case 4:
                if (v == ConstantPi()) return Fail(kErrCotangent);
                return TrigPair(v, false);
            case 5:
                return v >= 0 ? std::sqrt(v) : Fail(kErrSqrtNegative);
            case 6:
                return v > 0 ? xm::NaturalLog(v) : Fail(kErrLnNonPositive);
            case 7:
                return Exp(v);
            case 8:
                return std::fabs(v);
            default: {
                if (v < 0 || v != std::nearbyint(v)) return Fail(kErrFactorial);
                ExtendedReal r = 1;
                for (ExtendedReal i = 1; i <= v; i += 1) {
                    r = Checked(r * i);
                    if (e_.EngineError > 0) return 0;
                }
                return r;
            }
        }
    }

    Engine e_;
};

bool SameBits(ExtendedReal a, ExtendedReal b) {
    return std::memcmp(&a, &b, 10) == 0;
}

constexpr int32_t kMaxBatch = 9;

// EvaluateSamples over x and arguments derived from it (some fault where x does not), each
// column against the transcription, the cursor against the last column's.
void CheckBatchOn(const Engine& engine, ExtendedReal x, int32_t count) {
    const ExtendedReal derived[kMaxBatch] = {x, 0, -x, x / 3, 1e3000L, x + 1, -1, x * x, 0.5L};
    ExtendedReal xs[kMaxBatch];
    for (int32_t i = 0; i < count; ++i) {
        const ExtendedReal v = derived[(i * 5 + count) % kMaxBatch];
        xs[i] = std::isfinite(v) ? v : x;
    }
    Engine batch = engine;
    batch.EngineError = kErrOverflow;
    ExtendedReal values[kMaxBatch];
    bool ok[kMaxBatch];
    EvaluateSamples(batch, xs, count, values, ok);
    Check(batch.EngineError == 0 && SameBits(batch.ValueA, engine.ValueA));
    int32_t cursor = engine.NodeCursor;
    for (int32_t i = 0; i < count; ++i) {
        Reference reference(engine);
        ExtendedReal expected = 7;
        const bool ran = reference.Sequence(xs[i], expected);
        const bool produced = ran && reference.State().EngineError == 0;
        Check(ok[i] == produced);
        if (produced) Check(SameBits(values[i], expected));
        if (ran) cursor = reference.State().NodeCursor;
        if (!ran) cursor = engine.NodeCursor;
    }
    Check(batch.NodeCursor == cursor);
}

void CheckBatch(const Engine& engine, ExtendedReal x, int32_t count) {
    CheckBatchOn(engine, x, count);
    if (!HasMachineCode(engine)) return;
    Engine machine = engine;
    AlwaysRunMachineCode(machine);
    CheckBatchOn(machine, x, count);
    Engine portable = engine;
    DropMachineCode(portable);
    CheckBatchOn(portable, x, count);
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
    // The values of the parameter fields are finite.
    const auto finite = [](double base, int8_t scale) {
        const ExtendedReal v = std::ldexp(static_cast<ExtendedReal>(base), scale * 64);
        return std::isfinite(v) ? v : 0;
    };
    const ExtendedReal x = finite(xBase, xScale);
    Engine engine;
    engine.ValueA = finite(aBase, aScale);
    engine.ConstantC = finite(cBase, cScale);
    const int64_t last = static_cast<int64_t>(from) + span - 8;
    engine.IndexFrom = from;
    engine.IndexTo = static_cast<int32_t>(
        std::clamp<int64_t>(last, std::numeric_limits<int32_t>::min(), INT32_MAX));
    const std::string_view text = reader.Rest();

    const int32_t built = BuildExpression(engine, text);
    Check(built == engine.EngineError && built == engine.LastBuildError);
    Check(engine.NodeCursor >= 1 && engine.NodeCursor <= kNodeSlots + 1);
    Check(built == 0 || built == kErrIncorrect || built == kErrBrackets);
    if (built == 0) Check(IsWholeTree(engine, engine.NodeCount));
    // The build that tells where it stopped is the same build, and its stop lies in the text.
    {
        Engine told = engine;
        BuildStop stop;
        Check(BuildExpression(told, text, stop) == built);
        Check(told.NodeCursor == engine.NodeCursor);
        for (int32_t slot = 1; slot < engine.NodeCursor && slot <= kNodeSlots; ++slot) {
            Check(told.NodeTable[slot].Kind == engine.NodeTable[slot].Kind);
            Check(told.NodeTable[slot].Code == engine.NodeTable[slot].Code);
        }
        if (built == 0 || text.empty()) {
            // A complete build, or no text to point into.
            Check(stop.Length == 0);
        } else {
            Check(stop.Start >= 1 && stop.Length >= 1);
            Check(static_cast<size_t>(stop.Start - 1 + stop.Length) <= text.size());
        }
    }
    // The first builder's time grows with the text times the tree's depth.
    if (text.size() <= kRescanLimit) {
        Engine rescanned = engine;
        BuildStop stop;
        BuildStop rescannedStop;
        Engine told = engine;
        Check(BuildExpression(told, text, stop) ==
              BuildByRescanning(rescanned, text, rescannedStop));
        Check(stop.Start == rescannedStop.Start && stop.Length == rescannedStop.Length);
        Check(told.NodeCursor == rescanned.NodeCursor && told.UsesX == rescanned.UsesX &&
              told.UsesN == rescanned.UsesN);
        for (int32_t slot = 1; slot <= kNodeSlots; ++slot) {
            Check(told.NodeTable[slot].Kind == rescanned.NodeTable[slot].Kind);
            Check(told.NodeTable[slot].Code == rescanned.NodeTable[slot].Code);
            Check(std::memcmp(&told.NodeTable[slot].Value, &rescanned.NodeTable[slot].Value, 10) ==
                  0);
        }
    }

    Reference reference(engine);
    ExtendedReal expected = 7;
    const bool referenceRan = reference.Sequence(x, expected);

    const ExtendedReal a0 = engine.ValueA;
    ExtendedReal first = 7;
    const bool ran = EvaluateSequence(engine, x, first);
    const int32_t code = engine.EngineError;
    Check(SameBits(engine.ValueA, a0));
    if (built != 0) {
        Check(!ran && code == built && first == 7);
        CheckBatch(engine, x, 1 + static_cast<int32_t>(text.size() % kMaxBatch));
        return 0;
    }
    Check(code == 0 || (code >= kErrDivisionByZero && code <= kErrOverflow));
    if (!ran) Check(code == 0 && first == 7 && engine.UsesN && engine.IndexTo < engine.IndexFrom);
    if (ran && code != 0) Check(first == 0);
    Check(ran == referenceRan && code == reference.State().EngineError);
    Check(SameBits(first, expected));
    if (ran) Check(engine.NodeCursor == reference.State().NodeCursor);

    ExtendedReal second = 7;
    Check(EvaluateSequence(engine, x, second) == ran);
    Check(engine.EngineError == code);
    Check(SameBits(first, second));

    for (const bool machine : {true, false}) {
        Engine other = engine;
        if (machine) {
            AlwaysRunMachineCode(other);
        } else {
            DropMachineCode(other);
        }
        ExtendedReal third = 7;
        Check(EvaluateSequence(other, x, third) == ran);
        Check(other.EngineError == code && other.NodeCursor == engine.NodeCursor);
        Check(SameBits(first, third));
    }

    Engine checked = engine;
    ExtendedReal walked = 7;
    Check(EvaluateSequenceChecked(checked, x, walked) == ran);
    Check(checked.EngineError == code && SameBits(walked, first));
    Check(checked.NodeCursor == engine.NodeCursor && SameBits(checked.ValueA, a0));

    CheckBatch(engine, x, 1 + static_cast<int32_t>(text.size() % kMaxBatch));
    return 0;
}
