// What a sequence does at its end: its last term, its last difference and one line on its
// behaviour (convergence with its limit, a cycle with its values, divergence, or undetermined).
#pragma once

#include <optional>
#include <vector>

#include "calc/sequence_table.h"

// The thresholds of the rules.
inline constexpr long double kConvergenceTolerance = 1e-12L;  // relative to |a_nk|
inline constexpr long double kCycleTolerance = 1e-9L;         // relative
inline constexpr int kLongestCycle = 16;

enum class BehaviourKind { Converges, Cycle, DivergesUp, DivergesDown, Diverges, Undetermined };

struct SequenceVerdict {
    BehaviourKind Kind = BehaviourKind::Undetermined;
    ExtendedReal Limit = 0;                 // Converges: the limit
    std::vector<ExtendedReal> CycleValues;  // Cycle: the last period's terms, one per step
};

// The end of a walk: its last term and last difference (none with fewer terms), or the code of
// the step that failed, which then stands for both; and its behaviour.
struct SequenceEnd {
    int32_t FailCode = kNoError;
    std::optional<ExtendedReal> LastTerm;
    std::optional<ExtendedReal> LastDifference;
    SequenceVerdict Verdict;
};

SequenceEnd SequenceSummary(const TermList& terms);

// The behaviour alone.
SequenceVerdict SequenceBehaviour(const TermList& terms);
