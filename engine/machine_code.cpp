// The x87 code generator and the executable memory that holds its code.
//
// Layout of the x87 stack while a step runs: the resident values at the bottom (per column its
// x when the tree reads it and its running value a), above them the values of the subtrees of n
// alone (as n^2), computed once per step for all columns, and the working values of the column
// being computed on top. A leaf operand is taken from its register (or, for n and a constant
// exact in double precision, from memory), so most operations need no working register at all. Each
// column's step ends by writing its value over the column's a. The order of the operations may
// differ from the walk's; without side effects each operation still gets the same operands and
// gives the same bits under the thread's precision and rounding.
#include "engine/machine_code.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/compiled_program.h"
#include "engine/extended_math.h"

#if defined(__x86_64__) && defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#define TARVIK_MACHINE_CODE 1
#endif

namespace {

// The sticky x87 flags that mean a fault: invalid operation, division by zero, overflow.
constexpr uint8_t kFaultFlags = 0x01 | 0x04 | 0x08;
// Steps between two looks at the flags: few enough that a column which has faulted does not
// go on long with values that are not finite, each of which costs the processor a slow assist.
constexpr uint8_t kCheckMask = 15;
constexpr int32_t kRegisters = 8;
// Bytes before the first entry, so that no entry sits at the start of the mapping.
constexpr size_t kLeadingPad = 16;
constexpr auto kOffsetN = static_cast<int32_t>(offsetof(MachineFrame, running));
constexpr auto kOffsetScratch = static_cast<int32_t>(offsetof(MachineFrame, scratch));

// Condition codes of the jumps the generator emits (the second byte of jcc rel32).
enum Condition : uint8_t {
    kBelow = 0x82,
    kEqual = 0x84,
    kNotEqual = 0x85,
    kBelowOrEqual = 0x86,
    kAbove = 0x87
};

// One node of the tree as the generator sees it.
struct Node {
    NodeKind kind = NodeKind::None;
    int32_t code = 0;
    int32_t constant = -1;  // index into the constant table
    int32_t left = -1;
    int32_t right = -1;   // the operand of a function is `left`
    int32_t need = 1;     // working registers its evaluation takes
    bool varies = false;  // from column to column: x or a in the subtree
    bool hasN = false;    // n in the subtree
    int32_t shared = -1;  // computed once per step for every column: its index among those
};

// x87 opcode extensions (the reg field) of the arithmetic operations.
enum Arith : uint8_t { kAdd = 0, kMul = 1, kSub = 4, kSubR = 5, kDiv = 6, kDivR = 7 };

Arith ArithOf(int32_t code, bool reversed) {
    switch (static_cast<OperatorCode>(code)) {
        case OperatorCode::Add:
            return kAdd;
        case OperatorCode::Multiply:
            return kMul;
        case OperatorCode::Subtract:
            return reversed ? kSubR : kSub;
        default:
            return reversed ? kDivR : kDiv;
    }
}

class Generator {
  public:
    explicit Generator(const Engine& engine) : engine_(engine) {}

    // Reads the tree; false when the code cannot cover it.
    bool Read() {
        int32_t slot = 1;
        root_ = ReadNode(slot);
        if (!ok_ || root_ < 0 || slot != engine_.NodeCount + 1) return false;
        Share(root_);
        ComputeNeeds();
        return true;
    }

    // Chooses the widest run that fits the registers; 0 when not even one column fits. A
    // recurrence may leave each column's x in the frame, loading it where it is read: one
    // register more per column, at the price of a working register where x is an operand.
    int32_t Plan() {
        const int32_t inRegisters = Columns();
        // From three columns on the loads of x cost more than the columns they add (measured
        // on a+n*x), so the frame keeps x only for trees that leave fewer.
        if (!usesN_ || !usesX_ || inRegisters >= 3) return inRegisters;
        xInMemory_ = true;
        ComputeNeeds();
        const int32_t inMemory = Columns();
        if (inMemory > inRegisters) return inMemory;
        xInMemory_ = false;
        ComputeNeeds();
        return inRegisters;
    }

