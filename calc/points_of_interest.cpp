// Points of interest: the samples of the interval give the candidates (sign changes of the
// values, of the first and of the second differences); each is refined on the evaluation
// itself. Zeros and extrema are searched over the order of the long doubles (their ordinals),
// so that a bracket shrinks to neighbouring numbers in at most about 80 steps wherever it lies,
// zero included.
#include "calc/points_of_interest.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "calc/calculations.h"
#include "calc/curve_probe.h"
#include "calc/real_order.h"
#include "calc/row_chunks.h"
#include "engine/evaluator.h"

namespace {

constexpr ExtendedReal kInfinity = std::numeric_limits<ExtendedReal>::infinity();
// A sign change whose ends, refined to neighbouring numbers, still hold more than this share of
// the samples' size (and more than a continuous function would keep) is a jump or a pole.
constexpr ExtendedReal kJumpShare = 0x1p-24L;
// A domain end is a zero when f there is below this share of the samples' size.
constexpr ExtendedReal kDomainEndShare = 0x1p-20L;
// Second differences below this many units in the last place of the values are rounding.
constexpr ExtendedReal kNoiseUlps = 8;
// A zero refined to neighbouring numbers (or to an exact zero of the evaluation) may lie this
// many units from the true one: the evaluation rounds too.
constexpr ExtendedReal kZeroUlps = 2;
constexpr int kMostInflectionLevels = 30;

// A point found, with the half-width of the numbers it could equally be.
struct Found {
    PointKind Kind;
    ExtendedReal X;
    ExtendedReal Uncertainty;
};

// A refined point: x, the half-width of the numbers it could equally be, and for an extremum
// whether its value is zero within the rounding.
struct Refined {
    ExtendedReal X;
    ExtendedReal Uncertainty;
    bool ZeroValue = false;
};

class PointFinder {
  public:
    PointFinder(ProbedCurve& curve, const PointsRequest& request, const PointsControl& control)
        : curve_(curve), request_(request), control_(control) {}

    // Samples the interval; false when stopped.
    bool Sample() {
        const int32_t intervals = request_.Samples;
        const ExtendedReal step = (request_.To - request_.From) / intervals;
        for (int32_t i = 0; i <= intervals; ++i) {
            const ExtendedReal x = i == intervals ? request_.To : request_.From + i * step;
            if (x_.empty() || x > x_.back()) x_.push_back(x);
        }
        const auto count = static_cast<int64_t>(x_.size());
        y_.assign(x_.size(), 0);
        ok_.reset(new bool[x_.size()]);
        SampleControl sampling;
        sampling.Threads = control_.Threads;
        sampling.Stop = control_.Stop;
        // Each worker samples with a curve of its own; the samples are the same whichever
        // evaluates them.
        const int64_t done = RunRowChunks(count, sampling, [this] {
            return [curve = curve_, this](int64_t begin, int64_t end) mutable {
                curve.Samples(&x_[size_t(begin)], static_cast<int32_t>(end - begin),
                              &y_[size_t(begin)], &ok_[size_t(begin)]);
            };
        });
        return done == count && !control_.Stopped();
    }

    // Zeros of the curve (sign changes, exact zeros, domain ends), as `kind`.
    bool Zeros(PointKind kind, std::vector<Found>& found) {
        const size_t last = x_.size() - 1;
        for (size_t i = 0; i <= last; ++i) {
            if (control_.Stopped()) return false;
            if (ExactZero(i)) found.push_back({kind, x_[i], kZeroUlps * Ulp(x_[i])});
            if (i == last) break;
            if (ok_[i] && ok_[i + 1] && y_[i] != 0 && y_[i + 1] != 0 &&
                std::signbit(y_[i]) != std::signbit(y_[i + 1])) {
                if (auto zero = SignChange(i)) found.push_back({kind, zero->X, zero->Uncertainty});
            } else if (ok_[i] != ok_[i + 1]) {
                if (auto zero = DomainEnd(i)) found.push_back({kind, zero->X, zero->Uncertainty});
            }
        }
        return true;
    }

