// The core of the run command: build, plot, and the outcome line of the scenario log.
#include "view/run_command.h"

#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "engine/tree_builder.h"

namespace {

constexpr int kValueDecimals = 10;

// An index range with no step produces no value and carries no code of its own.
std::string ErrorText(int32_t code) {
    if (code == kNoError) return std::string(kErrorPrefix) + std::string(kEmptyIndexRangeMessage);
    return EngineErrorText(code);
}

void Report(RunOutcome& outcome, const std::string& text) {
    outcome.ResultText = text;
    outcome.LogLines.push_back(text);
}

// The value outcome of an expression without x: it becomes the new a0.
void ComputeValue(RunOutcome& outcome, Engine& engine) {
    ExtendedReal value = 0;
    if (!EvaluateSequence(engine, 1, value) || engine.EngineError != kNoError) {
        Report(outcome, ErrorText(engine.EngineError));
        return;
    }
    engine.ValueA = value;
    const std::string text = RealDisplayText(value, kValueDecimals);
    outcome.NewA0Text = text;
    Report(outcome, text);
}

}  // namespace

bool BeginRun(Engine& engine, RunOutcome& outcome, std::string_view engineText,
              std::string_view shownText) {
    if (engineText.empty()) return false;
    outcome.Ran = true;
    outcome.LogLines.emplace_back(kRunLogSeparator);
    outcome.LogLines.emplace_back(shownText);

    const int32_t error = BuildExpression(engine, engineText, outcome.Stop);
    outcome.ResultHint = std::string(kResultHintPrefix) + std::string(shownText);
    if (error != kNoError) {
        Report(outcome, ErrorText(error));
        return false;
    }
    outcome.Caption = std::string(kProgramCaption) + "  \"" + std::string(shownText) + "\"";
    return true;
}

void FinishRun(Engine& engine, const ViewState& view, DrawSurface& canvas,
               const DrawOptions& options, RunOutcome& outcome, const SampleControl& control) {
    const ExtendedReal a0 = engine.ValueA;
    try {
        PlotCurve(canvas, engine, view, options, control);
        engine.ValueA = a0;
        engine.NodeCursor = 1;
        if (control.Stopped()) {
            Report(outcome, std::string(kPlotStopped));
        } else if (engine.UsesX) {
            Report(outcome, std::string(kGraphBuilt));
        } else {
            ComputeValue(outcome, engine);
        }
    } catch (...) {
        // What was logged and drawn so far stays; the window shows the overflow message.
        engine.ValueA = a0;
        outcome.Overflow = true;
    }
}

RunOutcome RunExpression(Engine& engine, const ViewState& view, DrawSurface& canvas,
                         const DrawOptions& options, std::string_view engineText,
                         std::string_view shownText, const SampleControl& control) {
    RunOutcome outcome;
    if (BeginRun(engine, outcome, engineText, shownText)) {
        FinishRun(engine, view, canvas, options, outcome, control);
    }
    return outcome;
}