    // The code for a run of `columns` columns, appended to `code`.
    void Emit(int32_t columns) {
        // fnstsw ax; test al, flags; jz +2; fnclex. The flags are cleared only when a fault
        // left them raised: clearing them all would clear the inexact flag too, and raising
        // that one again costs the processor a slow assist on every run.
        Bytes({0xDF, 0xE0, 0xA8, kFaultFlags, 0x74, 0x02, 0xDB, 0xE2});
        // mov rcx, [rdi + steps]
        Bytes({0x48, 0x8B, 0x8F});
        Int32(static_cast<int32_t>(offsetof(MachineFrame, steps)));
        for (int32_t p = Resident(columns) - 1; p >= 0; --p) FrameAccess(0xDB, 5, Home(p));
        if (usesN_) {
            Bytes({0xF2, 0x0F, 0x10, 0x87});  // movsd xmm0, [rdi + n]
            Int32(static_cast<int32_t>(offsetof(MachineFrame, n)));
            Bytes({0xF2, 0x0F, 0x11, 0x87});  // movsd [rdi + running], xmm0
            Int32(kOffsetN);
            Bytes({0xF2, 0x0F, 0x10, 0x8F});  // movsd xmm1, [rdi + one]
            Int32(static_cast<int32_t>(offsetof(MachineFrame, one)));
        }
        const size_t top = code_.size();
        for (size_t k = 0; k < shared_.size(); ++k) {
            depth_ = 0;
            live_ = static_cast<int32_t>(k);
            computing_ = shared_[k];
            Evaluate(shared_[k]);
        }
        live_ = static_cast<int32_t>(shared_.size());
        computing_ = -1;
        for (int32_t i = 0; i < columns; ++i) Step(i);
        for (size_t k = 0; k < shared_.size(); ++k) Bytes({0xDD, 0xD8});  // fstp st0
        live_ = 0;
        if (usesN_) {
            Bytes({0xF2, 0x0F, 0x58, 0xC1});  // addsd xmm0, xmm1
            Bytes({0xF2, 0x0F, 0x11, 0x87});  // movsd [rdi + n], xmm0
            Int32(kOffsetN);
        }
        Bytes({0x48, 0x83, 0xE9, 0x01});  // sub rcx, 1
        const size_t toDone = Jump({0x0F, 0x84});
        Bytes({0xF6, 0xC1, kCheckMask});  // test cl, mask
        Patch(Jump({0x0F, 0x85}), top);
        Bytes({0xDF, 0xE0, 0xA8, kFaultFlags});  // fnstsw ax; test al, flags
        Patch(Jump({0x0F, 0x84}), top);
        const size_t toFault = Jump({0xE9});
        Patch(toDone, code_.size());
        Bytes({0xDF, 0xE0, 0xA8, kFaultFlags});
        const size_t toFault2 = Jump({0x0F, 0x85});
        for (int32_t p = 0; p < Resident(columns); ++p) {
            const int32_t column = ColumnOfA(p);
            if (column >= 0) {
                FrameAccess(0xDB, 7,
                            static_cast<int32_t>(offsetof(MachineFrame, a) +
                                                 sizeof(ExtendedReal) * column));
            } else {
                Bytes({0xDD, 0xD8});  // fstp st(0)
            }
        }
        Bytes({0x31, 0xC0, 0xC3});  // xor eax, eax; ret
        Patch(toFault, code_.size());
        Patch(toFault2, code_.size());
        for (int32_t p = 0; p < Resident(columns); ++p) Bytes({0xDD, 0xD8});
        Bytes({0xB8, 0x01, 0x00, 0x00, 0x00, 0xC3});  // mov eax, 1; ret
    }

    // The loop over groups of `columns` samples of a tree without n: each group's x read from
    // the batch, its a from a[0], its values written to the batch; the flags looked at once.
    void EmitBatch(int32_t columns) {
        Bytes({0xDF, 0xE0, 0xA8, kFaultFlags, 0x74, 0x02, 0xDB, 0xE2});
        Bytes({0x4C, 0x8B, 0x87});  // mov r8, [rdi + batchX]
        Int32(static_cast<int32_t>(offsetof(MachineFrame, batchX)));
        Bytes({0x4C, 0x8B, 0x8F});  // mov r9, [rdi + batchValues]
        Int32(static_cast<int32_t>(offsetof(MachineFrame, batchValues)));
        Bytes({0x48, 0x8B, 0x8F});  // mov rcx, [rdi + groups]
        Int32(static_cast<int32_t>(offsetof(MachineFrame, groups)));
        const size_t top = code_.size();
        const auto stride = static_cast<int32_t>(sizeof(ExtendedReal));
        for (int32_t p = Resident(columns) - 1; p >= 0; --p) {
            const int32_t column = ColumnOfA(p);
            if (column >= 0) {
                FrameAccess(0xDB, 5, static_cast<int32_t>(offsetof(MachineFrame, a)));
            } else {
                Bytes({0x41, 0xDB, 0xA8});  // fld tbyte [r8 + column's x]
                Int32(stride * (p / PerColumn()));
            }
        }
        for (int32_t i = 0; i < columns; ++i) Step(i);
        for (int32_t p = 0; p < Resident(columns); ++p) {
            const int32_t column = ColumnOfA(p);
            if (column >= 0) {
                Bytes({0x41, 0xDB, 0xB9});  // fstp tbyte [r9 + column's value]
                Int32(stride * column);
            } else {
                Bytes({0xDD, 0xD8});
            }
        }
        Bytes({0x49, 0x81, 0xC0});  // add r8, group
        Int32(stride * columns);
        Bytes({0x49, 0x81, 0xC1});  // add r9, group
        Int32(stride * columns);
        Bytes({0x48, 0x83, 0xE9, 0x01});  // sub rcx, 1
        Patch(Jump({0x0F, 0x85}), top);
        // fnstsw ax; test al, flags; setnz al; movzx eax, al; ret
        Bytes({0xDF, 0xE0, 0xA8, kFaultFlags, 0x0F, 0x95, 0xC0, 0x0F, 0xB6, 0xC0, 0xC3});
    }