    // Minima and maxima inside the interval; those whose value is zero within the rounding are
    // zeros without a sign change, reported as `zeroKind` into `zeros` as well.
    bool Extrema(bool wantExtrema, PointKind zeroKind, std::vector<Found>& extrema,
                 std::vector<Found>* zeros) {
        int lastSign = 0;
        size_t lastIndex = 0;
        for (size_t i = 0; i + 1 < x_.size(); ++i) {
            if (control_.Stopped()) return false;
            if (!ok_[i] || !ok_[i + 1]) {
                lastSign = 0;
                continue;
            }
            const ExtendedReal difference = y_[i + 1] - y_[i];
            const int sign = difference > 0 ? 1 : difference < 0 ? -1 : 0;
            if (sign == 0) continue;
            if (lastSign != 0 && sign != lastSign) {
                const bool maximum = lastSign > 0;
                auto extremum = Extremum(x_[lastIndex], x_[i + 1], maximum);
                if (extremum && Continuous(lastIndex, i + 1, *extremum)) {
                    if (wantExtrema)
                        extrema.push_back({maximum ? PointKind::Maximum : PointKind::Minimum,
                                           extremum->X, extremum->Uncertainty});
                    if (zeros != nullptr && extremum->ZeroValue)
                        zeros->push_back({zeroKind, extremum->X, extremum->Uncertainty});
                }
            }
            lastSign = sign;
            lastIndex = i;
        }
        return true;
    }

    // Sign changes of the second difference that hold at half the spacing, refined.
    bool Inflections(std::vector<Found>& found) {
        int lastSign = 0;
        size_t lastIndex = 0;
        // The samples lie where From + i * step rounds: their spacing is uneven by that much.
        const ExtendedReal rowUlp = Ulp(std::max(std::fabs(x_.front()), std::fabs(x_.back())));
        for (size_t i = 1; i + 1 < x_.size(); ++i) {
            if (control_.Stopped()) return false;
            if (!ok_[i - 1] || !ok_[i] || !ok_[i + 1]) {
                lastSign = 0;
                continue;
            }
            const ExtendedReal second = y_[i + 1] - 2 * y_[i] + y_[i - 1];
            const ExtendedReal noise =
                SecondNoise(x_[i], x_[i + 1] - x_[i - 1], y_[i - 1], y_[i], y_[i + 1], rowUlp);
            const int sign = second > noise ? 1 : second < -noise ? -1 : 0;
            if (sign == 0) continue;
            if (lastSign != 0 && sign != lastSign) {
                auto inflection = Inflection(lastIndex, i);
                if (inflection && Continuous(lastIndex - 1, i + 1, *inflection) &&
                    NoCorner(*inflection, x_[i + 1] - x_[i]))
                    found.push_back(
                        {PointKind::Inflection, inflection->X, inflection->Uncertainty});
            }
            lastSign = sign;
            lastIndex = i;
        }
        return true;
    }

  private:
    // A stop ends the refinement at once (as if f were undefined); the search then reports
    // nothing, so no point comes from a cut-short refinement.
    bool At(ExtendedReal x, ExtendedReal& y) { return !control_.Stopped() && curve_.At(x, y); }

    // Whether a point refined between the samples first..last behaves as a continuous
    // function's: its value within reach of the samples (not the top of a pole), and no jump
    // across it (a step of the values is no extremum or inflection).
    bool Continuous(size_t first, size_t last, const Refined& point) {
        ExtendedReal low = kInfinity;
        ExtendedReal high = -kInfinity;
        ExtendedReal step = 0;
        for (size_t k = first; k <= last; ++k) {
            if (!ok_[k]) continue;
            low = std::min(low, y_[k]);
            high = std::max(high, y_[k]);
            if (k < last && ok_[k + 1]) step = std::max(step, std::fabs(y_[k + 1] - y_[k]));
        }
        const ExtendedReal reach = 4 * step;
        const ExtendedReal across = 2 * point.Uncertainty + Ulp(point.X);
        ExtendedReal y = 0, before = 0, after = 0;
        return At(point.X, y) && y >= low - reach && y <= high + reach &&
               At(point.X - across, before) && At(point.X + across, after) &&
               std::fabs(after - before) <= step / 4;
    }

    bool ExactZero(size_t i) const {
        if (!ok_[i] || y_[i] != 0) return false;
        // A run of zeros (the constant 0) has no point of its own.
        const auto zeroAt = [this](size_t k) { return ok_[k] && y_[k] == 0; };
        const bool before = i > 0 && ok_[i - 1];
        const bool after = i + 1 < x_.size() && ok_[i + 1];
        // Nor has a lone defined sample (x^x at a negative integer, whose 0 is an underflow):
        // a zero is where the values around it pass through 0.
        return (before || after) && !(before && zeroAt(i - 1)) && !(after && zeroAt(i + 1));
    }

