// Points of interest of a built expression over an interval: zeros, minima, maxima, inflections,
// and the intersections of two expressions, each refined as far as the extended arithmetic
// allows and carrying the number of significant digits of x that can be trusted. Also the
// tangent at a point from the derivative command's central difference.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/engine_state.h"

// Order matters: points at the same x are listed in this order.
enum class PointKind { Zero, Minimum, Maximum, Inflection, Intersection };

// What is looked for; each group has its own limit of points.
enum class PointGroup { Zeros, Extrema, Inflections, Intersections };
inline constexpr int kPointGroups = 4;

PointGroup GroupOf(PointKind kind);

// At most this many points of each group; a group with more is marked, not cut silently.
inline constexpr int32_t kMostPointsPerGroup = 1000;
// Digits of x beyond what a long double can print back are never claimed.
inline constexpr int32_t kAllDigits = 21;

struct PointOfInterest {
    PointKind Kind = PointKind::Zero;
    ExtendedReal X = 0;
    ExtendedReal Y = 0;  // f(X); for an intersection the first expression's value
    int32_t Digits = 0;  // trustworthy significant digits of X (0..kAllDigits)
    bool operator==(const PointOfInterest&) const = default;
};

struct PointsRequest {
    ExtendedReal From = 0;
    ExtendedReal To = 1;
    // Sample intervals over [From, To] (the window: its picture's width).
    int32_t Samples = 1920;
    std::array<bool, kPointGroups> Wanted{true, true, true, false};

    bool Wants(PointGroup group) const { return Wanted[static_cast<size_t>(group)]; }
};

// A stop flag the caller may raise from another thread; the search then ends early. The
// samples of the interval are evaluated on `Threads` threads (1: on the caller's thread).
struct PointsControl {
    const std::atomic<bool>* Stop = nullptr;
    int Threads = 1;
    bool Stopped() const { return Stop != nullptr && Stop->load(std::memory_order_relaxed); }
};

struct PointsResult {
    std::vector<PointOfInterest> Points;  // sorted by X, then by kind
    // Groups with more than kMostPointsPerGroup points: the first ones by x are kept.
    std::array<bool, kPointGroups> MoreThanLimit{};
    bool Stopped = false;  // the control stopped the search; Points are incomplete

    bool Over(PointGroup group) const { return MoreThanLimit[static_cast<size_t>(group)]; }
};

// Whether the request names a usable interval (both ends finite, From < To, enough samples).
bool UsableInterval(const PointsRequest& request);

// The zeros, extrema and inflections of the expression built in `engine` (with its a0, c and
// index range), as the request asks. The engine is copied; the caller's is left untouched, so
// a worker thread may pass a copy of the window's engine.
PointsResult FindPoints(const Engine& engine, const PointsRequest& request,
                        const PointsControl& control = {});

// The intersections of two built expressions: the zeros of first - second, by the same rules.
PointsResult FindIntersections(const Engine& first, const Engine& second,
                               const PointsRequest& request, const PointsControl& control = {});

// The tangent y = Slope * x + Offset at x, the slope being the derivative command's central
// difference; or the engine's failure code.
struct Tangent {
    ExtendedReal Slope = 0;
    ExtendedReal Offset = 0;
    std::optional<int32_t> FailCode;
};
Tangent TangentAt(const Engine& engine, ExtendedReal x);
