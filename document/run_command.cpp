// The core of the run command: build, plot, and the outcome line of the scenario log.
#include "document/run_command.h"

#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "engine/tree_builder.h"

namespace {

constexpr int kValueDecimals = 10;

// An index range with no step produces no value and carries no code of its own.
void Fail(RunOutcome& outcome, int32_t code) {
    outcome.End = RunEnd::Failed;
    outcome.Code = code == kNoError ? kEmptyRangeCode : code;
}

// The value outcome of an expression without x: it becomes the new a0.
void ComputeValue(RunOutcome& outcome, Engine& engine) {
    ExtendedReal value = 0;
    if (!EvaluateSequence(engine, 1, value) || engine.EngineError != kNoError) {
        Fail(outcome, engine.EngineError);
        return;
    }
    engine.ValueA = value;
    outcome.NewA0Text = RealDisplayText(value, kValueDecimals);
    outcome.End = RunEnd::Value;
}

}  // namespace

bool BeginRun(Engine& engine, RunOutcome& outcome, std::string_view engineText,
              std::string_view shownText) {
    if (engineText.empty()) return false;
    outcome.Ran = true;
    outcome.LogLines.emplace_back(kRunLogSeparator);
    outcome.LogLines.emplace_back(shownText);

    const int32_t error = BuildExpression(engine, engineText, outcome.Stop);
    outcome.Expression = std::string(shownText);
    if (error != kNoError) {
        Fail(outcome, error);
        return false;
    }
    outcome.Built = true;
    return true;
}

void FinishRun(Engine& engine, const ViewState& view, DrawSurface& canvas,
               const DrawOptions& options, RunOutcome& outcome, const SampleControl& control) {
    FinishRunWith(engine, outcome, control,
                  [&] { PlotCurve(canvas, engine, view, options, control); });
}

void FinishRunWith(Engine& engine, RunOutcome& outcome, const SampleControl& control,
                   const std::function<void()>& plot) {
    const ExtendedReal a0 = engine.ValueA;
    try {
        plot();
        engine.ValueA = a0;
        engine.NodeCursor = 1;
        if (control.Stopped()) {
            outcome.End = RunEnd::Stopped;
        } else if (engine.UsesX) {
            outcome.End = RunEnd::GraphBuilt;
        } else {
            ComputeValue(outcome, engine);
        }
    } catch (const DrawingOverflow&) {
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