    // Bisection over the ordinals to neighbouring numbers (or an exact zero); then the jump
    // test: a continuous zero leaves values that shrink with the bracket, a jump or a pole does
    // not.
    std::optional<Refined> SignChange(size_t i) {
        Ordinal low = OrdinalOf(x_[i]);
        Ordinal high = OrdinalOf(x_[i + 1]);
        ExtendedReal yLow = y_[i];
        ExtendedReal yHigh = y_[i + 1];
        while (high - low > 1) {
            const Ordinal middle = low + (high - low) / 2;
            const ExtendedReal x = RealOf(middle);
            ExtendedReal y = 0;
            // Undefined inside the bracket: the sign changes across a gap or a pole.
            if (!At(x, y)) return std::nullopt;
            // An exact zero of the evaluation: the true zero may still lie a unit away.
            if (y == 0) return Refined{x, kZeroUlps * Ulp(x)};
            if (std::signbit(y) == std::signbit(yLow)) {
                low = middle;
                yLow = y;
            } else {
                high = middle;
                yHigh = y;
            }
        }
        const ExtendedReal a = RealOf(low);
        const ExtendedReal b = RealOf(high);
        const ExtendedReal size = std::max(std::fabs(y_[i]), std::fabs(y_[i + 1]));
        const ExtendedReal share = std::max(std::fabs(yLow), std::fabs(yHigh)) / size;
        const ExtendedReal continuous = std::sqrt((b - a) / (x_[i + 1] - x_[i]));
        if (!(share <= std::max(continuous, kJumpShare))) return std::nullopt;
        return Refined{std::fabs(yLow) <= std::fabs(yHigh) ? a : b, kZeroUlps * (b - a)};
    }

    // Between a defined and an undefined sample: the last defined number, a zero when f tends
    // to 0 there (sqrt x at 0) and not when it does not (ln x at 0).
    std::optional<Refined> DomainEnd(size_t i) {
        const bool definedLow = ok_[i];
        const size_t defined = definedLow ? i : i + 1;
        Ordinal inside = OrdinalOf(x_[defined]);
        Ordinal outside = OrdinalOf(x_[definedLow ? i + 1 : i]);
        ExtendedReal yInside = y_[defined];
        while (inside - outside > 1 || outside - inside > 1) {
            const Ordinal middle = inside + (outside - inside) / 2;
            ExtendedReal y = 0;
            if (At(RealOf(middle), y)) {
                inside = middle;
                yInside = y;
            } else {
                outside = middle;
            }
        }
        ExtendedReal size = std::fabs(y_[defined]);
        const size_t beyond = definedLow ? i - 1 : i + 2;
        if ((definedLow ? i > 0 : i + 2 < x_.size()) && ok_[beyond])
            size = std::max(size, std::fabs(y_[beyond]));
        const ExtendedReal x = RealOf(inside);
        // An end that is a sample with f exactly 0 is reported by the samples already.
        if (x == x_[defined] && y_[defined] == 0) return std::nullopt;
        if (!(std::fabs(yInside) <= kDomainEndShare * size)) return std::nullopt;
        return Refined{x, kZeroUlps * std::fabs(RealOf(outside) - x)};
    }

    // An inflection has a tangent: the slopes just left and right of it agree far better than
    // the slope across a sample spacing changes (abs(x^2-1) has corners at 1, no inflection).
    bool NoCorner(const Refined& point, ExtendedReal spacing) {
        const ExtendedReal across = 2 * point.Uncertainty + Ulp(point.X);
        ExtendedReal y = 0, before = 0, after = 0, wideBefore = 0, wideAfter = 0;
        if (!At(point.X, y) || !At(point.X - across, before) || !At(point.X + across, after) ||
            !At(point.X - spacing, wideBefore) || !At(point.X + spacing, wideAfter))
            return false;
        const ExtendedReal bend = std::fabs(after - 2 * y + before) / across;
        const ExtendedReal slope = std::fabs(wideAfter - wideBefore) / (2 * spacing);
        return bend <= slope / 4 + SecondNoise(point.X, 2 * across, before, y, after) / across;
    }

    // The value to minimise: f, or -f for a maximum; +inf where f is undefined.
    ExtendedReal Cost(ExtendedReal x, bool maximum) {
        ExtendedReal y = 0;
        if (!At(x, y)) return kInfinity;
        return maximum ? -y : y;
    }

