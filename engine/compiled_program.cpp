// The compiler from the pre-order node table to a postfix instruction list, and its runner.
//
// The program keeps a running value v, a second register w and a stack for left operands that
// wait for a computed right one. An operator with a leaf operand takes the leaf in place; when
// only its left operand is a leaf, the right one is computed first and the leaf comes in as the
// left operand. An operand that is a chain (a leaf with functions and operators on leaves
// applied to it, as "lnx" or "2*x") is computed in w beside v, without the stack. The order of
// the operations may thus differ from the walk's, which is harmless: without side effects,
// each operation gets the same operands and gives the same bits.
//
// Nothing is checked per operation. Every operation maps a value that is not finite to one that
// is not finite either, and an operation that meets one of the guards of the checked walk (the
// power's rules, a function's domain, the factorial's range, pi/2 for the tangent) yields NaN.
// So a finite result means that no step met a fault or a guard, and that every operation
// worked on finite operands with a finite result: bit for bit what the checked walk computes.
//
// Where the build also made machine code (engine/machine_code.h), runs of more than a handful
// of steps use it instead of this list; the list stays for the trees too deep for the code's
// registers, for the short runs, and for processors and systems without the code.
#include "engine/compiled_program.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "engine/extended_math.h"
#include "engine/machine_code.h"

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

// Opcodes: the end, a push of v, loads of a leaf into v (with or without a push first), the
// nine functions on v, the five operators on v with each source; then the same on w (a load,
// the functions, the operators with a leaf on the right), and the operators that combine v and
// w into v (v op w, and w op v); last an operator on two leaves into v (not both constants).
constexpr int32_t kEnd = 0;
constexpr int32_t kPush = 1;
constexpr int32_t kLoad = 2;
constexpr int32_t kPushLoad = kLoad + 4;
constexpr int32_t kFunction = kPushLoad + 4;
constexpr int32_t kBinary = kFunction + 9;
constexpr int32_t kLoadW = kBinary + 5 * kSources;
constexpr int32_t kFunctionW = kLoadW + 4;
constexpr int32_t kBinaryW = kFunctionW + 9;
constexpr int32_t kCombine = kBinaryW + 5 * 4;
constexpr int32_t kCombineReverse = kCombine + 5;
constexpr int32_t kLeafPair = kCombineReverse + 5;
constexpr int32_t kOpCount = kLeafPair + 5 * 4 * 4;

constexpr int32_t Index(OperatorCode code) {
    return static_cast<int32_t>(code) - 1;
}
constexpr int32_t BinaryOp(OperatorCode code, int32_t source) {
    return kBinary + Index(code) * kSources + source;
}
constexpr int32_t BinaryWOp(OperatorCode code, int32_t source) {
    return kBinaryW + Index(code) * 4 + source;
}
constexpr int32_t LeafPairOp(OperatorCode code, int32_t left, int32_t right) {
    return kLeafPair + Index(code) * 16 + left * 4 + right;
}

