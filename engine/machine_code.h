// Machine code for a built tree: on x86-64 the tree of a successful build becomes x87
// instructions once, and the samples of a recurrence then run several columns side by side in
// the x87 registers, their steps interleaved so that the latency of one column's chain along n
// is hidden behind the others. The code is made once, never changed afterwards, and shared by
// every copy of the engine.
//
// The code checks nothing per operation: it starts with the x87 exception flags clear, runs,
// and looks at the sticky invalid, division-by-zero and overflow flags every 16 steps and at
// the end. From finite leaves every value that is not finite, and every guard the generated
// operations meet (the power's rules, a function's domain, the factorial's table, the tangent's
// pi/2, an argument of sine or cosine from 2^63 on), raises one of them; so no flag means that
// every step of every column gave exactly the checked walk's bits. A raised flag sends the columns
// of that run back to the caller, which runs each alone and lets the checked walk decide where one
// still faults.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/engine_state.h"

// The most columns one run of the code takes.
inline constexpr int32_t kMaxMachineColumns = 6;

// What one run reads and writes: each column's x and starting a, n's first value and the
// number of steps (at least 1). a[i] holds the column's value after a clean run. n is a double,
// exact for every index: the code counts it in an SSE register and the x87 instructions read it
// from memory, which costs them no register and no copy.
struct MachineFrame {
    ExtendedReal x[kMaxMachineColumns];
    ExtendedReal a[kMaxMachineColumns];
    double n = 0;
    double one = 1;
    int64_t steps = 1;
    double running = 0;   // the code's own: n of the step being run
    int64_t scratch = 0;  // the code's own: integers stored by its tests
    // For RunBatch: groups of Columns() samples, their x read from batchX, their values written
    // to batchValues, a from a[0].
    const ExtendedReal* batchX = nullptr;
    ExtendedReal* batchValues = nullptr;
    int64_t groups = 0;
};

class MachineCode {
  public:
    ~MachineCode();
    MachineCode(const MachineCode&) = delete;
    MachineCode& operator=(const MachineCode&) = delete;

    // The widest run: how many columns fit the eight x87 registers beside the working stack.
    int32_t Columns() const { return columns_; }
    // Whether even runs of one step are faster here than on the portable runner (measured): so
    // for trees without n, whose samples run in one loop over the batch, and for trees without
    // sine, cosine, tangent and cotangent, whose slow instructions leave the short runs little
    // to gain.
    bool PaysForShortRuns() const { return paysForShortRuns_; }
    // Runs `columns` (1..Columns()) columns of `frame`; true when no flag was raised. False
    // leaves frame.a unspecified.
    bool Run(MachineFrame& frame, int32_t columns) const;
    // Whether RunBatch is there: for trees without n, whose samples are one step each.
    bool HasBatch() const { return batchEntry_ != 0; }
    // Runs frame.groups groups of Columns() samples in one loop, the flags looked at once at the
    // end; true when no flag was raised, the values then written. False leaves them unspecified.
    bool RunBatch(MachineFrame& frame) const;

  private:
    friend std::shared_ptr<const MachineCode> CompileMachineCode(const Engine& engine);
    MachineCode() = default;

    void* memory_ = nullptr;
    size_t size_ = 0;
    int32_t columns_ = 0;
    bool paysForShortRuns_ = false;
    // Entry offsets into memory_, one per column count (index 0 unused).
    int32_t entry_[kMaxMachineColumns + 1] = {};
    int32_t batchEntry_ = 0;
    // The tree's constants: each as the extended number and, where it is exact there, as a
    // double that the arithmetic instructions can take from memory.
    struct alignas(16) Constant {
        ExtendedReal wide;
        double narrow;
    };
    std::unique_ptr<Constant[]> constants_;
};

// Set to anything but "0" or the empty text, this environment variable makes every build
// behave as if the system refused executable memory: no machine code, the portable runner for
// every tree. For proving that fallback, and for systems whose policy kills a process that asks.
inline constexpr const char* kRefuseMachineCodeVariable = "TARVIK_REFUSE_MACHINE_CODE";

// Whether the variable asks for the refusal (read at every build, which is rare).
bool MachineCodeRefused();

// The code for slots 1..NodeCount of a successful build, or null: a table that holds no whole
// tree of known kinds and codes, one too deep for the x87 registers, a constant that is not
// finite, another processor, or a system that refuses executable memory. Null means the
// portable runner evaluates the tree.
std::shared_ptr<const MachineCode> CompileMachineCode(const Engine& engine);

// Runs the code over a batch of samples, each from a0 over n = first..last (first <= last), as
// RunProgram (engine/compiled_program.h) promises: ok[i] true means values[i] holds exactly the
// checked walk's value; false leaves the sample to the walk.
void RunMachineSamples(const MachineCode& code, const ExtendedReal* xs, int32_t count,
                       ExtendedReal a0, int64_t first, int64_t last, ExtendedReal* values,
                       bool* ok);
