// The core of the run command: from the expression text (after the exit rules and
// ShowParameters, which the window performs) to the log lines, the result text and the picture.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/tree_builder.h"
#include "tarvik_version.h"
#include "view/draw_surface.h"
#include "view/drawing.h"
#include "view/view_state.h"

inline constexpr std::string_view kRunLogSeparator =
    "*****************************************************************";
inline constexpr std::string_view kProgramCaption = TARVIK_NAME_AND_VERSION;
inline constexpr std::string_view kResultHintPrefix = "Результат обработки выражения ";
inline constexpr std::string_view kOverflowMessage = "Ошибка переполнения";
inline constexpr std::string_view kPlotStopped = "Построение прервано";

struct RunOutcome {
    bool Ran = false;                       // false: empty expression, nothing logged
    std::vector<std::string> LogLines;      // separator, expression, outcome (UTF-8)
    std::optional<std::string> Caption;     // new window caption after a successful build
    std::string ResultHint;                 // hint of txtResult
    std::optional<std::string> ResultText;  // text of txtResult, when the run writes it
    std::optional<std::string> NewA0Text;   // text for txtA0 when the value became the new a0
    bool Overflow = false;                  // the drawing raised: show kOverflowMessage
    BuildStop Stop;                         // where a failed build stopped in the text
};

// Steps 4 to 12 of a run: build (the expression converted to single-byte text by the caller and
// passed as `engineText`; `shownText` is the text as the user sees it, UTF-8), plot, outcome.
// Updates engine.ValueA when an expression without x computes a value.
RunOutcome RunExpression(Engine& engine, const ViewState& view, DrawSurface& canvas,
                         const DrawOptions& options, std::string_view engineText,
                         std::string_view shownText, const SampleControl& control = {});

// The two halves of RunExpression. BeginRun builds and writes the first log lines; false when the
// run ends there (an empty text, or a build error already reported). FinishRun plots on
// control.Threads threads and adds the outcome: kPlotStopped when the control stopped the plot.
bool BeginRun(Engine& engine, RunOutcome& outcome, std::string_view engineText,
              std::string_view shownText);
void FinishRun(Engine& engine, const ViewState& view, DrawSurface& canvas,
               const DrawOptions& options, RunOutcome& outcome, const SampleControl& control);
