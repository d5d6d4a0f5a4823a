// The rectangle sum of the definite integral, its samples computed on worker threads and summed
// in their original order, so that the sum is the same to the last bit for any thread count.
#pragma once

#include <cstdint>

#include "calc/sample_stream.h"
#include "engine/engine_state.h"

enum class StripSumStatus {
    Done,      // Sum holds the rectangle sum
    Failed,    // the sample at FailedAt produced no value; nothing after it was added
    TooSmall,  // the strip no longer moves the abscissa
    Stopped,   // the control stopped the sum
};

struct StripSum {
    StripSumStatus Status = StripSumStatus::Done;
    ExtendedReal Sum = 0;
    ExtendedReal FailedAt = 0;
    int64_t Samples = 0;
};

// From t = lower, while t <= upper: t := t + strip, then sum := sum + f(t) * strip. Expects
// lower <= upper and a strip that is finite. Leaves ValueA as it was and EngineError at 0.
StripSum SumStrips(Engine& engine, ExtendedReal lower, ExtendedReal upper, ExtendedReal strip,
                   const SampleControl& control);
