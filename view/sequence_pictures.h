// The pictures of a sequence beside the graph: its terms against n, and the cobweb of a map
// a <- f(a). Both draw over the current view with its background, grid and axes, and the window
// chooses among the three pictures through DrawPicture.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/sequence_table.h"
#include "engine/engine_state.h"
#include "view/draw_surface.h"
#include "view/drawing.h"
#include "view/picture_mode.h"
#include "view/view_state.h"

// The diagonal and the staircase of the cobweb; the curve and the terms take the line colour.
inline constexpr Colour kDiagonalColour = 0x00FF00;  // bright green
inline constexpr Colour kStaircaseColour = kRed;

// World points of the staircase: (a0, 0), then (a_k, a_k+1) and (a_k+1, a_k+1) for each term.
std::vector<std::pair<ExtendedReal, ExtendedReal>> CobwebVertices(const TermList& terms);

// Each term a_n at world (n, a_n) as a 3 x 3 square in the line colour, joined in line mode.
void DrawTerms(DrawSurface& canvas, const ViewState& view, const DrawOptions& options,
               const TermList& terms);

// The curve y = f(a) over the view at argument x, the diagonal y = a and the staircase.
void DrawCobweb(DrawSurface& canvas, const Engine& engine, const ViewState& view,
                const DrawOptions& options, ExtendedReal x);

// The picture of the chosen mode for the last built expression; x is the argument of the
// sequence pictures. The graph is PlotCurve itself. Raises DrawingOverflow as PlotCurve does.
PictureOutcome DrawPicture(DrawSurface& canvas, Engine& engine, const ViewState& view,
                           const DrawOptions& options, PictureMode mode, ExtendedReal x,
                           const SampleControl& control = SampleControl{});
