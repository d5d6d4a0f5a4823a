// Value, derivative and definite integral of the last built expression: the number and what it
// is, a failure code, or a refusal with the field to focus.
#include "calc/calculations.h"

#include <cmath>
#include <utility>

#include "calc/integral_samples.h"
#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "engine/value_a_keeper.h"

namespace {

constexpr int kPointDecimals = 10;
constexpr int kIntegralDecimals = 4;

CalcOutcome Shown(std::string text, CalcKind kind, std::string_view from,
                  std::string_view to = {}) {
    CalcOutcome outcome;
    outcome.ResultText = std::move(text);
    outcome.Hint = CalcHint{kind, std::string(from), std::string(to)};
    return outcome;
}

CalcOutcome EngineFailure(int32_t code) {
    CalcOutcome outcome;
    outcome.FailCode = code;
    return outcome;
}

CalcOutcome EmptyRange() {
    return EngineFailure(kEmptyRangeCode);
}

CalcOutcome Information(CalcRefusal refusal, CalcField focus) {
    CalcOutcome outcome;
    outcome.Information = refusal;
    outcome.Focus = focus;
    return outcome;
}

// One evaluation of the last built tree; on failure the outcome to show instead.
std::optional<CalcOutcome> Evaluate(Engine& engine, ExtendedReal x, ExtendedReal& value) {
    const bool produced = EvaluateSequence(engine, x, value);
    if (engine.EngineError > kNoError) return EngineFailure(engine.EngineError);
    if (!produced) return EmptyRange();
    return std::nullopt;
}

// After a failed build the table holds no tree: every calculation refuses with its message.
std::optional<CalcOutcome> RefuseAfterFailedBuild(Engine& engine) {
    if (engine.LastBuildError == kNoError) return std::nullopt;
    engine.EngineError = engine.LastBuildError;
    return EngineFailure(engine.LastBuildError);
}

}  // namespace

CalcOutcome CalculateValue(Engine& engine, std::string_view argumentText) {
    if (auto refused = RefuseAfterFailedBuild(engine)) return *refused;
    ExtendedReal x = 0;
    if (!NumberSyntax(argumentText, x)) return Information(CalcRefusal::Argument, CalcField::XFunc);
    const ValueAKeeper keeper(engine);
    ExtendedReal value = 0;
    if (auto failed = Evaluate(engine, x, value)) return *failed;
    return Shown(RealDisplayText(value, kPointDecimals), CalcKind::Value, argumentText);
}

CalcOutcome CalculateDerivative(Engine& engine, std::string_view argumentText) {
    if (auto refused = RefuseAfterFailedBuild(engine)) return *refused;
    ExtendedReal x = 0;
    if (!NumberSyntax(argumentText, x))
        return Information(CalcRefusal::Argument, CalcField::XProiz);
    const ValueAKeeper keeper(engine);
    // A failure at x - h is reported as well as one at x + h; the first one wins.
    ExtendedReal before = 0;
    if (auto failed = Evaluate(engine, x - kDerivativeStep, before)) return *failed;
    ExtendedReal after = 0;
    if (auto failed = Evaluate(engine, x + kDerivativeStep, after)) return *failed;
    const ExtendedReal derivative = (after - before) / kDerivativeDivisor;
    if (!std::isfinite(derivative)) return EngineFailure(kErrOverflow);
    return Shown(RealDisplayText(derivative, kPointDecimals), CalcKind::Derivative, argumentText);
}

bool IntegralSamples(const Engine& engine, std::string_view fromText, std::string_view toText) {
    ExtendedReal lower = 0;
    ExtendedReal upper = 0;
    return engine.LastBuildError == kNoError && !engine.UsesN && NumberSyntax(fromText, lower) &&
           NumberSyntax(toText, upper) && lower != upper;
}

CalcOutcome CalculateIntegral(Engine& engine, std::string_view fromText, std::string_view toText) {
    return CalculateIntegral(engine, fromText, toText, SampleControl{});
}

CalcOutcome CalculateIntegral(Engine& engine, std::string_view fromText, std::string_view toText,
                              const SampleControl& control) {
    if (auto refused = RefuseAfterFailedBuild(engine)) return *refused;
    if (engine.UsesN) return Information(CalcRefusal::Sequence, CalcField::None);
    ExtendedReal lower = 0;
    if (!NumberSyntax(fromText, lower)) return Information(CalcRefusal::Limit, CalcField::X0Int);
    ExtendedReal upper = 0;
    if (!NumberSyntax(toText, upper)) return Information(CalcRefusal::Limit, CalcField::XkInt);
    if (lower == upper) return Shown("0", CalcKind::Integral, fromText, toText);
    if (upper < lower) std::swap(lower, upper);

    const ExtendedReal strip = (upper - lower) / kIntegralStripCount;
    if (!std::isfinite(strip)) return EngineFailure(kErrOverflow);
    const ValueAKeeper keeper(engine);
    const StripSum sum = SumStrips(engine, lower, upper, strip, control);
    switch (sum.Status) {
        case StripSumStatus::Stopped:
            return CalcOutcome{};
        case StripSumStatus::TooSmall:
            return Information(CalcRefusal::IntervalTooSmall, CalcField::None);
        case StripSumStatus::Failed: {
            // The failing sample once more, on the checked walk, for its code.
            ExtendedReal y = 0;
            if (auto failed = Evaluate(engine, sum.FailedAt, y)) return *failed;
            return EngineFailure(kErrOverflow);
        }
        case StripSumStatus::Done:
            break;
    }
    if (!std::isfinite(sum.Sum)) return EngineFailure(kErrOverflow);
    return Shown(RealDisplayText(sum.Sum, kIntegralDecimals), CalcKind::Integral, fromText, toText);
}
