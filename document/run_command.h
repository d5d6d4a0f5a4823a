// The core of the run command: from the expression text (after the exit rules and
// ShowParameters, which the window performs) to the log lines, the result text and the picture.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/run_outcome.h"
#include "engine/engine_state.h"
#include "view/draw_surface.h"
#include "view/drawing.h"
#include "view/view_state.h"

inline constexpr std::string_view kRunLogSeparator =
    "*****************************************************************";

// Steps 4 to 12 of a run: build (the expression converted to single-byte text by the caller and
// passed as `engineText`; `shownText` is the text as the user sees it, UTF-8), plot, outcome.
// Updates engine.ValueA when an expression without x computes a value.
RunOutcome RunExpression(Engine& engine, const ViewState& view, DrawSurface& canvas,
                         const DrawOptions& options, std::string_view engineText,
                         std::string_view shownText, const SampleControl& control = {});

// The two halves of RunExpression. BeginRun builds and writes the first log lines; false when the
// run ends there (an empty text, or a build error already reported). FinishRun plots on
// control.Threads threads and adds the outcome: RunEnd::Stopped when the control stopped the plot.
bool BeginRun(Engine& engine, RunOutcome& outcome, std::string_view engineText,
              std::string_view shownText);
void FinishRun(Engine& engine, const ViewState& view, DrawSurface& canvas,
               const DrawOptions& options, RunOutcome& outcome, const SampleControl& control);
// FinishRun with the picture drawn by `plot`, which raises DrawingOverflow as PlotCurve does and
// leaves engine.ValueA as it found it.
void FinishRunWith(Engine& engine, RunOutcome& outcome, const SampleControl& control,
                   const std::function<void()>& plot);
