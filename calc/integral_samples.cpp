// The ordered rectangle sum over the sample stream.
#include "calc/integral_samples.h"

#include <limits>

StripSum SumStrips(Engine& engine, ExtendedReal lower, ExtendedReal upper, ExtendedReal strip,
                   const SampleControl& control) {
    StripSum result;
    // The abscissa is tested before it grows, so the last sample lies at the first abscissa
    // above the upper limit. The row is bounded by that test alone, or by a strip too small to
    // move it, which ends even the first step.
    const AbscissaRow row(lower, strip, std::numeric_limits<int64_t>::max(), upper, true);
    SampleStream stream(engine, row, control);
    ExtendedReal t = 0;
    ExtendedReal y = 0;
    bool ok = false;
    while (stream.Next(t, y, ok)) {
        if (!ok) {
            result.Status = StripSumStatus::Failed;
            result.FailedAt = t;
            return result;
        }
        result.Sum += y * strip;
        ++result.Samples;
    }
    if (control.Stopped()) {
        result.Status = StripSumStatus::Stopped;
    } else if (stream.Stuck()) {
        result.Status = StripSumStatus::TooSmall;
    }
    return result;
}
