// Background, grid and axes, and the curve plotting.
#pragma once

#include <string_view>

#include "calc/sample_stream.h"
#include "engine/engine_state.h"
#include "view/canvas.h"
#include "view/draw_surface.h"
#include "view/view_state.h"

// The drawing options the window reads from its controls at drawing time.
struct DrawOptions {
    Colour BackgroundColour = kBlack;  // txtBkColor
    Colour LineColour = kYellow;       // txtLineColor
    bool ClearFirst = true;            // cbxKill: clear before drawing
    bool Grid = true;                  // cbxSetka
    bool Axes = true;                  // cbxOci
    bool Lines = true;                 // rbtLines (false: rbtPixels, single points)
    bool BoundArgument = false;        // cbxBorderX
    // Leave out a segment whose samples lie on both sides of a pole (lines only).
    bool BreakPoles = false;
    // The frame's lines (the printed page has its own).
    Colour GridColour = kGrey;
    Colour AxesColour = kWhite;
};

// Raised by the drawing when its own arithmetic (outside the evaluator) cannot go on; the run
// command reports it as an overflow.
struct DrawingOverflow {};

// World points farther than this many pixels (2^30) from the picture are far off: they are
// brought to that distance before rounding, so that every position fits the canvas.
inline constexpr ExtendedReal kFarPixels = 1073741824.0L;

// Raises DrawingOverflow for a value beyond the range of numbers.
void RequireFinite(ExtendedReal value);
// Pixel sizes that are not positive, or values beyond the range of numbers, leave nothing to
// draw with: the same failure as an overflow in the drawing's arithmetic.
void RequireUsableView(const ViewState& view);

// The view as drawn onto a surface of `scale` device pixels to a logical pixel: the same world
// window over `scale` times as many pixels each way.
ViewState DeviceView(const ViewState& view, int scale);

// The drawing below takes the logical view and draws it onto the surface's device pixels.
void DrawBackground(DrawSurface& canvas, const ViewState& view, const DrawOptions& options);

// Plots the last built tree. Returns true when the expression uses x: the caller then reports
// the graph as built. After a failed build only the background is drawn.
bool PlotCurve(DrawSurface& canvas, Engine& engine, const ViewState& view,
               const DrawOptions& options);
// The same, with the samples computed on control.Threads threads: the picture is the same pixel
// for pixel for any count. A stop ends the plot early with what was drawn so far.
bool PlotCurve(DrawSurface& canvas, Engine& engine, const ViewState& view,
               const DrawOptions& options, const SampleControl& control);

// PlotCurve in its two halves. The frame: the background, grid and axes, in copy mode.
void DrawFrame(DrawSurface& canvas, const ViewState& view, const DrawOptions& options);
// One curve over what is drawn (options.ClearFirst is not read): the bound markers and the
// samples of the last built tree in options.LineColour. Answers as PlotCurve does.
bool DrawCurve(DrawSurface& canvas, Engine& engine, const ViewState& view,
               const DrawOptions& options, const SampleControl& control = SampleControl{});
