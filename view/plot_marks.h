// What is drawn over the curves: the points of interest as small hollow circles in their curve's
// colour, the tangent at a point as a thin line, and the integral's area between the curve and
// the axis, shaded at about 30% opacity (the parts below the axis hatched as well). Each is
// drawn the same way over the raster canvas and the vector surface.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/points_of_interest.h"
#include "engine/engine_state.h"
#include "view/draw_surface.h"
#include "view/view_state.h"

// A circle's radius in pixels, and how far from its centre the pointer still finds it.
inline constexpr int kMarkerRadius = 4;
inline constexpr int kMarkerReach = kMarkerRadius + 2;

struct PointMarker {
    PointOfInterest Point;
    Colour MarkerColour = kYellow;
};

// Where a marker is drawn: zeros on the axis, the other kinds at (x, f(x)).
struct MarkerPixel {
    int32_t Column = 0;
    int32_t Row = 0;
};
MarkerPixel MarkerPlace(const ViewState& view, const PointOfInterest& point);

// The marker nearest to picture pixel (x, y) within kMarkerReach, if any.
std::optional<size_t> MarkerAt(const ViewState& view, const std::vector<PointMarker>& markers,
                               int32_t x, int32_t y);

void DrawPointMarkers(DrawSurface& surface, const ViewState& view,
                      const std::vector<PointMarker>& markers);

// A number of a point as the tooltips and the points table show it: `digits` significant digits
// (1..kAllDigits), the point as decimal point, an exponent where the magnitude needs one.
std::string PointNumberText(ExtendedReal value, int32_t digits = kAllDigits);

// The tangent y = Slope * x + Offset across the whole picture.
struct TangentLine {
    ExtendedReal Slope = 0;
    ExtendedReal Offset = 0;
    Colour LineColour = kYellow;
};
void DrawTangentLine(DrawSurface& surface, const ViewState& view, const TangentLine& tangent);

// The opacity of the shading, out of 255.
inline constexpr int kShadeAlpha = 77;

// The area between the curve and the axis over [From, To], sampled at the picture's columns.
// Columns where the curve is not defined are left unshaded.
struct ShadedArea {
    ExtendedReal From = 0;
    ExtendedReal To = 0;
    Colour ShadeColour = kYellow;
};
// Copies `engine` and evaluates it at the columns of [From, To].
void DrawShadedArea(DrawSurface& surface, const ViewState& view, const ShadedArea& area,
                    const Engine& engine);
