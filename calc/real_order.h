// The order of the long doubles: each numbered so that neighbours get consecutive numbers
// (both zeros 0), for bisections that end at neighbouring numbers wherever they lie, zero
// included; the unit in the last place; the shortest decimal between two numbers.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"

using Ordinal = __int128;

Ordinal OrdinalOf(ExtendedReal v);
ExtendedReal RealOf(Ordinal ordinal);
// The distance from |v| to the next larger number (to the next smaller one at the top).
ExtendedReal Ulp(ExtendedReal v);
// The shortest decimal of at most `mostDigits` significant digits in [low, high] (0 where 0 is
// among them; the middle where none is short enough).
ExtendedReal ShortestBetween(ExtendedReal low, ExtendedReal high, int mostDigits);