    bool UsesN() const { return usesN_; }
    bool UsesSineOrCosine() const { return usesSineOrCosine_; }
    std::vector<uint8_t>& Code() { return code_; }
    const std::vector<ExtendedReal>& Constants() const { return constants_; }
    static bool Narrow(ExtendedReal v) {
        return static_cast<ExtendedReal>(static_cast<double>(v)) == v;
    }

  private:
    int32_t ReadNode(int32_t& slot) {
        if (!ok_ || slot < 1 || slot > engine_.NodeCount || ++nesting_ > 200) return Fail();
        const TBinary& entry = engine_.NodeTable[static_cast<size_t>(slot++)];
        Node node;
        node.kind = entry.Kind;
        node.code = entry.Code;
        switch (entry.Kind) {
            case NodeKind::Constant:
                if (!(entry.Value - entry.Value == 0)) return Fail();
                node.constant = static_cast<int32_t>(constants_.size());
                constants_.push_back(entry.Value);
                break;
            case NodeKind::ArgumentX:
                usesX_ = true;
                node.varies = true;
                break;
            case NodeKind::IndexN:
                usesN_ = true;
                node.hasN = true;
                break;
            case NodeKind::ValueA:
                node.varies = true;
                break;
            case NodeKind::Function:
                if (entry.Code < 1 || entry.Code > 9) return Fail();
                usesSineOrCosine_ |= entry.Code <= static_cast<int32_t>(FunctionCode::Ctg);
                node.left = ReadNode(slot);
                if (node.left < 0) return Fail();
                node.varies = At(node.left).varies;
                node.hasN = At(node.left).hasN;
                node.need = std::max(NeedOf(node.left),
                                     FunctionNeed(static_cast<FunctionCode>(entry.Code)));
                break;
            case NodeKind::Operator:
                if (entry.Code < 1 || entry.Code > 5) return Fail();
                node.left = ReadNode(slot);
                node.right = node.left < 0 ? -1 : ReadNode(slot);
                if (node.right < 0) return Fail();
                node.varies = At(node.left).varies || At(node.right).varies;
                node.hasN = At(node.left).hasN || At(node.right).hasN;
                node.need = BinaryNeed(node);
                break;
            default:
                return Fail();
        }
        --nesting_;
        nodes_.push_back(node);
        return static_cast<int32_t>(nodes_.size()) - 1;
    }

    void ComputeNeeds() {
        for (Node& node : nodes_) {  // children before their parents
            if (node.kind == NodeKind::Function) {
                node.need =
                    std::max(NeedOf(node.left), FunctionNeed(static_cast<FunctionCode>(node.code)));
            } else if (node.kind == NodeKind::Operator) {
                node.need = BinaryNeed(node);
            }
        }
    }

    // The widest run for the needs as computed. The shared values stay on the stack above the
    // resident ones while the columns run.
    int32_t Columns() const {
        const auto count = static_cast<int32_t>(shared_.size());
        int32_t need = count + At(root_).need;
        for (int32_t k = 0; k < count; ++k) need = std::max(need, k + At(shared_[k]).need);
        int32_t columns = 0;
        while (columns < kMaxMachineColumns && Resident(columns + 1) + need <= kRegisters) {
            ++columns;
        }
        return columns;
    }

    // Marks the largest subtrees below varying nodes that hold n but neither x nor a (as n^2 or
    // exp(-n)): their value is the same in every column of a step.
    void Share(int32_t index) {
        if (!At(index).varies) return;
        for (const int32_t child : {At(index).left, At(index).right}) {
            if (child < 0) continue;
            Node& node = nodes_[static_cast<size_t>(child)];
            const bool inner = node.kind == NodeKind::Function || node.kind == NodeKind::Operator;
            if (!node.varies && node.hasN && inner) {
                node.shared = static_cast<int32_t>(shared_.size());
                shared_.push_back(child);
            } else {
                Share(child);
            }
        }
    }

    // The registers a child takes as an operand: one for a shared value.
    int32_t NeedOf(int32_t index) const { return At(index).shared >= 0 ? 1 : At(index).need; }
    // Where shared value k sits below the working registers.
    int32_t SharedPosition(int32_t k) const {
        return depth_ + static_cast<int32_t>(shared_.size()) - 1 - k;
    }

    int32_t Fail() {
        ok_ = false;
        return -1;
    }

    // The registers a function takes, its argument's included: the logarithm and the
    // factorial one beside it (ln 2, the rounded argument), the exponential two (the rounded
    // exponent and 1), the tangent and the cotangent two (their limit and 2^63).
    static int32_t FunctionNeed(FunctionCode code) {
        switch (code) {
            case FunctionCode::Ln:
            case FunctionCode::Fact:
                return 2;
            case FunctionCode::Exp:
            case FunctionCode::Tg:
            case FunctionCode::Ctg:
                return 3;
            default:
                return 1;
        }
    }

