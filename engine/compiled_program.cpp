// The compiler from the pre-order node table to a postfix instruction list, and its runner.
//
// The program keeps one running value per column (the accumulator) and a stack for left
// operands that wait for a computed right one. An operator with a leaf operand takes the leaf
// in place; when only its left operand is a leaf, the right one is computed first and the leaf
// comes in as the left operand. The order of the operations may thus differ from the walk's,
// which is harmless: without side effects, each operation gets the same operands and gives the
// same bits.
//
// Nothing is checked per operation. Every operation maps a value that is not finite to one that
// is not finite either, and an operation that meets one of the guards of the checked walk (the
// power's rules, a function's domain, the factorial's range, pi/2 for the tangent) yields NaN.
// So a finite result means that no step met a fault or a guard, and that every operation
// worked on finite operands with a finite result: bit for bit what the checked walk computes.
#include "engine/compiled_program.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "engine/extended_math.h"

namespace {

namespace xm = extended_math;
using xm::IsFinite;

#define TARVIK_INLINE [[gnu::always_inline]] inline

constexpr ExtendedReal kNaN = std::numeric_limits<ExtendedReal>::quiet_NaN();

// Left operands waiting for their right one; a deeper tree is only walked.
constexpr int32_t kMaxDepth = 96;

// Where a leaf operand comes from. The reverse forms take the leaf as the left operand.
enum Source : int32_t {
    kX,
    kA,
    kN,
    kC,
    kReverseX,
    kReverseA,
    kReverseN,
    kReverseC,
    kStack,  // the left operand is the top of the stack
    kSources,
};

// Opcodes: the end, a push of the accumulator, loads of a leaf (with or without a push first),
// the nine functions, then the five operators with each source.
constexpr int32_t kEnd = 0;
constexpr int32_t kPush = 1;
constexpr int32_t kLoad = 2;
constexpr int32_t kPushLoad = kLoad + 4;
constexpr int32_t kFunction = kPushLoad + 4;
constexpr int32_t kBinary = kFunction + 9;

constexpr int32_t FunctionOp(FunctionCode code) {
    return kFunction + static_cast<int32_t>(code) - 1;
}
constexpr int32_t BinaryOp(OperatorCode code, int32_t source) {
    return kBinary + (static_cast<int32_t>(code) - 1) * kSources + source;
}

struct FactorialTable {
    ExtendedReal value[kLargestFactorial + 1];
    FactorialTable() {
        value[0] = 1;
        for (int32_t i = 1; i <= kLargestFactorial; ++i) value[i] = value[i - 1] * i;
    }
};

// --- The compiler ---

// The source of a leaf node, or -1 for an inner node.
int32_t LeafSource(const TBinary& node) {
    switch (node.Kind) {
        case NodeKind::ArgumentX:
            return kX;
        case NodeKind::ValueA:
            return kA;
        case NodeKind::IndexN:
            return kN;
        case NodeKind::Constant:
            return kC;
        default:
            return -1;
    }
}

class Compiler {
  public:
    explicit Compiler(Engine& engine) : engine_(engine), program_(engine.Program) {}

    void Compile() {
        program_.Length = 0;
        program_.NodeCount = engine_.NodeCount;
        if (SubtreeEnd(1) != engine_.NodeCount + 1) return;
        Subtree(1);
        Emit(kEnd, 0);
        if (!ok_) program_.Length = 0;
    }

  private:
    // The slot after the subtree at `slot`, or 0 when slots 1..NodeCount hold no whole subtree
    // there.
    int32_t SubtreeEnd(int32_t slot) const {
        for (int32_t pending = 1; pending > 0; ++slot) {
            if (slot < 1 || slot > engine_.NodeCount) return 0;
            const NodeKind kind = engine_.NodeTable[slot].Kind;
            if (kind == NodeKind::None) return 0;
            if (kind == NodeKind::Operator) ++pending;
            if (LeafSource(engine_.NodeTable[slot]) >= 0) --pending;
        }
        return slot;
    }

