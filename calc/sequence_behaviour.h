// What a sequence does at its end: its last term, its last difference and one line on its
// behaviour (convergence with its limit, a cycle with its values, divergence, or undetermined).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/sequence_table.h"

inline constexpr std::string_view kLastTermLabel = "Последний член: ";
inline constexpr std::string_view kLastDifferenceLabel = "Последняя разность: ";
inline constexpr std::string_view kConvergesPrefix = "Сходится к ";
inline constexpr std::string_view kCyclePrefix = "Цикл периода ";
inline constexpr std::string_view kDivergesUp = "Расходится к +∞";
inline constexpr std::string_view kDivergesDown = "Расходится к −∞";
inline constexpr std::string_view kDiverges = "Расходится";
inline constexpr std::string_view kUndetermined = "Поведение не установлено";
// Shown for a difference when there are fewer than two terms.
inline constexpr std::string_view kNoDifference = "—";

// The thresholds of the rules.
inline constexpr long double kConvergenceTolerance = 1e-12L;  // relative to |a_nk|
inline constexpr long double kCycleTolerance = 1e-9L;         // relative
inline constexpr int kLongestCycle = 16;

// The three summary lines: last term, last difference, behaviour.
std::array<std::string, 3> SequenceSummary(const TermList& terms);

// The behaviour line alone.
std::string SequenceBehaviour(const TermList& terms);