    static bool IsPower(const Node& node) {
        return node.kind == NodeKind::Operator &&
               node.code == static_cast<int32_t>(OperatorCode::Power);
    }

    const Node& At(int32_t index) const { return nodes_[static_cast<size_t>(index)]; }

    // A leaf an instruction can take in place: a resident register or a double constant.
    bool Operand(int32_t index) const {
        const Node& node = At(index);
        if (node.shared >= 0) return true;
        if (node.kind == NodeKind::Constant) {
            return Narrow(constants_[static_cast<size_t>(node.constant)]);
        }
        return (node.kind == NodeKind::ArgumentX && !xInMemory_) || node.kind == NodeKind::ValueA ||
               node.kind == NodeKind::IndexN;  // n from memory
    }

    int32_t BinaryNeed(const Node& node) const {
        if (IsPower(node)) {
            // Both operands on the stack, and one register beside them for the power's tests,
            // then the exponential's.
            const int32_t l = NeedOf(node.left);
            const int32_t r = NeedOf(node.right);
            return std::max(l == r ? l + 1 : std::max(l, r), 3);
        }
        if (Operand(node.right)) return NeedOf(node.left);
        if (Operand(node.left)) return NeedOf(node.right);
        const int32_t l = NeedOf(node.left);
        const int32_t r = NeedOf(node.right);
        return l == r ? l + 1 : std::max(l, r);
    }

    // --- The register layout (positions counted from the top of the resident block) ---

    int32_t PerColumn() const { return usesX_ && !xInMemory_ ? 2 : 1; }
    int32_t Resident(int32_t columns) const { return columns * PerColumn(); }
    int32_t PositionX(int32_t column) const { return column * PerColumn(); }
    int32_t PositionA(int32_t column) const { return PositionX(column) + PerColumn() - 1; }
    // The column whose a sits at position p, or -1.
    int32_t ColumnOfA(int32_t p) const {
        return p % PerColumn() == PerColumn() - 1 ? p / PerColumn() : -1;
    }
    // Where the frame holds the value of position p.
    static int32_t Home(int32_t p, int32_t perColumn) {
        const auto column = static_cast<size_t>(p / perColumn);
        const bool isA = p % perColumn == perColumn - 1;
        return static_cast<int32_t>((isA ? offsetof(MachineFrame, a) : offsetof(MachineFrame, x)) +
                                    sizeof(ExtendedReal) * column);
    }
    int32_t Home(int32_t p) const { return Home(p, PerColumn()); }
    int32_t PositionOf(const Node& leaf) const {
        return live_ + (leaf.kind == NodeKind::ArgumentX ? PositionX(column_) : PositionA(column_));
    }

    // --- Emission ---

    void Bytes(std::initializer_list<uint8_t> bytes) { code_.insert(code_.end(), bytes); }
    void Int32(int32_t v) {
        uint8_t raw[4];
        std::memcpy(raw, &v, 4);
        code_.insert(code_.end(), raw, raw + 4);
    }
    // A jump with a 32-bit displacement to be patched; returns where the displacement is.
    size_t Jump(std::initializer_list<uint8_t> opcode) {
        Bytes(opcode);
        const size_t at = code_.size();
        Int32(0);
        return at;
    }
    void Patch(size_t at, size_t target) {
        const auto displacement =
            static_cast<int32_t>(static_cast<int64_t>(target) - static_cast<int64_t>(at + 4));
        std::memcpy(&code_[at], &displacement, 4);
    }
    // opcode /reg [rdi + offset]
    void FrameAccess(uint8_t opcode, uint8_t reg, int32_t offset) {
        Bytes({opcode, static_cast<uint8_t>(0x80 | (reg << 3) | 7)});
        Int32(offset);
    }
    // opcode /reg [rsi + offset of the constant's part]
    void ConstantAccess(uint8_t opcode, uint8_t reg, int32_t constant, bool narrow) {
        Bytes({opcode, static_cast<uint8_t>(0x80 | (reg << 3) | 6)});
        Int32(constant * 32 + (narrow ? 16 : 0));
    }
    void Register(uint8_t opcode, uint8_t base, int32_t i) {
        Bytes({opcode, static_cast<uint8_t>(base + i)});
    }