    // Golden-section search over the ordinals of [from, to], then the flat region around the
    // best number where the values stay within the rounding: x is known only to that region.
    std::optional<Refined> Extremum(ExtendedReal from, ExtendedReal to, bool maximum) {
        Ordinal a = OrdinalOf(from);
        Ordinal b = OrdinalOf(to);
        Ordinal best = a;
        ExtendedReal bestCost = kInfinity;
        const auto cost = [&](Ordinal at) {
            const ExtendedReal c = Cost(RealOf(at), maximum);
            if (c < bestCost) {
                bestCost = c;
                best = at;
            }
            return c;
        };
        const auto part = [](Ordinal width) {
            constexpr ExtendedReal kGolden = 0.381966011250105151795L;  // (3 - sqrt 5) / 2
            return std::max<Ordinal>(1, Ordinal(static_cast<ExtendedReal>(width) * kGolden));
        };
        Ordinal c = a + part(b - a);
        Ordinal d = b - part(b - a);
        ExtendedReal costC = cost(c);
        ExtendedReal costD = cost(d);
        while (b - a > 8 && a < c && c < d && d < b) {
            if (costC <= costD) {
                b = d;
                d = c;
                costD = costC;
                c = a + part(b - a);
                if (c >= d) break;
                costC = cost(c);
            } else {
                a = c;
                c = d;
                costC = costD;
                d = b - part(b - a);
                if (d <= c) break;
                costD = cost(d);
            }
        }
        // The last few numbers one by one; a search its rounding stopped early is not walked.
        for (Ordinal at = a; at <= b && at - a <= 16; ++at) cost(at);
        if (!std::isfinite(bestCost)) return std::nullopt;

        // The rounding of the evaluation, seen on the nearest numbers.
        const Ordinal low = OrdinalOf(from);
        const Ordinal high = OrdinalOf(to);
        ExtendedReal noise = 0;
        for (const Ordinal offset : {-4, -3, -2, -1, 1, 2, 3, 4}) {
            const Ordinal at = best + offset;
            if (at <= low || at >= high) continue;
            const ExtendedReal c2 = Cost(RealOf(at), maximum);
            if (std::isfinite(c2)) noise = std::max(noise, std::fabs(c2 - bestCost));
        }
        const ExtendedReal tolerance = std::max(noise, 2 * Ulp(bestCost));
        const ExtendedReal ceiling = bestCost + tolerance;
        // A region that reaches the bracket's end is a plateau or noise, no point of its own.
        if (Cost(from, maximum) <= ceiling || Cost(to, maximum) <= ceiling) return std::nullopt;
        const Ordinal left = RegionEnd(best, low, ceiling, maximum);
        const Ordinal right = RegionEnd(best, high, ceiling, maximum);
        const ExtendedReal regionLow = RealOf(left);
        const ExtendedReal regionHigh = RealOf(right);
        const ExtendedReal x = ShortestBetween(regionLow, regionHigh, kAllDigits);
        ExtendedReal y = 0;
        if (!At(x, y)) return std::nullopt;
        return Refined{x, std::max(x - regionLow, regionHigh - x), std::fabs(y) <= tolerance};
    }

    // The farthest ordinal from `inside` towards `outside` whose cost is within the ceiling,
    // assuming the cost rises away from the extremum.
    Ordinal RegionEnd(Ordinal inside, Ordinal outside, ExtendedReal ceiling, bool maximum) {
        while (inside - outside > 1 || outside - inside > 1) {
            const Ordinal middle = inside + (outside - inside) / 2;
            if (Cost(RealOf(middle), maximum) <= ceiling)
                inside = middle;
            else
                outside = middle;
        }
        return inside;
    }

    // The rounding of a second difference: of the values, and of the abscissa carried through
    // the slope.
    static ExtendedReal SecondNoise(ExtendedReal x, ExtendedReal span, ExtendedReal y0,
                                    ExtendedReal y1, ExtendedReal y2, ExtendedReal xUlp = 0) {
        const ExtendedReal size = std::max({std::fabs(y0), std::fabs(y1), std::fabs(y2)});
        const ExtendedReal slope = std::fabs(y2 - y0) / span;
        return kNoiseUlps * (Ulp(size) + slope * std::max(xUlp, Ulp(std::fabs(x) + span)));
    }

