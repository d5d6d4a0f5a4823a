// Breaks at poles: whether the curve between two consecutive samples crosses a pole, so that
// the line joining them is left out. The samples must change sign; a few bisection steps then
// look between them: a failed value there, or values whose magnitude grows past the picture
// while the sign keeps changing, confirm the pole. A continuous curve is never broken, since
// its values converge to the root between the samples.
#pragma once

#include <functional>

#include "engine/engine_state.h"

// Evaluates the curve at x; false when the value fails there.
using CurveAt = std::function<bool(ExtendedReal x, ExtendedReal& value)>;

// `beyond`: a magnitude past every row of the picture (the larger of |top| and |bottom|).
bool PoleBetween(const CurveAt& curve, ExtendedReal x0, ExtendedReal y0, ExtendedReal x1,
                 ExtendedReal y1, ExtendedReal beyond);

// The magnitude past the picture for a view whose top row shows `top` and bottom row `bottom`.
ExtendedReal MagnitudeBeyond(ExtendedReal top, ExtendedReal bottom);