    // One step of one column: its value written over its a.
    void Step(int32_t column) {
        column_ = column;
        depth_ = 0;
        const Node& root = At(root_);
        const int32_t a = PositionA(column);
        // An operator with a on one side applies itself straight into a's register.
        if (root.kind == NodeKind::Operator && !IsPower(root)) {
            const bool leftA = At(root.left).kind == NodeKind::ValueA;
            const bool rightA = At(root.right).kind == NodeKind::ValueA;
            if (leftA || rightA) {
                Evaluate(leftA ? root.right : root.left);
                // st(a) = st(a) op st(0) for the plain forms, st(0) op st(a) for the reversed.
                const Arith op = ArithOf(root.code, !leftA);
                static constexpr uint8_t kPopForm[8] = {0xC0, 0xC8, 0, 0, 0xE8, 0xE0, 0xF8, 0xF0};
                Register(0xDE, kPopForm[op], 1 + live_ + a);
                return;
            }
        }
        Evaluate(root_);
        Register(0xDD, 0xD8, 1 + live_ + a);  // fstp st(a)
    }

    // Leaves the value of the subtree on top of the stack.
    void Evaluate(int32_t index) {
        const Node& node = At(index);
        if (node.shared >= 0 && index != computing_) {
            Register(0xD9, 0xC0, SharedPosition(node.shared));  // fld st(i)
            ++depth_;
            return;
        }
        switch (node.kind) {
            case NodeKind::Constant: {
                const bool narrow = Narrow(constants_[static_cast<size_t>(node.constant)]);
                ConstantAccess(narrow ? 0xDD : 0xDB, narrow ? 0 : 5, node.constant, narrow);
                ++depth_;
                return;
            }
            case NodeKind::Function:
                Evaluate(node.left);
                return Function(static_cast<FunctionCode>(node.code));
            case NodeKind::Operator:
                return Binary(node);
            case NodeKind::IndexN:
                FrameAccess(0xDD, 0, kOffsetN);  // fld qword [rdi + n]
                ++depth_;
                return;
            case NodeKind::ArgumentX:
                if (xInMemory_) {
                    FrameAccess(0xDB, 5,
                                static_cast<int32_t>(offsetof(MachineFrame, x) +
                                                     sizeof(ExtendedReal) * column_));
                    ++depth_;
                    return;
                }
                [[fallthrough]];
            default:
                Register(0xD9, 0xC0, depth_ + PositionOf(node));  // fld st(i)
                ++depth_;
                return;
        }
    }

    // The same instructions as the walk's functions, on the value on top of the stack.
    void Function(FunctionCode code) {
        switch (code) {
            case FunctionCode::Sin:
            case FunctionCode::Cos:
                // fsin or fcos; from 2^63 on they leave the argument in place, where the walk
                // takes +0. A store of the result as a 16-bit integer raises the invalid flag
                // just for such an argument, and so leaves that sample to the walk: unlike a
                // look at the status word, the store holds nothing after it back.
                Bytes({0xD9, static_cast<uint8_t>(code == FunctionCode::Sin ? 0xFE : 0xFF)});
                FrameAccess(0xDF, 2, kOffsetScratch);  // fist word [scratch]
                return;
            case FunctionCode::Tg:
            case FunctionCode::Ctg:
                return Tangent(code == FunctionCode::Tg);
            case FunctionCode::Exp:
                return Exponential();
            case FunctionCode::Fact:
                return Factorial();
            case FunctionCode::Ln:
                // fldln2; fxch; fyl2x: ln 2 * log2 v. Zero and negative arguments raise the
                // division-by-zero and invalid flags.
                Bytes({0xD9, 0xED, 0xD9, 0xC9, 0xD9, 0xF1});
                return;
            case FunctionCode::Sqrt:
                Bytes({0xD9, 0xFA});  // fsqrt; a negative argument raises the invalid flag
                return;
            default:
                Bytes({0xD9, 0xE1});  // fabs
                return;
        }
    }

    void Binary(const Node& node) {
        if (IsPower(node)) return Power(node);
        if (Operand(node.right)) {
            Evaluate(node.left);
            return ApplyOperand(ArithOf(node.code, false), At(node.right));
        }
        if (Operand(node.left)) {
            Evaluate(node.right);
            return ApplyOperand(ArithOf(node.code, true), At(node.left));
        }
        // st(1) = st(1) op st(0) with a pop; the pop forms name the reversed operation.
        static constexpr uint8_t kPopForm[8] = {0xC1, 0xC9, 0, 0, 0xE9, 0xE1, 0xF9, 0xF1};
        if (NeedOf(node.left) >= NeedOf(node.right)) {
            Evaluate(node.left);
            Evaluate(node.right);
            Bytes({0xDE, kPopForm[ArithOf(node.code, false)]});
        } else {
            Evaluate(node.right);
            Evaluate(node.left);
            Bytes({0xDE, kPopForm[ArithOf(node.code, true)]});
        }
        --depth_;
    }

    // --- The functions and the power with guards: the walk's instructions, and where the
    // walk would stop with a code, a NaN made by 0/0, which raises the invalid flag ---

    size_t JumpIf(Condition condition) { return Jump({0x0F, condition}); }
    void Here(size_t jump) { Patch(jump, code_.size()); }
    // Replaces st(0) with a NaN and raises the invalid flag: fstp st(0); fldz; fdiv st0, st0.
    void RaiseInvalid() { Bytes({0xDD, 0xD8, 0xD9, 0xEE, 0xD8, 0xF0}); }

