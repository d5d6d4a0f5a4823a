// Value, derivative and definite integral of the last built expression, as numbers, failure codes
// and refusals; the interface words them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/sample_stream.h"
#include "engine/engine_state.h"

inline constexpr ExtendedReal kDerivativeStep = 1e-6L;
inline constexpr ExtendedReal kDerivativeDivisor = 2e-6L;
inline constexpr int32_t kIntegralStripCount = 100000;

// Which input field a refused calculation puts the focus into.
enum class CalcField { None, XFunc, XProiz, X0Int, XkInt };

// Why a calculation is refused before it evaluates anything.
enum class CalcRefusal {
    Argument,          // the argument is no number
    Limit,             // a limit of integration is no number
    Sequence,          // an expression with n has no integral
    IntervalTooSmall,  // the strips are too narrow to tell the samples apart
};

enum class CalcKind { Value, Derivative, Integral };

// What the result's tooltip names: the calculation and its argument or limits, as typed.
struct CalcHint {
    CalcKind Kind = CalcKind::Value;
    std::string From;
    std::string To;  // the upper limit of an integral
    bool operator==(const CalcHint&) const = default;
};

struct CalcOutcome {
    // Shown in txtFuncResult when set: the number, or the code of the failure (an engine code or
    // kEmptyRangeCode), whose text is then the tooltip too.
    std::optional<std::string> ResultText;
    std::optional<int32_t> FailCode;
    std::optional<CalcHint> Hint;  // with a number
    // A refusal for an InformationBox, and the field that then takes the focus.
    std::optional<CalcRefusal> Information;
    CalcField Focus = CalcField::None;
    // A stopped integral: nothing to show.
    bool Empty() const { return !ResultText && !FailCode && !Information; }
};

CalcOutcome CalculateValue(Engine& engine, std::string_view argumentText);
CalcOutcome CalculateDerivative(Engine& engine, std::string_view argumentText);
CalcOutcome CalculateIntegral(Engine& engine, std::string_view fromText, std::string_view toText);
// Whether the integral of these limits evaluates the expression; otherwise it answers at once
// (a refusal, or equal limits).
bool IntegralSamples(const Engine& engine, std::string_view fromText, std::string_view toText);
// The same with the samples computed on control.Threads threads (the result is the same to the
// last bit). A stopped integral gives an empty outcome: nothing is shown.
CalcOutcome CalculateIntegral(Engine& engine, std::string_view fromText, std::string_view toText,
                              const SampleControl& control);