    void Emit(int32_t op, ExtendedReal constant) {
        if (program_.Length >= static_cast<int32_t>(program_.Code.size())) {
            ok_ = false;
            return;
        }
        Instruction* const previous =
            program_.Length > 0 ? &program_.Code[program_.Length - 1] : nullptr;
        // A push followed by a load is one instruction.
        if (op >= kLoad && op < kPushLoad && previous != nullptr && previous->Op == kPush) {
            *previous = Instruction{kPushLoad + (op - kLoad), constant};
            return;
        }
        program_.Code[program_.Length++] = Instruction{op, constant};
    }

    static ExtendedReal LeafConstant(const TBinary& node) {
        return node.Kind == NodeKind::Constant ? node.Value : 0;
    }

    void Subtree(int32_t slot) {
        if (!ok_) return;
        const TBinary& node = engine_.NodeTable[slot];
        const int32_t leaf = LeafSource(node);
        if (leaf >= 0) return Emit(kLoad + leaf, LeafConstant(node));
        if (node.Kind == NodeKind::Function) {
            if (node.Code < 1 || node.Code > 9) return Fail();
            Subtree(slot + 1);
            return Emit(FunctionOp(static_cast<FunctionCode>(node.Code)), 0);
        }
        if (node.Code < 1 || node.Code > 5) return Fail();
        const auto code = static_cast<OperatorCode>(node.Code);
        const int32_t left = slot + 1;
        const int32_t right = SubtreeEnd(left);
        if (right == 0) return Fail();
        const TBinary& leftNode = engine_.NodeTable[left];
        const TBinary& rightNode = engine_.NodeTable[right];
        if (LeafSource(rightNode) >= 0) {
            Subtree(left);
            return Emit(BinaryOp(code, LeafSource(rightNode)), LeafConstant(rightNode));
        }
        if (LeafSource(leftNode) >= 0) {
            Subtree(right);
            const bool commutative = code == OperatorCode::Add || code == OperatorCode::Multiply;
            const int32_t source = LeafSource(leftNode) + (commutative ? 0 : kReverseX);
            return Emit(BinaryOp(code, source), LeafConstant(leftNode));
        }
        Subtree(left);
        Emit(kPush, 0);
        if (++depth_ > kMaxDepth) return Fail();
        Subtree(right);
        --depth_;
        Emit(BinaryOp(code, kStack), 0);
    }

    void Fail() { ok_ = false; }

