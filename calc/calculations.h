// Value, derivative and definite integral of the last built expression.
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

struct CalcOutcome {
    // Shown in txtFuncResult when set.
    std::optional<std::string> ResultText;
    std::optional<std::string> ResultHint;
    // An InformationBox message, and the field that then takes the focus.
    std::optional<std::string> Information;
    CalcField Focus = CalcField::None;
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