struct FactorialNumbers {
    ExtendedReal value[kLargestFactorial + 1];
    FactorialNumbers() {
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
        program_.Machine.reset();
        if (SubtreeEnd(1) != engine_.NodeCount + 1) return;
        Subtree(1);
        Emit(kEnd, 0);
        if (!ok_) {
            program_.Length = 0;
            return;
        }
        program_.Machine = CompileMachineCode(engine_);
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
            if (!KnownCode(node)) return Fail();
            Subtree(slot + 1);
            return Emit(kFunction + node.Code - 1, 0);
        }
        if (!KnownCode(node)) return Fail();
        const auto code = static_cast<OperatorCode>(node.Code);
        const int32_t left = slot + 1;
        const int32_t right = SubtreeEnd(left);
        if (right == 0) return Fail();
        const TBinary& leftNode = engine_.NodeTable[left];
        const TBinary& rightNode = engine_.NodeTable[right];
        if (LeafSource(rightNode) >= 0 && LeafSource(leftNode) >= 0 &&
            (LeafSource(leftNode) != kC || LeafSource(rightNode) != kC)) {
            const ExtendedReal constant =
                LeafSource(leftNode) == kC ? leftNode.Value : LeafConstant(rightNode);
            return Emit(LeafPairOp(code, LeafSource(leftNode), LeafSource(rightNode)), constant);
        }
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
        if (IsChain(right)) {
            Subtree(left);
            Chain(right);
            return Emit(kCombine + Index(code), 0);
        }
        if (IsChain(left)) {
            Subtree(right);
            Chain(left);
            return Emit(kCombineReverse + Index(code), 0);
        }
        Subtree(left);
        Emit(kPush, 0);
        if (++depth_ > kMaxDepth) return Fail();
        Subtree(right);
        --depth_;
        Emit(BinaryOp(code, kStack), 0);
    }

    // Functions 1..9, operators 1..5.
    static bool KnownCode(const TBinary& node) {
        return node.Code >= 1 && node.Code <= (node.Kind == NodeKind::Function ? 9 : 5);
    }

    // A leaf, or a function of a chain, or an operator on a chain and a leaf.
    bool IsChain(int32_t slot) const {
        for (;; ++slot) {
            const TBinary& node = engine_.NodeTable[slot];
            if (LeafSource(node) >= 0) return true;
            if (!KnownCode(node)) return false;
            if (node.Kind == NodeKind::Operator &&
                LeafSource(engine_.NodeTable[SubtreeEnd(slot + 1)]) < 0) {
                return false;
            }
        }
    }

    // A chain computed into w.
    void Chain(int32_t slot) {
        const TBinary& node = engine_.NodeTable[slot];
        const int32_t leaf = LeafSource(node);
        if (leaf >= 0) return Emit(kLoadW + leaf, LeafConstant(node));
        Chain(slot + 1);
        if (node.Kind == NodeKind::Function) return Emit(kFunctionW + node.Code - 1, 0);
        const TBinary& rightNode = engine_.NodeTable[SubtreeEnd(slot + 1)];
        Emit(BinaryWOp(static_cast<OperatorCode>(node.Code), LeafSource(rightNode)),
             LeafConstant(rightNode));
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

// One instruction on the registers v and w.
template <int32_t kOp>
TARVIK_INLINE void Apply(ExtendedReal& v, ExtendedReal& w, const Leaves& leaves,
                         const Instruction* ip, ExtendedReal* stack, int32_t& sp) {
    if constexpr (kOp == kPush) {
        stack[sp++] = v;
    } else if constexpr (kOp >= kLoad && kOp < kFunction) {
        if constexpr (kOp >= kPushLoad) stack[sp++] = v;
        v = Leaf<(kOp - kLoad) & 3>(leaves, ip);
    } else if constexpr (kOp >= kFunction && kOp < kBinary) {
        v = ApplyFunction<static_cast<FunctionCode>(kOp - kFunction + 1)>(v);
    } else if constexpr (kOp >= kBinary && kOp < kLoadW) {
        constexpr auto code = static_cast<OperatorCode>((kOp - kBinary) / kSources + 1);
        constexpr int32_t source = (kOp - kBinary) % kSources;
        if constexpr (source == kStack) {
            v = ApplyOperator<code, true>(stack[--sp], v);
        } else if constexpr (source >= kReverseX) {
            v = ApplyOperator<code, true>(Leaf<source - kReverseX>(leaves, ip), v);
        } else {
            v = ApplyOperator<code, false>(v, Leaf<source>(leaves, ip));
        }
    } else if constexpr (kOp >= kLoadW && kOp < kFunctionW) {
        w = Leaf<kOp - kLoadW>(leaves, ip);
    } else if constexpr (kOp >= kFunctionW && kOp < kBinaryW) {
        w = ApplyFunction<static_cast<FunctionCode>(kOp - kFunctionW + 1)>(w);
    } else if constexpr (kOp >= kBinaryW && kOp < kCombine) {
        constexpr auto code = static_cast<OperatorCode>((kOp - kBinaryW) / 4 + 1);
        w = ApplyOperator<code, false>(w, Leaf<(kOp - kBinaryW) % 4>(leaves, ip));
    } else if constexpr (kOp >= kCombine && kOp < kCombineReverse) {
        v = ApplyOperator<static_cast<OperatorCode>(kOp - kCombine + 1), true>(v, w);
    } else if constexpr (kOp >= kCombineReverse && kOp < kLeafPair) {
        v = ApplyOperator<static_cast<OperatorCode>(kOp - kCombineReverse + 1), true>(w, v);
    } else if constexpr (kOp >= kLeafPair && kOp < kOpCount) {
        constexpr auto code = static_cast<OperatorCode>((kOp - kLeafPair) / 16 + 1);
        v = ApplyOperator<code, false>(Leaf<(kOp - kLeafPair) / 4 % 4>(leaves, ip),
                                       Leaf<(kOp - kLeafPair) % 4>(leaves, ip));
    }
}

static_assert(kOpCount <= 192, "the dispatch below lists 192 opcodes");

#define TARVIK_CASE(OP)                                                   \
    case OP:                                                              \
        if constexpr (OP > kEnd && OP < kOpCount) {                       \
            Apply<(OP < kOpCount ? OP : 0)>(v, w, leaves, ip, stack, sp); \
        }                                                                 \
        break;
#define TARVIK_CASES8(B) \
    TARVIK_CASE(B)       \
    TARVIK_CASE(B + 1)   \
    TARVIK_CASE(B + 2)   \
    TARVIK_CASE(B + 3) TARVIK_CASE(B + 4) TARVIK_CASE(B + 5) TARVIK_CASE(B + 6) TARVIK_CASE(B + 7)

// One sample over n = first..last: its value, or a value that is not finite when the checked
// walk must decide (the steps stop there).
TARVIK_INLINE ExtendedReal RunSample(const Instruction* code, ExtendedReal x, ExtendedReal a0,
                                     int64_t first, int64_t last, ExtendedReal* stack) {
    // n counts in extended precision, which is exact for every 32-bit index.
    Leaves leaves{x, a0, static_cast<ExtendedReal>(first)};
    ExtendedReal v = 0;
    ExtendedReal w = 0;
    for (int64_t step = first;; ++step, leaves.n += 1) {
        int32_t sp = 0;
        // The end of the program is one case of the dispatch, not a test per instruction.
        for (const Instruction* ip = code;; ++ip) {
            switch (ip->Op) {
                TARVIK_CASE(1)
                TARVIK_CASE(2)
                TARVIK_CASE(3)
                TARVIK_CASE(4)
                TARVIK_CASE(5)
                TARVIK_CASE(6)
                TARVIK_CASE(7)
                TARVIK_CASES8(8)
                TARVIK_CASES8(16)
                TARVIK_CASES8(24)
                TARVIK_CASES8(32)
                TARVIK_CASES8(40)
                TARVIK_CASES8(48)
                TARVIK_CASES8(56)
                TARVIK_CASES8(64)
                TARVIK_CASES8(72)
                TARVIK_CASES8(80)
                TARVIK_CASES8(88)
                TARVIK_CASES8(96)
                TARVIK_CASES8(104)
                TARVIK_CASES8(112)
                TARVIK_CASES8(120)
                TARVIK_CASES8(128)
                TARVIK_CASES8(136)
                TARVIK_CASES8(144)
                TARVIK_CASES8(152)
                TARVIK_CASES8(160)
                TARVIK_CASES8(168)
                TARVIK_CASES8(176)
                TARVIK_CASES8(184)
                case kEnd:
                    goto stepDone;
                default:
                    __builtin_unreachable();
            }
        }
    stepDone:
        if (step == last || !IsFinite(v)) return v;
        leaves.a = v;
    }
}

// Samples run one after another through the same loop.
void RunSamples(const Instruction* code, const ExtendedReal* xs, int32_t count, ExtendedReal a0,
                int64_t first, int64_t last, ExtendedReal* values, bool* ok) {
    ExtendedReal stack[kMaxDepth];
    for (int32_t i = 0; i < count; ++i) {
        const ExtendedReal v = RunSample(code, xs[i], a0, first, last, stack);
        values[i] = v;
        ok[i] = IsFinite(v);
    }
}

// Entering the machine code costs about as much as running this many steps of a batch in the
// list (for one sample alone, see RunsMachineCodeOnce).
constexpr int64_t kMachineBatchSteps = 4;

bool UseMachine(const CompiledProgram& program, int64_t steps, int64_t shortest) {
    return program.Machine != nullptr &&
           (program.MachineAlways || steps >= shortest || program.Machine->PaysForShortRuns());
}

[[gnu::noinline]] ExtendedReal RunMachineOnce(const Engine& engine, const ExtendedReal& x,
                                              int64_t first, int64_t last) {
    ExtendedReal value = 0;
    bool ok = false;
    RunMachineSamples(*engine.Program.Machine, &x, 1, engine.ValueA, first, last, &value, &ok);
    return ok ? value : kNaN;
}

}  // namespace

