// The evaluator: a recursive walk over the pre-order node table, the power rule, and the
// sequence driver that carries a from step to step. Every operation checks its result, so a
// fault (overflow, division by zero, invalid operation) becomes code 11 where it happens.
#include "engine/evaluator.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/token_reader.h"

namespace {

constexpr ExtendedReal kMaxFinite = std::numeric_limits<ExtendedReal>::max();
// log2(e) to the full extended precision (not derived from the constant "e").
constexpr ExtendedReal kLog2E = 1.44269504088896340735992468100189213742664595L;
// From this magnitude on sine and cosine yield 0.
constexpr ExtendedReal kTrigLimit = 0x1p63L;
// Beyond these, 2^t overflows or underflows to 0 for certain.
constexpr ExtendedReal kExp2Overflow = 16400;
constexpr ExtendedReal kExp2Underflow = -16500;
constexpr int kLargestFactorial = 1754;

// Operands of every operation are finite, so a result that is not finite means that the
// operation overflowed or was invalid.
inline bool IsFinite(ExtendedReal v) {
    return std::fabs(v) <= kMaxFinite;
}

#if defined(__x86_64__) || defined(__i386__)
// The x87 instructions: argument reduction of fsin/fcos with the 66-bit pi agrees with the
// library well within 1e-14 for the arguments that matter, at a fraction of the cost.
inline void SineCosine(ExtendedReal v, ExtendedReal& sine, ExtendedReal& cosine) {
    asm("fsincos" : "=t"(cosine), "=u"(sine) : "0"(v));
}
inline ExtendedReal Sine(ExtendedReal v) {
    ExtendedReal r;
    asm("fsin" : "=t"(r) : "0"(v));
    return r;
}
inline ExtendedReal Cosine(ExtendedReal v) {
    ExtendedReal r;
    asm("fcos" : "=t"(r) : "0"(v));
    return r;
}
// ln v = ln 2 * log2 v.
inline ExtendedReal NaturalLog(ExtendedReal v) {
    ExtendedReal r;
    asm("fldln2\n\tfxch\n\tfyl2x" : "=t"(r) : "0"(v) : "st(1)");
    return r;
}
// 2^t for |t| within the clamps: 2^(t - round t) by f2xm1, scaled by 2^(round t).
inline ExtendedReal PowerOfTwo(ExtendedReal t) {
    ExtendedReal whole;
    asm("frndint" : "=t"(whole) : "0"(t));
    ExtendedReal fraction;
    asm("f2xm1" : "=t"(fraction) : "0"(t - whole));
    ExtendedReal r;
    asm("fscale" : "=t"(r) : "0"(fraction + 1), "u"(whole));
    return r;
}
#else
inline void SineCosine(ExtendedReal v, ExtendedReal& sine, ExtendedReal& cosine) {
    sine = sinl(v);
    cosine = cosl(v);
}
inline ExtendedReal Sine(ExtendedReal v) {
    return sinl(v);
}
inline ExtendedReal Cosine(ExtendedReal v) {
    return cosl(v);
}
inline ExtendedReal NaturalLog(ExtendedReal v) {
    return logl(v);
}
inline ExtendedReal PowerOfTwo(ExtendedReal t) {
    return exp2l(t);
}
#endif

// State of one walk: the next node, the first error met and the values of the leaves.
struct Walk {
    const TBinary* next;
    const TBinary* table;  // slot 0
    int32_t count;         // slots 1..count hold the tree
    int32_t error;
    ExtendedReal x;
    ExtendedReal a;
    ExtendedReal n;
};

inline ExtendedReal Fail(Walk& walk, int32_t code) {
    walk.error = code;
    return 0;
}

// e^v as 2^(v * log2 e); both steps may overflow.
ExtendedReal Exponential(int32_t& error, ExtendedReal v) {
    const ExtendedReal t = v * kLog2E;
    if (!IsFinite(t) || t > kExp2Overflow) {
        error = kErrOverflow;
        return 0;
    }
    if (t < kExp2Underflow) return 0;
    const ExtendedReal r = PowerOfTwo(t);
    if (!IsFinite(r)) {
        error = kErrOverflow;
        return 0;
    }
    return r;
}

ExtendedReal Power(int32_t& error, ExtendedReal base, ExtendedReal exponent) {
    const bool fractional = exponent - std::trunc(exponent) != 0;
    if (base < 0 && fractional) {
        error = kErrNegativeFractional;
        return 0;
    }
    if (base == 0) {
        if (fractional || exponent < 0) error = kErrZeroPower;
        return 0;  // 0^0 is 0 as well
    }
    const ExtendedReal product = exponent * NaturalLog(std::fabs(base));
    if (!IsFinite(product)) {
        error = kErrOverflow;
        return 0;
    }
    const ExtendedReal r = Exponential(error, product);
    if (base > 0) return r;
    const ExtendedReal half = exponent / 2;
    return half - std::trunc(half) != 0 ? -r : r;
}

// The factorials 0! .. 1754!, each the previous one times i in extended precision, the same
// products the loop of the definition makes.
struct FactorialTable {
    ExtendedReal value[kLargestFactorial + 1];
    FactorialTable() {
        value[0] = 1;
        for (int i = 1; i <= kLargestFactorial; ++i) value[i] = value[i - 1] * i;
    }
};

ExtendedReal Factorial(Walk& walk, ExtendedReal v) {
    if (v < 0 || v != std::nearbyint(v)) return Fail(walk, kErrFactorial);
    // From 1755 on the product leaves the extended range.
    if (v > kLargestFactorial) return Fail(walk, kErrOverflow);
    static const FactorialTable table;
    return table.value[static_cast<int>(v)];
}

// Sine over cosine or the reverse; a zero divisor (0/0 for huge arguments included) faults.
ExtendedReal Quotient(Walk& walk, ExtendedReal dividend, ExtendedReal divisor) {
    if (divisor == 0) return Fail(walk, kErrOverflow);
    const ExtendedReal r = dividend / divisor;
    return IsFinite(r) ? r : Fail(walk, kErrOverflow);
}

[[gnu::noinline]] ExtendedReal ApplyFunction(Walk& walk, int32_t code, ExtendedReal v) {
    const bool huge = !(std::fabs(v) < kTrigLimit);
    switch (static_cast<FunctionCode>(code)) {
        case FunctionCode::Sin:
            return huge ? 0 : Sine(v);
        case FunctionCode::Cos:
            return huge ? 0 : Cosine(v);
        case FunctionCode::Tg:
        case FunctionCode::Ctg: {
            const bool tangent = code == static_cast<int32_t>(FunctionCode::Tg);
            if (tangent && v == HalfPi()) return Fail(walk, kErrTangent);
            if (!tangent && v == ConstantPi()) return Fail(walk, kErrCotangent);
            ExtendedReal sine = 0;
            ExtendedReal cosine = 0;
            if (!huge) SineCosine(v, sine, cosine);
            return tangent ? Quotient(walk, sine, cosine) : Quotient(walk, cosine, sine);
        }
        case FunctionCode::Sqrt:
            return v >= 0 ? std::sqrt(v) : Fail(walk, kErrSqrtNegative);
        case FunctionCode::Ln:
            if (!(v > 0)) return Fail(walk, kErrLnNonPositive);
            return IsFinite(v) ? NaturalLog(v) : Fail(walk, kErrOverflow);
        case FunctionCode::Exp:
            return Exponential(walk.error, v);
        case FunctionCode::Abs:
            return std::fabs(v);
        case FunctionCode::Fact:
            return Factorial(walk, v);
    }
    return Fail(walk, kErrIncorrect);
}

[[gnu::noinline]] ExtendedReal ApplyPower(Walk& walk, ExtendedReal base, ExtendedReal exponent) {
    return Power(walk.error, base, exponent);
}

inline ExtendedReal ApplyOperator(Walk& walk, int32_t code, ExtendedReal l, ExtendedReal r) {
    ExtendedReal result;
    switch (static_cast<OperatorCode>(code)) {
        case OperatorCode::Add:
            result = l + r;
            break;
        case OperatorCode::Subtract:
            result = l - r;
            break;
        case OperatorCode::Multiply:
            result = l * r;
            break;
        case OperatorCode::Divide:
            if (r == 0) return Fail(walk, kErrDivisionByZero);
            result = l / r;
            break;
        case OperatorCode::Power:
            return ApplyPower(walk, l, r);
        default:
            return Fail(walk, kErrIncorrect);
    }
    return IsFinite(result) ? result : Fail(walk, kErrOverflow);
}

inline void CheckSlot([[maybe_unused]] const Walk& walk) {
#ifdef TARVIK_CHECK_WALK
    // The walk must stay within the slots the last build filled.
    if (walk.next - walk.table > walk.count) __builtin_trap();
#endif
}

ExtendedReal EvaluateWalk(Walk& walk);

// Leaves are read in place; only inner nodes recurse.
inline ExtendedReal Operand(Walk& walk) {
    CheckSlot(walk);
    const TBinary* node = walk.next;
    switch (node->Kind) {
        case NodeKind::Constant:
            ++walk.next;
            return node->Value;
        case NodeKind::ArgumentX:
            ++walk.next;
            return walk.x;
        case NodeKind::ValueA:
            ++walk.next;
            return walk.a;
        case NodeKind::IndexN:
            ++walk.next;
            return walk.n;
        default:
            return EvaluateWalk(walk);
    }
}

ExtendedReal EvaluateWalk(Walk& walk) {
    CheckSlot(walk);
    const TBinary* node = walk.next++;
    switch (node->Kind) {
        case NodeKind::Constant:
            return node->Value;
        case NodeKind::ArgumentX:
            return walk.x;
        case NodeKind::ValueA:
            return walk.a;
        case NodeKind::IndexN:
            return walk.n;
        case NodeKind::Operator: {
            const ExtendedReal l = Operand(walk);
            if (walk.error > 0) return 0;
            const ExtendedReal r = Operand(walk);
            if (walk.error > 0) return 0;
            return ApplyOperator(walk, node->Code, l, r);
        }
        case NodeKind::Function: {
            const ExtendedReal v = Operand(walk);
            if (walk.error > 0) return 0;
            return ApplyFunction(walk, node->Code, v);
        }
        default:
            return Fail(walk, kErrIncorrect);
    }
}

// Whether the subtree at slot `first` lies wholly in filled slots of the table.
bool SubtreeIsWhole(const Engine& engine, int32_t first) {
    int32_t pending = 1;
    for (int32_t slot = first; pending > 0; ++slot) {
        if (slot < 1 || slot > kNodeSlots) return false;
        switch (engine.NodeTable[slot].Kind) {
            case NodeKind::Operator:
                ++pending;
                break;
            case NodeKind::Function:
                break;
            case NodeKind::None:
                return false;
            default:
                --pending;
                break;
        }
    }
    return true;
}

}  // namespace

