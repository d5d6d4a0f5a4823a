// One curve of the picture: the expression as the user typed it, its own built engine (the tree,
// the compiled program and the parameters n0, nk, a0 and c of its run) and how it is drawn.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/engine_state.h"
#include "view/draw_surface.h"

struct Curve {
    std::string Expression;  // UTF-8, as the expression box showed it
    // Shared by the copies of the curve and never changed: a draw evaluates a copy of its own.
    std::shared_ptr<const Engine> Built;
    Colour LineColour = kYellow;
    bool Lines = true;  // false: single points
    bool Visible = true;
    // The argument bound of the curve's run.
    bool BoundArgument = false;
    ExtendedReal ArgumentFrom = -1;
    ExtendedReal ArgumentTo = 1;

    bool UsesX() const { return Built != nullptr && Built->UsesX; }
};

// The parameters (c, a0, the index range) a curve is evaluated with.
struct CurveParameters {
    ExtendedReal ConstantC = 1;
    ExtendedReal ValueA = 1;
    int32_t IndexFrom = 1;
    int32_t IndexTo = 100;

    bool operator==(const CurveParameters&) const = default;
};

CurveParameters ParametersOf(const Engine& engine);

// A curve for an engine that a build has just filled without error (its parameters included).
Curve CurveOfBuild(std::string_view expression, const Engine& built);

// Builds `expression` (UTF-8) with the parameters of `parameters`. False, with the engine's code
// in `error`, when the build fails; the curve is then left as it was.
bool BuildCurve(std::string_view expression, const CurveParameters& parameters, Curve& curve,
                int32_t& error);

// The curve with other parameters: its engine is copied only when they differ.
void SetCurveParameters(Curve& curve, const CurveParameters& parameters);