    // The index of an internal constant in the table, added at its first use.
    int32_t Internal(ExtendedReal value) {
        for (size_t i = 0; i < constants_.size(); ++i) {
            if (std::memcmp(&constants_[i], &value, 10) == 0) return static_cast<int32_t>(i);
        }
        constants_.push_back(value);
        return static_cast<int32_t>(constants_.size()) - 1;
    }
    void LoadWide(ExtendedReal value) { ConstantAccess(0xDB, 5, Internal(value), false); }

    // e^v as the walk takes it: t = v * log2 e, then 2^(t - round t) by f2xm1, plus 1, scaled
    // by 2^(round t). An overflow of either step raises its flag; below the walk's underflow
    // limit the scaling rounds to +0, the walk's value there.
    void Exponential() {
        LoadWide(extended_math::kLog2E);
        Bytes({0xDE, 0xC9,                // fmulp: t
               0xD9, 0xC0, 0xD9, 0xFC,    // fld st0; frndint: round t, t
               0xDC, 0xE9,                // fsub st1, st0: round t, t - round t
               0xD9, 0xC9, 0xD9, 0xF0,    // fxch; f2xm1
               0xD9, 0xE8, 0xDE, 0xC1,    // fld1; faddp
               0xD9, 0xFD, 0xDD, 0xD9});  // fscale; fstp st1
    }

    // Tangent (sine over cosine) or cotangent (the reverse) of st(0). The walk stops at the
    // argument pi/2 (pi for the cotangent) and from 2^63 on, where fsincos would leave its
    // argument alone; a zero divisor or an overflow of the quotient raises its own flag.
    void Tangent(bool tangent) {
        LoadWide(tangent ? extended_math::kHalfPi : extended_math::kPi);
        Bytes({0xDF, 0xE9});  // fucomip st1
        const size_t atLimit = JumpIf(kEqual);
        Bytes({0xD9, 0xC0, 0xD9, 0xE1});  // fld st0; fabs
        ConstantAccess(0xDD, 0, Internal(extended_math::kTrigLimit), true);
        Bytes({0xDF, 0xE9, 0xDD, 0xD8});  // fucomip st1: 2^63 against |v|; fstp st0
        const size_t huge = JumpIf(kBelowOrEqual);
        // fsincos: cos, sin; fdivp (sin / cos) or fdivrp (cos / sin)
        Bytes({0xD9, 0xFB, 0xDE, static_cast<uint8_t>(tangent ? 0xF9 : 0xF1)});
        const size_t done = Jump({0xE9});
        Here(atLimit);
        Here(huge);
        RaiseInvalid();
        Here(done);
    }

    // The factorial of st(0) from the table, for the integers 0..kLargestFactorial.
    void Factorial() {
        Bytes({0xD9, 0xC0, 0xD9, 0xFC, 0xDF, 0xE9});  // fld st0; frndint; fucomip st1
        const size_t fractional = JumpIf(kNotEqual);
        FrameAccess(0xDB, 2, kOffsetScratch);  // fist dword [scratch]: too large raises invalid
        Bytes({0x8B, 0x87});                   // mov eax, [rdi + scratch]
        Int32(kOffsetScratch);
        Bytes({0x3D});  // cmp eax, largest: a negative one is larger unsigned
        Int32(kLargestFactorial);
        const size_t outside = JumpIf(kAbove);
        Bytes({0xDD, 0xD8, 0xC1, 0xE0, 0x04, 0x48, 0xBA});  // fstp st0; shl eax, 4; mov rdx, table
        const auto table = reinterpret_cast<uint64_t>(FactorialTable());
        uint8_t raw[8];
        std::memcpy(raw, &table, 8);
        code_.insert(code_.end(), raw, raw + 8);
        static_assert(sizeof(ExtendedReal) == 16);
        Bytes({0xDB, 0x2C, 0x02});  // fld tbyte [rdx + rax]
        const size_t done = Jump({0xE9});
        Here(fractional);
        Here(outside);
        RaiseInvalid();
        Here(done);
    }