ExtendedReal EvaluateNode(Engine& engine, int32_t n, ExtendedReal x, ExtendedReal a) {
    if (engine.EngineError > 0) return 0;
    if (!SubtreeIsWhole(engine, engine.NodeCursor)) {
        engine.EngineError = kErrIncorrect;
        return 0;
    }
    Walk walk{&engine.NodeTable[engine.NodeCursor], engine.NodeTable.data(), kNodeSlots, 0, x, a,
              static_cast<ExtendedReal>(n)};
    const ExtendedReal result = EvaluateWalk(walk);
    engine.NodeCursor = static_cast<int32_t>(walk.next - walk.table);
    engine.EngineError = walk.error;
    return result;
}

ExtendedReal RaisePower(Engine& engine, ExtendedReal base, ExtendedReal exponent) {
    int32_t error = 0;
    const ExtendedReal result = Power(error, base, exponent);
    if (error > 0) {
        engine.EngineError = error;
        return 0;
    }
    return result;
}

bool EvaluateSequence(Engine& engine, ExtendedReal x, ExtendedReal& result) {
    if (engine.LastBuildError != kNoError) {
        engine.EngineError = engine.LastBuildError;
        return false;
    }
    engine.EngineError = kNoError;
    // 64-bit bounds, so that a range ending at the largest index still ends.
    int64_t first = 1;
    int64_t last = 1;
    if (engine.UsesN) {
        first = engine.IndexFrom;
        last = engine.IndexTo;
    }
    if (last < first) return false;

    const TBinary* root = &engine.NodeTable[1];
    Walk walk{root, engine.NodeTable.data(), engine.NodeCount, 0, x, engine.ValueA, 0};
    ExtendedReal a = engine.ValueA;
    for (int64_t n = first;; ++n) {
        walk.next = root;
        walk.a = a;
        walk.n = static_cast<ExtendedReal>(n);
        a = EvaluateWalk(walk);
        if (walk.error > 0) {
            engine.EngineError = walk.error;
            // Every later step starts at slot 1 and stops there at once, yielding 0.
            engine.NodeCursor = n < last ? 1 : static_cast<int32_t>(walk.next - walk.table);
            result = 0;
            return true;
        }
        if (n == last) break;
    }
    engine.NodeCursor = static_cast<int32_t>(walk.next - walk.table);
    result = a;
    return true;
}