    // The second difference at x and its rounding; the bracket ends are asked twice (for
    // their signs, then by the bisection), so the last few are kept.
    bool SecondDifference(ExtendedReal x, ExtendedReal spacing, ExtendedReal& second,
                          ExtendedReal& noise) {
        for (const SecondKept& kept : kept_) {
            if (kept.Defined && kept.X == x && kept.Spacing == spacing) {
                second = kept.Second;
                noise = kept.Noise;
                return true;
            }
        }
        ExtendedReal y0 = 0, y1 = 0, y2 = 0;
        if (!At(x - spacing, y0) || !At(x, y1) || !At(x + spacing, y2)) return false;
        second = y2 - 2 * y1 + y0;
        noise = SecondNoise(x, 2 * spacing, y0, y1, y2);
        kept_[nextKept_] = {true, x, spacing, second, noise};
        nextKept_ = (nextKept_ + 1) % kept_.size();
        return true;
    }

    // The second difference at x with spacing `spacing`, its sign where it stands out of the
    // rounding (0 otherwise); false where f is undefined.
    bool SecondSign(ExtendedReal x, ExtendedReal spacing, int& sign) {
        ExtendedReal second = 0, noise = 0;
        if (!SecondDifference(x, spacing, second, noise)) return false;
        sign = second > noise ? 1 : second < -noise ? -1 : 0;
        return true;
    }

    // The zero of the second difference of the spacing between a and b (whose signs are
    // signA and its opposite), by bisection until `width` or an exact zero. Returns the
    // bracket's middle and sets the bracket's final width; nothing where f is undefined.
    std::optional<ExtendedReal> SecondZero(ExtendedReal a, ExtendedReal b, int signA,
                                           ExtendedReal spacing, ExtendedReal width,
                                           ExtendedReal& reached) {
        ExtendedReal secondA = 0, secondB = 0, noise = 0;
        if (!SecondDifference(a, spacing, secondA, noise) ||
            !SecondDifference(b, spacing, secondB, noise))
            return std::nullopt;
        // Far below any digit that can be claimed; it also keeps a bracket closing in on 0 from
        // halving its way down to the denormals.
        width = std::max(width, (b - a) * 0x1p-70L);
        ExtendedReal middle = a + (b - a) / 2;
        bool exact = false;
        while (b - a > width && middle > a && middle < b) {
            // Inside the bracket the raw sign steers, rounding or not: how far the rounding
            // moved the estimate shows between the spacings.
            ExtendedReal second = 0;
            // Undefined inside: a gap or a pole, no inflection.
            if (!SecondDifference(middle, spacing, second, noise)) return std::nullopt;
            if (second == 0) {
                exact = true;
                break;
            }
            if ((second > 0) == (signA > 0)) {
                a = middle;
                secondA = second;
            } else {
                b = middle;
                secondB = second;
            }
            middle = a + (b - a) / 2;
        }
        // The zero is known to the bracket (unless the difference is exactly 0 there), and no
        // better than the rounding of the difference over its slope.
        const ExtendedReal slope = std::fabs(secondB - secondA) / (b - a);
        const ExtendedReal drowned = slope > 0 ? noise / slope : b - a;
        reached = exact ? drowned : std::max(b - a, drowned);
        return middle;
    }