ExtendedReal TabulatedFactorial(int32_t i) {
    return FactorialTable()[i];
}

const ExtendedReal* FactorialTable() {
    static const FactorialNumbers table;
    return table.value;
}

void CompileProgram(Engine& engine) {
    Compiler(engine).Compile();
}

void RunProgram(const Engine& engine, const ExtendedReal* x, int32_t count, int64_t first,
                int64_t last, ExtendedReal* values, bool* ok) {
    if (UseMachine(engine.Program, last - first + 1, kMachineBatchSteps)) {
        RunMachineSamples(*engine.Program.Machine, x, count, engine.ValueA, first, last, values,
                          ok);
    } else {
        RunSamples(engine.Program.Code.data(), x, count, engine.ValueA, first, last, values, ok);
    }
}

ExtendedReal RunProgramOnce(const Engine& engine, const ExtendedReal& x, int64_t first,
                            int64_t last) {
    ExtendedReal stack[kMaxDepth];
    return RunSample(engine.Program.Code.data(), x, engine.ValueA, first, last, stack);
}

ExtendedReal RunMachineCodeOnce(const Engine& engine, const ExtendedReal& x, int64_t first,
                                int64_t last) {
    return RunMachineOnce(engine, x, first, last);
}

void DropMachineCode(Engine& engine) {
    engine.Program.Machine.reset();
}

void AlwaysRunMachineCode(Engine& engine) {
    engine.Program.MachineAlways = true;
}

bool HasMachineCode(const Engine& engine) {
    return HasProgram(engine) && engine.Program.Machine != nullptr;
}
