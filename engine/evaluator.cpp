// The evaluator: a recursive walk over the pre-order node table, the power rule, and the
// sequence driver that carries a from step to step. In the checked walk every operation
// checks its result, so a fault (overflow, division by zero, invalid operation) becomes code
// 11 where it happens; it is the reference for every value, code and cursor. The sequence
// driver runs the compiled program (engine/compiled_program.h) and hands a sample over to the
// checked walk when the program cannot vouch for its value.
//
// The walk keeps values in the x87 registers: a long double that is stored and at once loaded
// back stalls the processor, so the elementary functions are inlined into the walk, left
// spines are walked in a loop, and the leaves are read in place (x and a through pointers, n
// from its integer).
#include "engine/evaluator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/compiled_program.h"
#include "engine/extended_math.h"
#include "engine/token_reader.h"

namespace {

using extended_math::IsFinite;

#define TARVIK_INLINE [[gnu::always_inline]] inline

// State of one walk: the next node, the first error met and where the leaves' values are.
struct Walk {
    const TBinary* next;
    const TBinary* table;  // slot 0
    int32_t count;         // slots 1..count hold the tree
    int32_t error;
    int32_t n;
    // Where the values of x (kind 4) and a (kind 5) are, indexed by the kind's lowest bit.
    const ExtendedReal* leaf[2];
};

TARVIK_INLINE Walk StartWalk(const Engine& engine, int32_t first, int32_t count, int32_t n,
                             const ExtendedReal* x, const ExtendedReal* a) {
    return Walk{&engine.NodeTable[first], engine.NodeTable.data(), count, 0, n, {x, a}};
}

TARVIK_INLINE ExtendedReal Fail(int32_t& error, int32_t code) {
    error = code;
    return 0;
}

TARVIK_INLINE ExtendedReal Checked(int32_t& error, ExtendedReal v) {
    return IsFinite(v) ? v : Fail(error, kErrOverflow);
}

// e^v as 2^(v * log2 e); both steps may overflow.
TARVIK_INLINE ExtendedReal Exponential(int32_t& error, ExtendedReal v) {
    const ExtendedReal t = v * extended_math::kLog2E;
    if (!IsFinite(t) || t > extended_math::kPowerOfTwoOverflow) return Fail(error, kErrOverflow);
    if (t < extended_math::kPowerOfTwoUnderflow) return 0;
    return Checked(error, extended_math::PowerOfTwo(t));
}

TARVIK_INLINE ExtendedReal Power(int32_t& error, ExtendedReal base, ExtendedReal exponent) {
    // The fractional part (exponent minus exponent truncated) is 0 just for integers.
    const bool fractional = !extended_math::IsIntegral(exponent);
    if (base < 0 && fractional) return Fail(error, kErrNegativeFractional);
    if (base == 0) {
        if (fractional || exponent < 0) return Fail(error, kErrZeroPower);
        return 0;  // 0^0 is 0 as well
    }
    const ExtendedReal product = exponent * extended_math::NaturalLog(std::fabs(base));
    if (!IsFinite(product)) return Fail(error, kErrOverflow);
    const ExtendedReal r = Exponential(error, product);
    if (base > 0) return r;
    return extended_math::IsIntegral(exponent / 2) ? r : -r;
}

[[gnu::noinline]] ExtendedReal Factorial(int32_t& error, const ExtendedReal& v) {
    if (v < 0 || !extended_math::IsIntegral(v)) return Fail(error, kErrFactorial);
    // From 1755 on the product leaves the extended range.
    if (v > kLargestFactorial) return Fail(error, kErrOverflow);
    return TabulatedFactorial(static_cast<int32_t>(v));
}

// Sine over cosine or the reverse; a zero divisor (0/0 for huge arguments included) faults.
TARVIK_INLINE ExtendedReal Quotient(int32_t& error, ExtendedReal dividend, ExtendedReal divisor) {
    if (divisor == 0) return Fail(error, kErrOverflow);
    return Checked(error, dividend / divisor);
}

TARVIK_INLINE ExtendedReal ApplyFunction(int32_t& error, int32_t code, ExtendedReal v) {
    const bool huge = !(std::fabs(v) < extended_math::kTrigLimit);
    switch (static_cast<FunctionCode>(code)) {
        case FunctionCode::Sin:
            return huge ? 0 : extended_math::Sine(v);
        case FunctionCode::Cos:
            return huge ? 0 : extended_math::Cosine(v);
        case FunctionCode::Tg:
        case FunctionCode::Ctg: {
            const bool tangent = code == static_cast<int32_t>(FunctionCode::Tg);
            if (tangent && v == extended_math::kHalfPi) return Fail(error, kErrTangent);
            if (!tangent && v == extended_math::kPi) return Fail(error, kErrCotangent);
            ExtendedReal sine = 0;
            ExtendedReal cosine = 0;
            if (!huge) extended_math::SineCosine(v, sine, cosine);
            return tangent ? Quotient(error, sine, cosine) : Quotient(error, cosine, sine);
        }
        case FunctionCode::Sqrt:
            return v >= 0 ? std::sqrt(v) : Fail(error, kErrSqrtNegative);
        case FunctionCode::Ln:
            if (!(v > 0)) return Fail(error, kErrLnNonPositive);
            return IsFinite(v) ? extended_math::NaturalLog(v) : Fail(error, kErrOverflow);
        case FunctionCode::Exp:
            return Exponential(error, v);
        case FunctionCode::Abs:
            return std::fabs(v);
        case FunctionCode::Fact:
            return Factorial(error, v);
    }
    return Fail(error, kErrIncorrect);
}

// "+", "-", "*", "/"; the power has its own rule.
TARVIK_INLINE ExtendedReal ApplyArithmetic(int32_t& error, int32_t code, ExtendedReal l,
                                           ExtendedReal r) {
    switch (static_cast<OperatorCode>(code)) {
        case OperatorCode::Add:
            return Checked(error, l + r);
        case OperatorCode::Subtract:
            return Checked(error, l - r);
        case OperatorCode::Multiply:
            return Checked(error, l * r);
        case OperatorCode::Divide:
            if (r == 0) return Fail(error, kErrDivisionByZero);
            return Checked(error, l / r);
        default:
            return Fail(error, kErrIncorrect);
    }
}

TARVIK_INLINE void CheckSlot([[maybe_unused]] const Walk& walk,
                             [[maybe_unused]] const TBinary* node) {
#ifdef TARVIK_CHECK_WALK
    // The walk must stay within the slots the last build filled.
    if (node - walk.table < 1 || node - walk.table > walk.count) __builtin_trap();
#endif
}

// Leaves are the kinds 1, 4, 5 and 6.
TARVIK_INLINE bool IsLeaf(NodeKind kind) {
    constexpr uint32_t kLeafKinds = (1u << 1) | (1u << 4) | (1u << 5) | (1u << 6);
    return (kLeafKinds >> (static_cast<uint32_t>(kind) & 31u)) & 1u;
}

// The value of a leaf node; leaves cannot fault.
TARVIK_INLINE ExtendedReal LeafValue(const Walk& walk, const TBinary* node) {
    const NodeKind kind = node->Kind;
    if (kind == NodeKind::IndexN) return static_cast<ExtendedReal>(walk.n);
    const ExtendedReal* source =
        kind == NodeKind::Constant ? &node->Value : walk.leaf[static_cast<int>(kind) & 1];
    return *source;
}

ExtendedReal EvaluateWalk(Walk& walk);

// Leaves are read in place; most inner nodes recurse.
TARVIK_INLINE ExtendedReal Operand(Walk& walk) {
    const TBinary* node = walk.next;
    CheckSlot(walk, node);
    switch (node->Kind) {
        case NodeKind::Operator:
            // An arithmetic operator on two leaves ("2*x", "n*x") is done in place as well, so
            // that a value already computed stays in its register.
            if (node->Code == static_cast<int32_t>(OperatorCode::Power)) break;
            CheckSlot(walk, node + 2);
            if (IsLeaf(node[1].Kind) && IsLeaf(node[2].Kind)) {
                walk.next = node + 3;
                return ApplyArithmetic(walk.error, node->Code, LeafValue(walk, node + 1),
                                       LeafValue(walk, node + 2));
            }
            break;
        case NodeKind::Function:
            // So is a function of a leaf ("sinx", "lnx").
            CheckSlot(walk, node + 1);
            if (IsLeaf(node[1].Kind)) {
                walk.next = node + 2;
                return ApplyFunction(walk.error, node->Code, LeafValue(walk, node + 1));
            }
            break;
        case NodeKind::Constant:
        case NodeKind::ArgumentX:
        case NodeKind::ValueA:
        case NodeKind::IndexN:
            ++walk.next;
            return LeafValue(walk, node);
        default:
            break;
    }
    return EvaluateWalk(walk);
}

TARVIK_INLINE bool IsInner(NodeKind kind) {
    return kind == NodeKind::Operator || kind == NodeKind::Function;
}

// The left children of a node follow it in the table, so its left spine is the run of
// operators and functions from it on, ending at a leaf. The spine is applied from the bottom
// up, each operator taking its right operand where the walk stands: the same order as a walk
// that recurses into every left operand, without the calls.
TARVIK_INLINE ExtendedReal WalkSpine(Walk& walk) {
    const TBinary* const top = walk.next;
    const TBinary* node = top;
    CheckSlot(walk, node);
    while (IsInner(node->Kind)) {
        ++node;
        CheckSlot(walk, node);
    }
    if (!IsLeaf(node->Kind)) return Fail(walk.error, kErrIncorrect);
    walk.next = node + 1;
    ExtendedReal value = LeafValue(walk, node);
    while (node != top) {
        --node;
        if (node->Kind == NodeKind::Function) {
            value = ApplyFunction(walk.error, node->Code, value);
        } else {
            const ExtendedReal right = Operand(walk);
            if (walk.error > 0) return 0;
            value = node->Code == static_cast<int32_t>(OperatorCode::Power)
                        ? Power(walk.error, value, right)
                        : ApplyArithmetic(walk.error, node->Code, value, right);
        }
        if (walk.error > 0) return 0;
    }
    return value;
}

[[gnu::noinline]] ExtendedReal EvaluateWalk(Walk& walk) {
    return WalkSpine(walk);
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

// The sequence with every result checked: the first error in the order of the walk stops it
// with its code, and the cursor stays where that walk stopped.
[[gnu::noinline]] void CheckedSequence(Engine& engine, ExtendedReal x, int64_t first, int64_t last,
                                       ExtendedReal& result) {
    const TBinary* root = &engine.NodeTable[1];
    // ValueA itself is never changed: the first step reads it, later steps read `carried`.
    ExtendedReal carried;  // written before a later step reads it
    Walk walk = StartWalk(engine, 1, engine.NodeCount, 0, &x, &engine.ValueA);
    for (int64_t n = first;; ++n) {
        walk.next = root;
        walk.n = static_cast<int32_t>(n);
        const ExtendedReal value = WalkSpine(walk);
        if (walk.error > 0) {
            engine.EngineError = walk.error;
            // Every later step starts at slot 1 and stops there at once, yielding 0.
            engine.NodeCursor = n < last ? 1 : static_cast<int32_t>(walk.next - walk.table);
            result = 0;
            return;
        }
        if (n == last) {
            engine.NodeCursor = static_cast<int32_t>(walk.next - walk.table);
            result = value;
            return;
        }
        carried = value;
        walk.leaf[1] = &carried;
    }
}

}  // namespace

ExtendedReal EvaluateNode(Engine& engine, int32_t n, ExtendedReal x, ExtendedReal a) {
    if (engine.EngineError > 0) return 0;
    if (!SubtreeIsWhole(engine, engine.NodeCursor)) {
        engine.EngineError = kErrIncorrect;
        return 0;
    }
    Walk walk = StartWalk(engine, engine.NodeCursor, kNodeSlots, n, &x, &a);
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

namespace {

// The index range of a sequence: n from first to last (64-bit, so that a range ending at the
// largest index still ends). Empty when last < first.
struct IndexRange {
    int64_t first = 1;
    int64_t last = 1;
};

IndexRange RangeOf(const Engine& engine) {
    if (!engine.UsesN) return {};
    return {engine.IndexFrom, engine.IndexTo};
}

}  // namespace

bool EvaluateSequenceChecked(Engine& engine, ExtendedReal x, ExtendedReal& result) {
    if (engine.LastBuildError != kNoError) {
        engine.EngineError = engine.LastBuildError;
        return false;
    }
    engine.EngineError = kNoError;
    const IndexRange range = RangeOf(engine);
    if (range.last < range.first) return false;
    CheckedSequence(engine, x, range.first, range.last, result);
    return true;
}

bool EvaluateSequence(Engine& engine, const ExtendedReal& x, ExtendedReal& result) {
    if (!HasProgram(engine)) return EvaluateSequenceChecked(engine, x, result);
    engine.EngineError = kNoError;
    const IndexRange range = RangeOf(engine);
    if (range.last < range.first) return false;
    const ExtendedReal value = RunsMachineCodeOnce(engine, range.first, range.last)
                                   ? RunMachineCodeOnce(engine, x, range.first, range.last)
                                   : RunProgramOnce(engine, x, range.first, range.last);
    if (!extended_math::IsFinite(value)) {
        CheckedSequence(engine, x, range.first, range.last, result);
        return true;
    }
    engine.NodeCursor = engine.NodeCount + 1;
    result = value;
    return true;
}

void EvaluateSamples(Engine& engine, const ExtendedReal* x, int32_t count, ExtendedReal* values,
                     bool* ok) {
    engine.EngineError = kNoError;
    if (count <= 0) return;
    const IndexRange range = RangeOf(engine);
    if (engine.LastBuildError != kNoError || range.last < range.first) {
        std::fill(ok, ok + count, false);
        return;
    }
    if (HasProgram(engine)) {
        RunProgram(engine, x, count, range.first, range.last, values, ok);
    } else {
        std::fill(ok, ok + count, false);
    }
    // The cursor as the last sample's evaluation leaves it: past the tree when the program
    // gave its value, where the checked walk stopped otherwise.
    int32_t cursor = engine.NodeCount + 1;
    for (int32_t i = 0; i < count; ++i) {
        if (ok[i]) continue;
        engine.EngineError = kNoError;
        CheckedSequence(engine, x[i], range.first, range.last, values[i]);
        ok[i] = engine.EngineError == kNoError;
        if (i == count - 1) cursor = engine.NodeCursor;
    }
    engine.NodeCursor = cursor;
    engine.EngineError = kNoError;
}