    // An inflection between the sample centres i and j: the sign change must hold at half the
    // spacing; then it is refined at ever smaller spacings while the estimates keep closing in,
    // and x is known to the last step between two of them.
    std::optional<Refined> Inflection(size_t i, size_t j) {
        const ExtendedReal c1 = x_[i];
        const ExtendedReal c2 = x_[j];
        const ExtendedReal first = y_[i + 1] - 2 * y_[i] + y_[i - 1];
        const int signA = first > 0 ? 1 : -1;
        ExtendedReal spacing = (x_[i + 1] - x_[i - 1]) / 4;
        int s1 = 0, s2 = 0;
        if (!SecondSign(c1, spacing, s1) || !SecondSign(c2, spacing, s2) || s1 != signA ||
            s2 != -signA) {
            return std::nullopt;
        }
        ExtendedReal reached = 0;
        const auto start = SecondZero(c1, c2, signA, spacing, (c2 - c1) * 0x1p-30L, reached);
        if (!start) return std::nullopt;
        ExtendedReal previous = *start;
        // The estimate and the step to it from the one before, at each spacing.
        std::vector<ExtendedReal> estimates;
        std::vector<ExtendedReal> steps;
        std::vector<ExtendedReal> widths;
        ExtendedReal lastStep = kInfinity;
        for (int level = 1; level < kMostInflectionLevels; ++level) {
            spacing /= 2;
            // Around the last estimate when it has settled, else over the whole bracket.
            ExtendedReal a = c1, b = c2;
            if (std::isfinite(lastStep)) {
                a = std::max(c1, previous - 8 * lastStep);
                b = std::min(c2, previous + 8 * lastStep);
            }
            int sa = 0, sb = 0;
            if (!SecondSign(a, spacing, sa) || !SecondSign(b, spacing, sb) || sa != signA ||
                sb != -signA) {
                a = c1;
                b = c2;
                if (!SecondSign(a, spacing, sa) || !SecondSign(b, spacing, sb) || sa != signA ||
                    sb != -signA)
                    break;
            }
            const ExtendedReal width =
                std::isfinite(lastStep) ? lastStep * 0x1p-6L : (c2 - c1) * 0x1p-30L;
            const auto refined = SecondZero(a, b, signA, spacing, width, reached);
            if (!refined) return std::nullopt;
            const ExtendedReal x = *refined;
            const ExtendedReal step = std::fabs(x - previous);
            estimates.push_back(x);
            steps.push_back(step);
            widths.push_back(reached);
            // The estimates no longer close in: the rounding has taken over.
            if (level >= 2 && step >= lastStep / 2) break;
            lastStep = std::max(step, Ulp(x));
            previous = x;
        }
        if (steps.empty()) return std::nullopt;
        // The smallest step may be a coincidence of the rounding: the step after it (or half
        // the one before, at the last spacing) bounds the estimate too.
        const size_t best =
            static_cast<size_t>(std::min_element(steps.begin(), steps.end()) - steps.begin());
        const ExtendedReal neighbour = best + 1 < steps.size() ? steps[best + 1]
                                       : best > 0              ? steps[best - 1] / 2
                                                               : steps[best];
        const ExtendedReal bestX = estimates[best];
        const ExtendedReal uncertainty = std::max({steps[best], neighbour, widths[best]});
        const ExtendedReal x =
            ShortestBetween(bestX - uncertainty, bestX + uncertainty, kAllDigits);
        return Refined{x, uncertainty + std::fabs(x - bestX)};
    }

    struct SecondKept {
        bool Defined = false;
        ExtendedReal X = 0, Spacing = 0, Second = 0, Noise = 0;
    };
    std::array<SecondKept, 4> kept_{};
    size_t nextKept_ = 0;
    ProbedCurve& curve_;
    const PointsRequest& request_;
    const PointsControl& control_;
    std::vector<ExtendedReal> x_;
    std::vector<ExtendedReal> y_;
    std::unique_ptr<bool[]> ok_;
};

int32_t DigitsOf(ExtendedReal x, ExtendedReal uncertainty, ExtendedReal scale) {
    if (uncertainty <= 0) return kAllDigits;
    const ExtendedReal reference = x != 0 ? std::fabs(x) : scale;
    if (!(reference > uncertainty)) return 0;
    const ExtendedReal digits = std::floor(std::log10(reference / uncertainty));
    return static_cast<int32_t>(std::min<ExtendedReal>(digits, kAllDigits));
}

// Points of one kind found twice (the same zero from a sample and from an extremum) are one.
void MergeDuplicates(std::vector<Found>& found) {
    std::sort(found.begin(), found.end(), [](const Found& p, const Found& q) {
        return p.Kind != q.Kind ? p.Kind < q.Kind : p.X < q.X;
    });
    std::vector<Found> merged;
    for (const Found& point : found) {
        if (!merged.empty() && merged.back().Kind == point.Kind &&
            point.X - merged.back().X <= std::max(point.Uncertainty, merged.back().Uncertainty)) {
            // The sharper x, with the wider doubt: a sample that is an exact zero of a double
            // root knows its x no better than the extremum there.
            const ExtendedReal doubt = std::max(point.Uncertainty, merged.back().Uncertainty);
            if (point.Uncertainty < merged.back().Uncertainty) merged.back() = point;
            merged.back().Uncertainty = doubt;
            continue;
        }
        merged.push_back(point);
    }
    found = std::move(merged);
}

// The points in order, their values evaluated, each group cut at the limit and marked.
PointsResult Finish(ProbedCurve& curve, std::vector<Found> found, const PointsRequest& request) {
    MergeDuplicates(found);
    PointsResult result;
    std::array<int32_t, kPointGroups> counts{};
    const ExtendedReal scale = std::max(std::fabs(request.From), std::fabs(request.To));
    for (const Found& point : found) {
        const auto group = static_cast<size_t>(GroupOf(point.Kind));
        if (counts[group] == kMostPointsPerGroup) {
            result.MoreThanLimit[group] = true;
            continue;
        }
        ExtendedReal y = 0;
        if (!curve.Shown(point.X, y)) continue;
        ++counts[group];
        result.Points.push_back(
            {point.Kind, point.X, y, DigitsOf(point.X, point.Uncertainty, scale)});
    }
    std::stable_sort(result.Points.begin(), result.Points.end(),
                     [](const PointOfInterest& p, const PointOfInterest& q) {
                         return p.X != q.X ? p.X < q.X : p.Kind < q.Kind;
                     });
    return result;
}

PointsResult StoppedResult() {
    PointsResult result;
    result.Stopped = true;
    return result;
}

}  // namespace

