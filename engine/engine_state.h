// The expression engine's state: the node table, its cursor, the error code, the usage flags
// and the values the evaluator reads (c, a, the index range). One Engine object holds it all,
// so that the window, the command-line companion and every test own their own.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

// The one number type of the engine, the view and the parameters.
using ExtendedReal = long double;
static_assert(std::numeric_limits<ExtendedReal>::digits == 64,
              "ExtendedReal must be the x87 extended format with a 64-bit significand");

// Kind of a node (numbers are stored and compared, keep them).
enum class NodeKind : int32_t {
    None = 0,  // a slot no build has filled
    Constant = 1,
    Operator = 2,
    Function = 3,
    ArgumentX = 4,
    ValueA = 5,
    IndexN = 6,
};

// Operator codes: the operator's token kind minus 1.
enum class OperatorCode : int32_t { Add = 1, Subtract = 2, Multiply = 3, Divide = 4, Power = 5 };

// Function codes: 1-based positions in FunctionNames.
enum class FunctionCode : int32_t {
    Sin = 1,
    Cos = 2,
    Tg = 3,
    Ctg = 4,
    Sqrt = 5,
    Ln = 6,
    Exp = 7,
    Abs = 8,
    Fact = 9,
};

// Error codes held in EngineError; 0 is "no error".
enum ErrorCode : int32_t {
    kNoError = 0,
    kErrIncorrect = 1,  // expression incorrect
    kErrBrackets = 2,   // brackets misplaced
    kErrDivisionByZero = 3,
    kErrNegativeFractional = 4,
    kErrZeroPower = 5,
    kErrTangent = 6,
    kErrCotangent = 7,
    kErrSqrtNegative = 8,
    kErrLnNonPositive = 9,
    kErrFactorial = 10,
    kErrOverflow = 11,
};

// One node of an expression tree. A new node has all fields 0.
struct TBinary {
    NodeKind Kind = NodeKind::None;
    int32_t Code = 0;  // OperatorCode or FunctionCode, 0 otherwise
    ExtendedReal Value = 0;
};

inline constexpr int kNodeSlots = 255;

// One instruction of a compiled tree (engine/compiled_program.h): what to do, the constant it
// reads, if any.
struct Instruction {
    int32_t Op = 0;
    ExtendedReal Constant = 0;
};

class MachineCode;

// The tree of the last successful build as a flat postfix list of instructions, and as machine
// code where the processor and the tree allow (engine/machine_code.h). The list holds no
// pointers and the machine code is immutable and shared, so a copy of the engine carries a
// working copy of both. Length 0: no program, the evaluator walks the table.
struct CompiledProgram {
    std::array<Instruction, kNodeSlots + 1> Code{};
    int32_t Length = 0;
    int32_t NodeCount = 0;  // the build it was compiled from
    std::shared_ptr<const MachineCode> Machine;
    // Run the machine code however short the run (for comparing it with the other runners);
    // otherwise short runs, which cost the code more to enter than to run, use the list.
    bool MachineAlways = false;
};

// A sequence walk that yields no value (an empty index range): it makes no step, so it raises no
// error code of its own; the callers report it with this code beside the engine's.
inline constexpr int32_t kEmptyRangeCode = -1;

// Function names; a function's code is its 1-based position.
extern const std::array<std::string_view, 9> FunctionNames;

struct Engine {
    // Slots 1..255; slot 0 is never used.
    std::array<TBinary, kNodeSlots + 1> NodeTable{};
    int32_t NodeCursor = 0;
    int32_t EngineError = 0;
    bool UsesX = false;
    bool UsesN = false;
    ExtendedReal ConstantC = 1;
    ExtendedReal ValueA = 1;
    int32_t IndexFrom = 1;
    int32_t IndexTo = 100;
    // Outcome of the last complete build through BuildExpression: 0 when slots 1..NodeCount
    // hold a whole tree, the build's error code otherwise (1 before any build). The evaluator
    // refuses to walk a table whose build failed.
    int32_t LastBuildError = kErrIncorrect;
    int32_t NodeCount = 0;
    // Compiled by the build that filled the table; dropped by ResetForBuild. A table filled or
    // changed in any other way has no program and is only walked.
    CompiledProgram Program{};
};

// The caller's reset before a build: flags false, no error, cursor at slot 1.
void ResetForBuild(Engine& engine);