    const Engine& engine_;
    CompiledProgram& program_;
    int32_t depth_ = 0;
    bool ok_ = true;
};

// --- The operations without checks ---

// A computed divisor that is not finite would give a finite quotient.
TARVIK_INLINE ExtendedReal DivideByComputed(ExtendedReal l, ExtendedReal r) {
    return IsFinite(r) ? l / r : kNaN;
}

// e^v as 2^(v * log2 e). t - t is +0 for a finite t, as the walk's 0, and NaN for minus
// infinity.
TARVIK_INLINE ExtendedReal Exponential(ExtendedReal v) {
    const ExtendedReal t = v * xm::kLog2E;
    if (t > xm::kPowerOfTwoOverflow) return kNaN;
    if (t < xm::kPowerOfTwoUnderflow) return t - t;
    return xm::PowerOfTwo(t);
}

TARVIK_INLINE ExtendedReal Power(ExtendedReal base, ExtendedReal exponent) {
    const bool fractional = !xm::IsIntegral(exponent);
    if (base < 0 && fractional) return kNaN;
    if (base == 0) return fractional || exponent < 0 || !IsFinite(exponent) ? kNaN : 0;
    const ExtendedReal r = Exponential(exponent * xm::NaturalLog(std::fabs(base)));
    if (base > 0) return r;
    return xm::IsIntegral(exponent / 2) ? r : -r;
}

[[gnu::noinline]] ExtendedReal Factorial(ExtendedReal v) {
    if (v < 0 || !xm::IsIntegral(v) || v > kLargestFactorial) return kNaN;
    return TabulatedFactorial(static_cast<int32_t>(v));
}

TARVIK_INLINE bool Huge(ExtendedReal v) {
    return !(std::fabs(v) < xm::kTrigLimit);
}

// Sine or cosine of a huge number is +0; of one that is not finite, NaN.
TARVIK_INLINE ExtendedReal Sine(ExtendedReal v) {
    return Huge(v) ? v - v : xm::Sine(v);
}
TARVIK_INLINE ExtendedReal Cosine(ExtendedReal v) {
    return Huge(v) ? v - v : xm::Cosine(v);
}

// Tangent or cotangent; a huge argument is 0/0 for the walk.
template <bool kTangent>
TARVIK_INLINE ExtendedReal Tangent(ExtendedReal v) {
    if (v == (kTangent ? xm::kHalfPi : xm::kPi) || Huge(v)) return kNaN;
    ExtendedReal sine;
    ExtendedReal cosine;
    xm::SineCosine(v, sine, cosine);
    return kTangent ? sine / cosine : cosine / sine;
}

TARVIK_INLINE ExtendedReal SquareRoot(ExtendedReal v) {
    return v >= 0 ? std::sqrt(v) : kNaN;
}
TARVIK_INLINE ExtendedReal Logarithm(ExtendedReal v) {
    return v > 0 ? xm::NaturalLog(v) : kNaN;
}

// --- The runner ---

// The running value, x, a and n are locals that stay in the x87 registers from instruction to
// instruction; only left operands that wait for a computed right one go to memory. Samples run
// one after another through the same loop: the dispatch repeats itself from sample to sample,
// so it is predicted, and the processor overlaps the independent samples. (Running several
// samples per instruction in lockstep was measured slower here: their values no longer fit the
// eight x87 registers, and every spill of an extended value is a slow store.)

struct Leaves {
    ExtendedReal x;
    ExtendedReal a;
    ExtendedReal n;
};

template <int32_t kSource>
TARVIK_INLINE ExtendedReal Leaf(const Leaves& leaves, const Instruction* ip) {
    if constexpr (kSource == kX) return leaves.x;
    if constexpr (kSource == kA) return leaves.a;
    if constexpr (kSource == kN) return leaves.n;
    if constexpr (kSource == kC) return ip->Constant;
}

template <FunctionCode kCode>
TARVIK_INLINE ExtendedReal ApplyFunction(ExtendedReal v) {
    if constexpr (kCode == FunctionCode::Sin) return Sine(v);
    if constexpr (kCode == FunctionCode::Cos) return Cosine(v);
    if constexpr (kCode == FunctionCode::Tg) return Tangent<true>(v);
    if constexpr (kCode == FunctionCode::Ctg) return Tangent<false>(v);
    if constexpr (kCode == FunctionCode::Sqrt) return SquareRoot(v);
    if constexpr (kCode == FunctionCode::Ln) return Logarithm(v);
    if constexpr (kCode == FunctionCode::Exp) return Exponential(v);
    if constexpr (kCode == FunctionCode::Abs) return std::fabs(v);
    if constexpr (kCode == FunctionCode::Fact) return Factorial(v);
}

// The operator on (l, r); kComputedRight: r was computed, not read from a leaf.
template <OperatorCode kCode, bool kComputedRight>
TARVIK_INLINE ExtendedReal ApplyOperator(ExtendedReal l, ExtendedReal r) {
    if constexpr (kCode == OperatorCode::Add) return l + r;
    if constexpr (kCode == OperatorCode::Subtract) return l - r;
    if constexpr (kCode == OperatorCode::Multiply) return l * r;
    if constexpr (kCode == OperatorCode::Divide) {
        return kComputedRight ? DivideByComputed(l, r) : l / r;
    }
    if constexpr (kCode == OperatorCode::Power) return Power(l, r);
}

// One instruction: the new running value.
template <int32_t kOp>
TARVIK_INLINE ExtendedReal Apply(ExtendedReal v, const Leaves& leaves, const Instruction* ip,
                                 ExtendedReal* stack, int32_t& sp) {
    if constexpr (kOp == kPush) {
        stack[sp++] = v;
        return v;
    } else if constexpr (kOp >= kLoad && kOp < kFunction) {
        if constexpr (kOp >= kPushLoad) stack[sp++] = v;
        return Leaf<(kOp - kLoad) & 3>(leaves, ip);
    } else if constexpr (kOp >= kFunction && kOp < kBinary) {
        return ApplyFunction<static_cast<FunctionCode>(kOp - kFunction + 1)>(v);
    } else {
        constexpr auto code = static_cast<OperatorCode>((kOp - kBinary) / kSources + 1);
        constexpr int32_t source = (kOp - kBinary) % kSources;
        if constexpr (source == kStack) {
            return ApplyOperator<code, true>(stack[--sp], v);
        } else if constexpr (source >= kReverseX) {
            return ApplyOperator<code, true>(Leaf<source - kReverseX>(leaves, ip), v);
        } else {
            return ApplyOperator<code, false>(v, Leaf<source>(leaves, ip));
        }
    }
}

constexpr int32_t kOpCount = kBinary + 5 * kSources;
static_assert(kOpCount <= 64, "the dispatch below lists 64 opcodes");

#define TARVIK_CASE(OP)                                                    \
    case OP:                                                               \
        if constexpr (OP > kEnd && OP < kOpCount) {                        \
            v = Apply<(OP < kOpCount ? OP : 0)>(v, leaves, ip, stack, sp); \
        }                                                                  \
        break;
#define TARVIK_CASES8(B)                                                                           \
    TARVIK_CASE(B)                                                                                 \
    TARVIK_CASE(B + 1)                                                                             \
    TARVIK_CASE(B + 2) TARVIK_CASE(B + 3) TARVIK_CASE(B + 4) TARVIK_CASE(B + 5) TARVIK_CASE(B + 6) \
        TARVIK_CASE(B + 7)

// Every sample over n = first..last. A sample whose value is not finite at some step stops
// there with ok false.
void RunSamples(const Instruction* code, const ExtendedReal* xs, int32_t count, ExtendedReal a0,
                int64_t first, int64_t last, ExtendedReal* values, bool* ok) {
    ExtendedReal stack[kMaxDepth];
    for (int32_t i = 0; i < count; ++i) {
        Leaves leaves{xs[i], a0, 0};
        ExtendedReal v = 0;
        bool finite = true;
        for (int64_t step = first;; ++step) {
            leaves.n = static_cast<ExtendedReal>(step);
            int32_t sp = 0;
            for (const Instruction* ip = code; ip->Op != kEnd; ++ip) {
                switch (ip->Op) {
                    TARVIK_CASES8(0)
                    TARVIK_CASES8(8)
                    TARVIK_CASES8(16)
                    TARVIK_CASES8(24)
                    TARVIK_CASES8(32)
                    TARVIK_CASES8(40)
                    TARVIK_CASES8(48)
                    TARVIK_CASES8(56)
                    default:
                        __builtin_unreachable();
                }
            }
            finite = IsFinite(v);
            if (step == last || !finite) break;
            leaves.a = v;
        }
        values[i] = v;
        ok[i] = finite;
    }
}

}  // namespace

ExtendedReal TabulatedFactorial(int32_t i) {
    static const FactorialTable table;
    return table.value[i];
}

void CompileProgram(Engine& engine) {
    Compiler(engine).Compile();
}

bool HasProgram(const Engine& engine) {
    return engine.Program.Length > 0 && engine.LastBuildError == kNoError &&
           engine.Program.NodeCount == engine.NodeCount;
}

void RunProgram(const Engine& engine, const ExtendedReal* x, int32_t count, int64_t first,
                int64_t last, ExtendedReal* values, bool* ok) {
    RunSamples(engine.Program.Code.data(), x, count, engine.ValueA, first, last, values, ok);
}