    // base ^ exponent by the walk's rule: both operands on the stack, the exponent on top.
    void Power(const Node& node) {
        if (NeedOf(node.left) >= NeedOf(node.right)) {
            Evaluate(node.left);
            Evaluate(node.right);
        } else {
            Evaluate(node.right);
            Evaluate(node.left);
            Bytes({0xD9, 0xC9});  // fxch
        }
        // st0 = e, st1 = b. dl: e is fractional.
        Bytes({0xD9, 0xC0, 0xD9, 0xFC, 0xDF, 0xE9, 0x0F, 0x95, 0xC2});
        Bytes({0xD9, 0xEE, 0xDF, 0xEA});  // fldz; fucomip st2: 0 against b
        const size_t positive = JumpIf(kBelow);
        const size_t zero = JumpIf(kEqual);
        // A negative base: an integral exponent's parity from its 64-bit integer (one too
        // large for it raises the invalid flag), the power of |b|, negated for an odd one.
        Bytes({0x84, 0xD2});  // test dl, dl
        const size_t negativeFractional = JumpIf(kNotEqual);
        Bytes({0xD9, 0xC0});                   // fld st0
        FrameAccess(0xDF, 7, kOffsetScratch);  // fistp qword [scratch]
        Bytes({0xF6, 0x87});                   // test byte [rdi + scratch], 1
        Int32(kOffsetScratch);
        Bytes({0x01, 0x0F, 0x95, 0xC0});              // setne al: odd
        Bytes({0xD9, 0xC9, 0xD9, 0xE1, 0xD9, 0xC9});  // fxch; fabs; fxch
        PowerOfMagnitude();
        Bytes({0x84, 0xC0});  // test al, al
        const size_t even = JumpIf(kEqual);
        Bytes({0xD9, 0xE0});  // fchs
        const size_t negativeDone = Jump({0xE9});
        // A zero base: +0 for an integral exponent from 0 on.
        Here(zero);
        Bytes({0x84, 0xD2});
        const size_t zeroFractional = JumpIf(kNotEqual);
        Bytes({0xD9, 0xEE, 0xDF, 0xE9});  // fldz; fucomip st1: 0 against e
        const size_t zeroNegative = JumpIf(kAbove);
        Bytes({0xDD, 0xD8, 0xDD, 0xD8, 0xD9, 0xEE});  // fstp st0; fstp st0; fldz
        const size_t zeroDone = Jump({0xE9});
        Here(negativeFractional);
        Here(zeroFractional);
        Here(zeroNegative);
        Bytes({0xDD, 0xD8});
        RaiseInvalid();
        const size_t faultDone = Jump({0xE9});
        Here(positive);
        PowerOfMagnitude();
        Here(even);
        Here(negativeDone);
        Here(zeroDone);
        Here(faultDone);
        --depth_;
    }

    // e^(e * ln |b|) for st0 = e, st1 = |b| > 0: fxch; fldln2; fxch; fyl2x; fmulp.
    void PowerOfMagnitude() {
        Bytes({0xD9, 0xC9, 0xD9, 0xED, 0xD9, 0xC9, 0xD9, 0xF1, 0xDE, 0xC9});
        Exponential();
    }

    // st(0) = st(0) op leaf (or leaf op st(0) for the reversed forms).
    void ApplyOperand(Arith op, const Node& leaf) {
        if (leaf.kind == NodeKind::Constant) {
            return ConstantAccess(0xDC, op, leaf.constant, true);
        }
        if (leaf.kind == NodeKind::IndexN) return FrameAccess(0xDC, op, kOffsetN);
        if (leaf.shared >= 0) {
            return Register(0xD8, static_cast<uint8_t>(0xC0 | (op << 3)),
                            SharedPosition(leaf.shared));
        }
        Register(0xD8, static_cast<uint8_t>(0xC0 | (op << 3)), depth_ + PositionOf(leaf));
    }

    const Engine& engine_;
    std::vector<Node> nodes_;
    std::vector<ExtendedReal> constants_;
    std::vector<uint8_t> code_;
    int32_t root_ = -1;
    int32_t nesting_ = 0;          // of the tree being read
    int32_t depth_ = 0;            // working registers in use
    std::vector<int32_t> shared_;  // the shared subtrees, in the order they are computed
    int32_t live_ = 0;             // shared values on the stack
    int32_t computing_ = -1;       // the shared subtree being computed
    int32_t column_ = 0;
    bool usesX_ = false;
    bool xInMemory_ = false;  // each column's x read from the frame where it is used
    bool usesN_ = false;
    bool usesSineOrCosine_ = false;
    bool ok_ = true;
};

}  // namespace

MachineCode::~MachineCode() {
#ifdef TARVIK_MACHINE_CODE
    if (memory_ != nullptr) munmap(memory_, size_);
#endif
}

bool MachineCode::Run(MachineFrame& frame, int32_t columns) const {
    // The generator addresses a constant's parts at these offsets.
    static_assert(sizeof(Constant) == 32 && offsetof(Constant, narrow) == 16);
#ifdef TARVIK_MACHINE_CODE
    using Entry = int32_t (*)(MachineFrame*, const Constant*);
    const auto entry = reinterpret_cast<Entry>(static_cast<uint8_t*>(memory_) + entry_[columns]);
    return entry(&frame, constants_.get()) == 0;
#else
    (void)frame;
    (void)columns;
    return false;
#endif
}

bool MachineCode::RunBatch(MachineFrame& frame) const {
#ifdef TARVIK_MACHINE_CODE
    using Entry = int32_t (*)(MachineFrame*, const Constant*);
    const auto entry = reinterpret_cast<Entry>(static_cast<uint8_t*>(memory_) + batchEntry_);
    return entry(&frame, constants_.get()) == 0;
#else
    (void)frame;
    return false;
#endif
}

