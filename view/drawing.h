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
    bool ClearFirst = true;            // cbxKill "Новый"
    bool Grid = true;                  // cbxSetka "Сетка"
    bool Axes = true;                  // cbxOci "Оси XY"
    bool Lines = true;                 // rbtLines "Линии" (false: rbtPixels "Точки")
    bool BoundArgument = false;        // cbxBorderX
    // Leave out a segment whose samples lie on both sides of a pole (lines only).
    bool BreakPoles = false;
};

inline constexpr std::string_view kGraphBuilt = "График построен";

// Raised by the drawing when its own arithmetic (outside the evaluator) cannot go on; the run
// command shows "Ошибка переполнения" for it.
struct DrawingOverflow {};

void DrawBackground(DrawSurface& canvas, const ViewState& view, const DrawOptions& options);

// Plots the last built tree. Returns true when the expression uses x: the caller then writes
// kGraphBuilt into the result field. After a failed build only the background is drawn.
bool PlotCurve(DrawSurface& canvas, Engine& engine, const ViewState& view,
               const DrawOptions& options);
// The same, with the samples computed on control.Threads threads: the picture is the same pixel
// for pixel for any count. A stop ends the plot early with what was drawn so far.
bool PlotCurve(DrawSurface& canvas, Engine& engine, const ViewState& view,
               const DrawOptions& options, const SampleControl& control);
