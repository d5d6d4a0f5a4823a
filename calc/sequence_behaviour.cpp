// The behaviour rules, tried in this order on the terms a walk produced:
// - a step that overflowed: divergence;
// - any other failing step: undetermined;
// - convergence: the last two terms equal (to within the last bits of the precision), or the
//   last difference no larger than those just before it and below 1e-12 relative to |a_nk|;
//   the limit is the last term or, when the differences shrink geometrically and the estimate
//   proves more accurate, Aitken's delta-squared estimate;
// - a cycle: the smallest period K <= 16 with which the last 4K terms repeat to within 1e-9;
//   terms that repeat with period 1 are a limit not yet reached, not a cycle;
// - divergence: over the last terms the magnitude grows while the differences do not shrink;
// - otherwise undetermined (chaos, slow convergence, too few terms).
#include "calc/sequence_behaviour.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

using Terms = std::vector<ExtendedReal>;

// Differences looked at before the last one when deciding that they shrink.
constexpr size_t kShrinkWindow = 3;
// Steps looked at for divergence.
constexpr size_t kGrowthWindow = 8;
// Two terms this close (relative) are equal to within the last bits of the precision.
constexpr ExtendedReal kRoundingNoise = 0x1p-59L;
// Ratios of consecutive differences this close count as one geometric ratio.
constexpr ExtendedReal kRatioAgreement = 0.1L;

ExtendedReal Difference(const Terms& t, size_t i) {
    return t[i] - t[i - 1];
}

bool EqualToRounding(ExtendedReal a, ExtendedReal b) {
    return std::abs(a - b) <= kRoundingNoise * std::max(std::abs(a), std::abs(b));
}

// The sign the last `count` terms keep, if they keep one.
SequenceVerdict Verdict(BehaviourKind kind) {
    SequenceVerdict behaviour;
    behaviour.Kind = kind;
    return behaviour;
}

SequenceVerdict DivergenceLine(const Terms& t, size_t count) {
    const size_t from = t.size() - std::min(count, t.size());
    if (from == t.size()) return Verdict(BehaviourKind::Diverges);
    const auto tail = t.begin() + static_cast<std::ptrdiff_t>(from);
    if (std::all_of(tail, t.end(), [](ExtendedReal v) { return v > 0; }))
        return Verdict(BehaviourKind::DivergesUp);
    if (std::all_of(tail, t.end(), [](ExtendedReal v) { return v < 0; }))
        return Verdict(BehaviourKind::DivergesDown);
    return Verdict(BehaviourKind::Diverges);
}

SequenceVerdict Converges(ExtendedReal limit) {
    SequenceVerdict behaviour = Verdict(BehaviourKind::Converges);
    behaviour.Limit = limit;
    return behaviour;
}

bool LastDifferencesShrink(const Terms& t) {
    const size_t m = t.size();
    if (m < 3) return false;
    const ExtendedReal last = std::abs(Difference(t, m - 1));
    for (size_t k = 1; k <= kShrinkWindow && m - 1 - k >= 1; ++k) {
        if (last > std::abs(Difference(t, m - 1 - k))) return false;
    }
    return true;
}

// Aitken's estimate from the three terms ending at `end`; none where it is undefined.
std::optional<ExtendedReal> Aitken(const Terms& t, size_t end) {
    const ExtendedReal d1 = Difference(t, end - 1);
    const ExtendedReal d2 = Difference(t, end);
    const ExtendedReal curvature = d2 - d1;
    if (curvature == 0) return std::nullopt;
    const ExtendedReal estimate = t[end] - d2 * d2 / curvature;
    if (!std::isfinite(estimate)) return std::nullopt;
    return estimate;
}

// The last three ratios of consecutive differences agree and lie inside (-1, 1).
bool ShrinksGeometrically(const Terms& t) {
    const size_t m = t.size();
    if (m < 5) return false;
    ExtendedReal ratios[3];
    for (size_t k = 0; k < 3; ++k) {
        const ExtendedReal before = Difference(t, m - 2 - k);
        if (before == 0) return false;
        ratios[k] = Difference(t, m - 1 - k) / before;
        if (!(std::abs(ratios[k]) < 1)) return false;
    }
    for (size_t k = 1; k < 3; ++k) {
        if (std::abs(ratios[k] - ratios[0]) > kRatioAgreement * std::abs(ratios[0])) return false;
    }
    return true;
}