bool MachineCodeRefused() {
    const char* const value = std::getenv(kRefuseMachineCodeVariable);
    return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
}

std::shared_ptr<const MachineCode> CompileMachineCode(const Engine& engine) {
#ifdef TARVIK_MACHINE_CODE
    Generator generator(engine);
    if (!generator.Read()) return nullptr;
    const int32_t columns = generator.Plan();
    if (columns == 0) return nullptr;
    std::shared_ptr<MachineCode> code(new MachineCode);
    code->columns_ = columns;
    code->paysForShortRuns_ = !generator.UsesSineOrCosine() || !generator.UsesN();
    std::vector<uint8_t>& bytes = generator.Code();
    bytes.assign(kLeadingPad, 0xCC);  // int3
    for (int32_t k = 1; k <= columns; ++k) {
        while (bytes.size() % 16 != 0) bytes.push_back(0xCC);
        code->entry_[k] = static_cast<int32_t>(bytes.size());
        generator.Emit(k);
    }
    if (!generator.UsesN()) {
        while (bytes.size() % 16 != 0) bytes.push_back(0xCC);
        code->batchEntry_ = static_cast<int32_t>(bytes.size());
        generator.EmitBatch(columns);
    }
    const auto& constants = generator.Constants();
    code->constants_ =
        std::make_unique<MachineCode::Constant[]>(std::max<size_t>(1, constants.size()));
    for (size_t i = 0; i < constants.size(); ++i) {
        code->constants_[i].wide = constants[i];
        code->constants_[i].narrow = static_cast<double>(constants[i]);
    }
    const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t size = (bytes.size() + page - 1) / page * page;
    void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    std::memcpy(memory, bytes.data(), bytes.size());
    // The refusal forced by the variable takes the very path of a refusing mprotect.
    if (MachineCodeRefused() || mprotect(memory, size, PROT_READ | PROT_EXEC) != 0) {
        munmap(memory, size);
        return nullptr;
    }
    code->memory_ = memory;
    code->size_ = size;
    return code;
#else
    (void)engine;
    return nullptr;
#endif
}

namespace {

// Copies an extended number through the integer unit. The plain assignment goes through an x87
// load and store, and an x87 store of 80 bits is not forwarded to a later load of it: that load
// (the code's own, of its x and a) waits until the store has left for the cache, behind every
// instruction before it, the slow sines of the previous run among them.
[[gnu::always_inline]] inline void CopyBits(ExtendedReal& to, const ExtendedReal& from) {
    std::memcpy(&to, &from, sizeof(ExtendedReal));
}

}  // namespace

// The machine code over a batch: columns with finite arguments in runs as wide as the code
// takes; a run that raised a flag again column by column, so that only a column that faults
// alone goes to the checked walk. A value or an argument that is not finite at the start would
// raise no flag, so its columns go to the walk at once.
void RunMachineSamples(const MachineCode& code, const ExtendedReal* xs, int32_t count,
                       ExtendedReal a0, int64_t first, int64_t last, ExtendedReal* values,
                       bool* ok) {
    MachineFrame frame;
    frame.n = static_cast<double>(first);  // exact for every 32-bit index
    frame.steps = last - first + 1;
    if (!extended_math::IsFinite(a0)) {
        std::fill(ok, ok + count, false);
        return;
    }
    int32_t index[kMaxMachineColumns];
    int32_t width = 0;
    const auto runPending = [&] {
        for (int32_t j = 0; j < width; ++j) {
            CopyBits(frame.x[j], xs[index[j]]);
            CopyBits(frame.a[j], a0);
        }
        if (code.Run(frame, width)) {
            for (int32_t j = 0; j < width; ++j) {
                CopyBits(values[index[j]], frame.a[j]);
                ok[index[j]] = true;
            }
        } else {
            for (int32_t j = 0; j < width; ++j) {
                const int32_t i = index[j];
                CopyBits(frame.x[0], xs[i]);
                CopyBits(frame.a[0], a0);
                ok[i] = width > 1 && code.Run(frame, 1);
                if (ok[i]) CopyBits(values[i], frame.a[0]);
            }
        }
        width = 0;
    };
    int32_t begin = 0;
    if (frame.steps == 1 && code.HasBatch() && count >= code.Columns()) {
        const bool finite = std::all_of(
            xs, xs + count, [](const ExtendedReal& x) { return extended_math::IsFinite(x); });
        const int32_t groups = count / code.Columns();
        frame.batchX = xs;
        frame.batchValues = values;
        frame.groups = groups;
        CopyBits(frame.a[0], a0);
        if (finite && code.RunBatch(frame)) {
            begin = groups * code.Columns();
            std::fill(ok, ok + begin, true);
        }
    }
    for (int32_t i = begin; i < count; ++i) {
        if (!extended_math::IsFinite(xs[i])) {
            ok[i] = false;
            continue;
        }
        index[width++] = i;
        if (width == code.Columns()) runPending();
    }
    if (width > 0) runPending();
}
