// Checks that every way of evaluating a built tree agrees bit for bit with the checked walk:
// EvaluateSequence, EvaluateSamples for the sample alone, and EvaluateSamples in batches of
// several sizes where the sample sits among others, some of which fault.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"

// What one evaluation leaves: whether it produced a value, the value's bits, the code and the
// cursor.
struct PathOutcome {
    bool ran = false;
    ExtendedReal value = 0;
    int32_t code = 0;
    int32_t cursor = 0;
};

// The checked walk on a copy of `built`.
PathOutcome CheckedOutcome(const Engine& built, ExtendedReal x);

// Whether two extended numbers have the same 80 bits.
bool SameBits(ExtendedReal a, ExtendedReal b);

// Runs every path for x on copies of `built` and reports each disagreement as a test failure.
void ExpectAllPathsAgree(const Engine& built, ExtendedReal x);
