// The compiled form of a tree: the node table of a successful build turned once into a flat
// postfix list of instructions, leaves and constants in place, and the runner that evaluates it
// for many samples in one call. The runner checks nothing per operation; it only says, per
// sample, whether its value is certainly the one the checked walk of the table gives. Where it
// is not (a guard, a fault, a value that is not finite), the checked walk decides.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"

// The largest argument of "fact" with a finite result.
inline constexpr int32_t kLargestFactorial = 1754;

// i! for 0 <= i <= kLargestFactorial: each the previous one times i in extended precision, the
// same products that multiplying 1 by 1, 2, ..., i in turn makes.
ExtendedReal TabulatedFactorial(int32_t i);
// The same numbers as one array of kLargestFactorial + 1, which lives as long as the process
// (the machine code reads it in place).
const ExtendedReal* FactorialTable();

// Compiles slots 1..NodeCount into engine.Program. A table that does not hold one whole tree
// of known kinds and codes there (or one too deep to run) gets no program.
void CompileProgram(Engine& engine);

// Whether engine.Program was compiled by the build that filled the table.
inline bool HasProgram(const Engine& engine) {
    return engine.Program.Length > 0 && engine.LastBuildError == kNoError &&
           engine.Program.NodeCount == engine.NodeCount;
}

// Runs the program for every x[i] (by its machine code where the build made one) over n =
// first..last (first <= last), a carried from step to step from ValueA. ok[i] is true when every
// step gave a finite value without meeting a guard: values[i] then holds exactly the checked walk's
// result, and that walk ends past the last slot without error. ok[i] false: the checked walk must
// decide (values[i] is unspecified).
void RunProgram(const Engine& engine, const ExtendedReal* x, int32_t count, int64_t first,
                int64_t last, ExtendedReal* values, bool* ok);

// RunProgram for one sample: its value, or a value that is not finite where ok would be false.
// x by reference: a long double passed by value is copied through memory, which stalls.
ExtendedReal RunProgramOnce(const Engine& engine, const ExtendedReal& x, int64_t first,
                            int64_t last);
// RunProgramOnce by the machine code, which pays for entering it from about eight steps on;
// the caller asks RunsMachineCodeOnce first. (The two stay apart: with the choice inside it,
// the compiler arranged the list runner's x87 registers worse, and single samples of a step or
// two ran measurably slower.)
inline bool RunsMachineCodeOnce(const Engine& engine, int64_t first, int64_t last) {
    constexpr int64_t kShortest = 8;
    return last - first + 1 >= (engine.Program.MachineAlways ? 1 : kShortest) &&
           engine.Program.Machine != nullptr;
}
ExtendedReal RunMachineCodeOnce(const Engine& engine, const ExtendedReal& x, int64_t first,
                                int64_t last);

// Whether the program runs as machine code (engine/machine_code.h).
bool HasMachineCode(const Engine& engine);
// Leaves the program to the portable runner: for comparing the two and measuring them apart.
void DropMachineCode(Engine& engine);
// Runs the machine code even for the short runs it is otherwise left out of (a handful of
// steps): for comparing it with the other runners on every row.
void AlwaysRunMachineCode(Engine& engine);