PointGroup GroupOf(PointKind kind) {
    switch (kind) {
        case PointKind::Zero:
            return PointGroup::Zeros;
        case PointKind::Minimum:
        case PointKind::Maximum:
            return PointGroup::Extrema;
        case PointKind::Inflection:
            return PointGroup::Inflections;
        case PointKind::Intersection:
            break;
    }
    return PointGroup::Intersections;
}

bool UsableInterval(const PointsRequest& request) {
    return std::isfinite(request.From) && std::isfinite(request.To) && request.From < request.To &&
           std::isfinite(request.To - request.From) && request.Samples >= 2;
}

PointsResult FindPoints(const Engine& engine, const PointsRequest& request,
                        const PointsControl& control) {
    if (!UsableInterval(request) || engine.LastBuildError != kNoError) return {};
    ProbedCurve curve(engine, nullptr);
    PointFinder finder(curve, request, control);
    if (!finder.Sample()) return StoppedResult();
    std::vector<Found> found;
    const bool zeros = request.Wants(PointGroup::Zeros);
    const bool extrema = request.Wants(PointGroup::Extrema);
    if (zeros && !finder.Zeros(PointKind::Zero, found)) return StoppedResult();
    if ((zeros || extrema) &&
        !finder.Extrema(extrema, PointKind::Zero, found, zeros ? &found : nullptr))
        return StoppedResult();
    if ((request.Wants(PointGroup::Inflections) && !finder.Inflections(found)) || control.Stopped())
        return StoppedResult();
    return Finish(curve, std::move(found), request);
}

PointsResult FindIntersections(const Engine& first, const Engine& second,
                               const PointsRequest& request, const PointsControl& control) {
    if (!UsableInterval(request) || first.LastBuildError != kNoError ||
        second.LastBuildError != kNoError)
        return {};
    ProbedCurve curve(first, &second);
    PointFinder finder(curve, request, control);
    if (!finder.Sample()) return StoppedResult();
    std::vector<Found> found;
    // Crossings, and touchings where the difference has an extremum of value 0.
    if (!finder.Zeros(PointKind::Intersection, found) ||
        !finder.Extrema(false, PointKind::Intersection, found, &found) || control.Stopped())
        return StoppedResult();
    return Finish(curve, std::move(found), request);
}

Tangent TangentAt(const Engine& engine, ExtendedReal x) {
    Engine copy = engine;
    Tangent tangent;
    const auto evaluate = [&](ExtendedReal at, ExtendedReal& y) {
        const bool produced = EvaluateSequence(copy, at, y);
        if (copy.EngineError != kNoError)
            tangent.FailCode = copy.EngineError;
        else if (!produced)
            tangent.FailCode = kEmptyRangeCode;
        return !tangent.FailCode;
    };
    // The derivative command's difference, in its order: x - h, then x + h.
    ExtendedReal before = 0, after = 0, value = 0;
    if (!evaluate(x - kDerivativeStep, before) || !evaluate(x + kDerivativeStep, after) ||
        !evaluate(x, value))
        return tangent;
    tangent.Slope = (after - before) / kDerivativeDivisor;
    tangent.Offset = value - tangent.Slope * x;
    if (!std::isfinite(tangent.Slope) || !std::isfinite(tangent.Offset))
        tangent.FailCode = kErrOverflow;
    return tangent;
}
