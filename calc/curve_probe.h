// What the points of interest evaluate: f, or f - g for the intersections of two expressions,
// each on its own copy of its engine. A failure of either (or an overflow of the difference) is
// a point where the curve is not defined.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/engine_state.h"

class ProbedCurve {
  public:
    ProbedCurve(const Engine& first, const Engine* second);

    // The value at x; false where the curve is not defined.
    bool At(ExtendedReal x, ExtendedReal& y);
    // The value shown for a point: f itself.
    bool Shown(ExtendedReal x, ExtendedReal& y);
    // At for count abscissae in one go, as a plot evaluates them.
    void Samples(const ExtendedReal* x, int32_t count, ExtendedReal* y, bool* ok);

  private:
    Engine first_;
    std::optional<Engine> second_;
};
