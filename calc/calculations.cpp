// Value, derivative and definite integral of the last built expression, as the texts and
// tooltips of the shared result box, or as an information message with the field to focus.
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

constexpr std::string_view kArgumentMessage = "Введите правильное значение аргумента";
constexpr std::string_view kLimitMessage = "Введите правильное значение предела интегрирования";
constexpr std::string_view kSequenceMessage = "Невозможно интегрировать последовательности";
constexpr std::string_view kIntervalTooSmallMessage =
    "Интервал интегрирования слишком мал для таких пределов";
constexpr std::string_view kValueHint = "Значение функции в точке ";
constexpr std::string_view kDerivativeHint = "Значение производной функции в точке ";
constexpr std::string_view kIntegralHint = "Значение определенного интеграла ";

CalcOutcome Shown(std::string text, std::string hint) {
    CalcOutcome outcome;
    outcome.ResultText = std::move(text);
    outcome.ResultHint = std::move(hint);
    return outcome;
}

// Text and tooltip both "ОШИБКА: " and the engine's message.
CalcOutcome EngineFailure(int32_t code) {
    std::string text = EngineErrorText(code);
    return Shown(text, text);
}

CalcOutcome EmptyRange() {
    const std::string text = std::string(kErrorPrefix) + std::string(kEmptyIndexRangeMessage);
    return Shown(text, text);
}

CalcOutcome Information(std::string_view message, CalcField focus) {
    CalcOutcome outcome;
    outcome.Information = std::string(message);
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
    if (!NumberSyntax(argumentText, x)) return Information(kArgumentMessage, CalcField::XFunc);
    const ValueAKeeper keeper(engine);
    ExtendedReal value = 0;
    if (auto failed = Evaluate(engine, x, value)) return *failed;
    return Shown(RealDisplayText(value, kPointDecimals),
                 std::string(kValueHint) + std::string(argumentText));
}

CalcOutcome CalculateDerivative(Engine& engine, std::string_view argumentText) {
    if (auto refused = RefuseAfterFailedBuild(engine)) return *refused;
    ExtendedReal x = 0;
    if (!NumberSyntax(argumentText, x)) return Information(kArgumentMessage, CalcField::XProiz);
    const ValueAKeeper keeper(engine);
    // A failure at x - h is reported as well as one at x + h; the first one wins.
    ExtendedReal before = 0;
    if (auto failed = Evaluate(engine, x - kDerivativeStep, before)) return *failed;
    ExtendedReal after = 0;
    if (auto failed = Evaluate(engine, x + kDerivativeStep, after)) return *failed;
    const ExtendedReal derivative = (after - before) / kDerivativeDivisor;
    if (!std::isfinite(derivative)) return EngineFailure(kErrOverflow);
    return Shown(RealDisplayText(derivative, kPointDecimals),
                 std::string(kDerivativeHint) + std::string(argumentText));
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
    if (engine.UsesN) return Information(kSequenceMessage, CalcField::None);
    ExtendedReal lower = 0;
    if (!NumberSyntax(fromText, lower)) return Information(kLimitMessage, CalcField::X0Int);
    ExtendedReal upper = 0;
    if (!NumberSyntax(toText, upper)) return Information(kLimitMessage, CalcField::XkInt);
    const std::string hint =
        std::string(kIntegralHint) + "от " + std::string(fromText) + " до " + std::string(toText);
    if (lower == upper) return Shown("0", hint);
    if (upper < lower) std::swap(lower, upper);

    const ExtendedReal strip = (upper - lower) / kIntegralStripCount;
    if (!std::isfinite(strip)) return EngineFailure(kErrOverflow);
    const ValueAKeeper keeper(engine);
    const StripSum sum = SumStrips(engine, lower, upper, strip, control);
    switch (sum.Status) {
        case StripSumStatus::Stopped:
            return CalcOutcome{};
        case StripSumStatus::TooSmall:
            return Information(kIntervalTooSmallMessage, CalcField::None);
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
    return Shown(RealDisplayText(sum.Sum, kIntegralDecimals), hint);
}