// The Aitken estimate serves when two successive estimates agree more closely than the last
// term agrees with them.
ExtendedReal Limit(const Terms& t) {
    const ExtendedReal last = t.back();
    if (!ShrinksGeometrically(t)) return last;
    const auto latest = Aitken(t, t.size() - 1);
    const auto previous = Aitken(t, t.size() - 2);
    if (!latest || !previous) return last;
    return std::abs(*latest - *previous) < std::abs(last - *latest) ? *latest : last;
}

std::optional<SequenceVerdict> Convergence(const Terms& t) {
    const size_t m = t.size();
    if (m < 2) return std::nullopt;
    const ExtendedReal last = t[m - 1];
    if (EqualToRounding(last, t[m - 2])) return Converges(last);
    const ExtendedReal difference = std::abs(Difference(t, m - 1));
    if (!LastDifferencesShrink(t) || !(difference < kConvergenceTolerance * std::abs(last))) {
        return std::nullopt;
    }
    return Converges(Limit(t));
}

bool Repeats(ExtendedReal a, ExtendedReal b) {
    return std::abs(a - b) <= kCycleTolerance * std::max(std::abs(a), std::abs(b));
}

// The last 4K terms repeat with period K.
bool RepeatsWithPeriod(const Terms& t, size_t period) {
    for (size_t i = t.size() - 3 * period; i < t.size(); ++i) {
        if (!Repeats(t[i], t[i - period])) return false;
    }
    return true;
}

// Terms that repeat with period 1 are settling on a limit or creeping towards one, which only
// the convergence rule may claim: they are no cycle of any period.
std::optional<SequenceVerdict> Cycle(const Terms& t) {
    const size_t m = t.size();
    if (m >= 4 && RepeatsWithPeriod(t, 1)) return std::nullopt;
    for (size_t period = 2; period <= size_t(kLongestCycle) && 4 * period <= m; ++period) {
        if (!RepeatsWithPeriod(t, period)) continue;
        SequenceVerdict cycle = Verdict(BehaviourKind::Cycle);
        cycle.CycleValues.assign(t.end() - static_cast<std::ptrdiff_t>(period), t.end());
        return cycle;
    }
    return std::nullopt;
}

// The magnitude grows at every one of the last steps, and no difference is smaller than the
// one before it: growth at least linear, which no bound stops.
std::optional<SequenceVerdict> Divergence(const Terms& t) {
    const size_t m = t.size();
    if (m < 4) return std::nullopt;
    const size_t steps = std::min(kGrowthWindow, m - 1);
    for (size_t i = m - steps; i < m; ++i) {
        if (!(std::abs(t[i]) > std::abs(t[i - 1]))) return std::nullopt;
        if (i >= m - steps + 1 && i >= 2) {
            const ExtendedReal before = std::abs(Difference(t, i - 1));
            if (std::abs(Difference(t, i)) < before * (1 - kCycleTolerance)) return std::nullopt;
        }
    }
    return DivergenceLine(t, steps + 1);
}

}  // namespace

SequenceVerdict SequenceBehaviour(const TermList& terms) {
    const Terms& t = terms.Terms;
    if (terms.FailCode == kErrOverflow) return DivergenceLine(t, kGrowthWindow);
    if (terms.Failed()) return Verdict(BehaviourKind::Undetermined);
    if (auto line = Convergence(t)) return *line;
    if (auto line = Cycle(t)) return *line;
    if (auto line = Divergence(t)) return *line;
    return Verdict(BehaviourKind::Undetermined);
}

SequenceEnd SequenceSummary(const TermList& terms) {
    const Terms& t = terms.Terms;
    SequenceEnd end;
    end.FailCode = terms.FailCode;
    if (!terms.Failed()) {
        if (!t.empty()) end.LastTerm = t.back();
        if (t.size() >= 2) end.LastDifference = Difference(t, t.size() - 1);
    }
    end.Verdict = SequenceBehaviour(terms);
    return end;
}
