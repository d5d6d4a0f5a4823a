// Points of interest against values computed independently, measured in units in the last
// place of the long double found; the rules for points that are not there (poles, jumps,
// domain ends, noise) and the limit of points per group.
#include "calc/points_of_interest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/tree_builder.h"

namespace {

// References: the nearest long doubles to the exact values, derived with exact rational
// arithmetic (pi by Machin's formula, 1/e by its series, ln 2 as 2 atanh(1/3), the roots by
// Newton's method on fractions, sin and cos by their series) and rounded to 64 bits by hand.
constexpr ExtendedReal kSqrt2 = 0xB504F333F9DE6484p-63L;  // also sqrtl(2), correctly rounded
constexpr ExtendedReal kSqrt3 = 0xDDB3D742C265539Ep-63L;
constexpr ExtendedReal kLn2 = 0xB17217F7D1CF79ACp-64L;  // also the x87 constant fldln2
constexpr ExtendedReal kInverseE = 0xBC5AB1B16779BE35p-65L;
// The real root of x^3 - x - 1, Cardano's cbrt((1+sqrt(23/27))/2) + cbrt((1-sqrt(23/27))/2).
constexpr ExtendedReal kPlastic = 0xA9905BA7652256D6p-63L;
constexpr ExtendedReal kPi = 0xC90FDAA22168C235p-62L;  // 2 pi and pi/4 scale it exactly
constexpr ExtendedReal k3Pi = 0x96CBE3F9990E91A8p-60L;
constexpr ExtendedReal k5PiOver4 = 0xFB53D14AA9C2F2C2p-62L;
constexpr ExtendedReal kInverseSqrt3 = 0x93CD3A2C8198E269p-64L;
// The first positive inflection of sin x / x, where (2 - x^2) sin x = 2x cos x.
constexpr ExtendedReal kSincInflection = 0x85388A73378CB707p-62L;
const std::vector<ExtendedReal> kPiMultiples = {-k3Pi, -2 * kPi, -kPi, 0, kPi, 2 * kPi, k3Pi};

// How many long doubles lie between found and expected.
long double UlpsApart(ExtendedReal found, ExtendedReal expected) {
    if (found == expected) return 0;
    long double count = 0;
    ExtendedReal at = std::fmin(found, expected);
    const ExtendedReal to = std::fmax(found, expected);
    while (at < to && count < 1e6L) {
        at = std::nextafter(at, to);
        ++count;
    }
    return count;
}

Engine Built(const char* text) {
    Engine engine;
    EXPECT_EQ(BuildExpression(engine, text), kNoError) << text;
    return engine;
}

PointsRequest Over(ExtendedReal from, ExtendedReal to) {
    PointsRequest request;
    request.From = from;
    request.To = to;
    return request;
}

std::vector<PointOfInterest> Points(const char* text, ExtendedReal from, ExtendedReal to,
                                    PointKind kind) {
    std::vector<PointOfInterest> points;
    for (const PointOfInterest& point : FindPoints(Built(text), Over(from, to)).Points) {
        if (point.Kind == kind) points.push_back(point);
    }
    return points;
}

const char* KindName(PointKind kind) {
    static const char* const kNames[] = {"zero", "min", "max", "inflection", "intersection"};
    return kNames[static_cast<int>(kind)];
}

// --- The accuracy table: every point the case must find, and how close its x must be ---

struct AccuracyRow {
    const char* expression;
    const char* second;  // the other curve of an intersection, or null
    ExtendedReal from, to;
    PointKind kind;
    std::vector<ExtendedReal> expected;  // x of every point of that kind, in order
    long double ulps;  // allowed distance of x; negative: only the claimed digits must hold
    int minDigits;     // the digits each point must claim at least
};

class Accuracy : public ::testing::TestWithParam<AccuracyRow> {};

TEST_P(Accuracy, FindsEveryPointWithinItsBound) {
    const AccuracyRow& row = GetParam();
    std::vector<PointOfInterest> points;
    if (row.second != nullptr) {
        points = FindIntersections(Built(row.expression), Built(row.second), Over(row.from, row.to))
                     .Points;
    } else {
        points = Points(row.expression, row.from, row.to, row.kind);
    }
    ASSERT_EQ(points.size(), row.expected.size()) << row.expression << " " << KindName(row.kind);
    for (size_t k = 0; k < points.size(); ++k) {
        const ExtendedReal x = points[k].X;
        const ExtendedReal expected = row.expected[k];
        const long double apart = UlpsApart(x, expected);
        if (row.ulps >= 0) {
            EXPECT_LE(apart, row.ulps) << row.expression << " " << KindName(row.kind);
        }
        // The digits claimed hold: x is within a unit of the last one.
        const ExtendedReal scale =
            expected != 0 ? std::fabs(expected) : std::fmax(std::fabs(row.from), std::fabs(row.to));
        EXPECT_LE(std::fabs(x - expected), scale * std::pow(10.0L, -points[k].Digits))
            << row.expression << " " << KindName(row.kind) << " claims " << points[k].Digits;
        EXPECT_GE(points[k].Digits, row.minDigits) << row.expression << " " << KindName(row.kind);
        std::printf("[ measured ] %-10s %-12s x = %.21Lg: %Lg ulp off, %d digits claimed\n",
                    row.expression, KindName(row.kind), x, apart, points[k].Digits);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Accuracy,
    ::testing::Values(
        // Zeros with a sign change, to the last bit.
        AccuracyRow{"x^2-2", nullptr, 0, 2, PointKind::Zero, {kSqrt2}, 2, 18},
        AccuracyRow{"x^3-x-1", nullptr, 1, 2, PointKind::Zero, {kPlastic}, 2, 18},
        AccuracyRow{"exp(x)-2", nullptr, 0, 1, PointKind::Zero, {kLn2}, 2, 18},
        AccuracyRow{"sinx", nullptr, -10, 10, PointKind::Zero, kPiMultiples, 2, 18},
        // Intersections.
        AccuracyRow{"sinx", "cosx", 0, 4, PointKind::Intersection, {kPi / 4, k5PiOver4}, 4, 18},
        // Extrema, known to about half the digits; zeros and the inflection of the same cubic.
        AccuracyRow{"x^3-3*x", nullptr, -3, 3, PointKind::Maximum, {-1}, -1, 9},
        AccuracyRow{"x^3-3*x", nullptr, -3, 3, PointKind::Minimum, {1}, -1, 9},
        AccuracyRow{"x^3-3*x", nullptr, -3, 3, PointKind::Zero, {-kSqrt3, 0, kSqrt3}, 2, 18},
        AccuracyRow{"x^3-3*x", nullptr, -3, 3, PointKind::Inflection, {0}, -1, 9},
        // Inflections, known to fewer digits still.
        AccuracyRow{"sinx", nullptr, -10, 10, PointKind::Inflection, kPiMultiples, -1, 9},
        AccuracyRow{"1/(x^2+1)",
                    nullptr,
                    -3,
                    3,
                    PointKind::Inflection,
                    {-kInverseSqrt3, kInverseSqrt3},
                    -1,
                    7},
        AccuracyRow{"sinx/x", nullptr, 1, 3, PointKind::Inflection, {kSincInflection}, -1, 7},
        AccuracyRow{"x*exp(0-x)", nullptr, 0, 5, PointKind::Maximum, {1}, -1, 9},
        // Corners and zeros without a sign change: exact.
        AccuracyRow{"abs(x)", nullptr, -1, 1, PointKind::Minimum, {0}, 0, 18},
        AccuracyRow{"abs(x)", nullptr, -1, 1, PointKind::Zero, {0}, 0, 18},
        AccuracyRow{"abs(x^2-1)", nullptr, -2, 2, PointKind::Minimum, {-1, 1}, 0, 18},
        AccuracyRow{"x^2", nullptr, -1, 1, PointKind::Zero, {0}, 0, 18},
        AccuracyRow{"x^2", nullptr, -1, 1, PointKind::Minimum, {0}, 0, 18},
        AccuracyRow{"(x-1)^4", nullptr, 0, 3, PointKind::Zero, {1}, 0, 18},
        // A domain end where f tends to 0 is a zero; there is no extremum inside.
        AccuracyRow{"sqrtx", nullptr, 0, 4, PointKind::Zero, {0}, 0, 18},
        AccuracyRow{"sqrtx", nullptr, -1, 4, PointKind::Zero, {0}, 0, 18},
        AccuracyRow{"sqrtx", nullptr, 0, 4, PointKind::Minimum, {}, 0, 0},
        // The domain end of lnx is no zero, its true zero at 1 is.
        AccuracyRow{"lnx", nullptr, -1, 3, PointKind::Zero, {1}, 0, 18},
        // A touching curve is an intersection though the difference keeps its sign.
        AccuracyRow{"x^2", "0", -1, 2, PointKind::Intersection, {0}, 0, 18}));

// The value at a maximum to the last bits: x*exp(-x) at its maximum is 1/e.
TEST(PointsOfInterest, ValueAtAMaximumToFullPrecision) {
    const auto maxima = Points("x*exp(0-x)", 0, 5, PointKind::Maximum);
    ASSERT_EQ(maxima.size(), 1u);
    const long double apart = UlpsApart(maxima[0].Y, kInverseE);
    std::printf("[ ulps     ] x*exp(-x)  max value %.21Lg: %Lg ulp\n", maxima[0].Y, apart);
    EXPECT_LE(apart, 2);
    const auto cubic = Points("x^3-3*x", -3, 3, PointKind::Maximum);
    ASSERT_EQ(cubic.size(), 1u);
    EXPECT_LE(UlpsApart(cubic[0].Y, 2), 2);
}

// --- What is not a point ---

struct NoPointRow {
    const char* expression;
    ExtendedReal from, to;
    PointKind kind;
};

class NoPoint : public ::testing::TestWithParam<NoPointRow> {};

TEST_P(NoPoint, FindsNone) {
    const NoPointRow& row = GetParam();
    const auto points = Points(row.expression, row.from, row.to, row.kind);
    EXPECT_TRUE(points.empty()) << row.expression << " " << KindName(row.kind) << " at "
                                << (points.empty() ? 0.0 : static_cast<double>(points[0].X));
}

INSTANTIATE_TEST_SUITE_P(
    Table, NoPoint,
    ::testing::Values(
        // Sign changes across poles and jumps.
        NoPointRow{"tgx", 1, 2, PointKind::Zero}, NoPointRow{"1/x", -1, 1, PointKind::Zero},
        NoPointRow{"1/(x-1)", 0, 2, PointKind::Zero},
        NoPointRow{"x/abs(x)", -1, 1, PointKind::Zero},
        NoPointRow{"x/abs(x)+x", -1, 1, PointKind::Zero},
        // No extremum or inflection at a pole or a jump either.
        NoPointRow{"tgx", 1, 2, PointKind::Maximum}, NoPointRow{"tgx", 1, 2, PointKind::Inflection},
        NoPointRow{"1/x", -1, 1, PointKind::Minimum},
        NoPointRow{"1/x", -1, 1, PointKind::Inflection},
        NoPointRow{"x/abs(x)", -1, 1, PointKind::Inflection},
        NoPointRow{"x/abs(x)+x^2", -1, 1, PointKind::Minimum},
        NoPointRow{"abs(x^2-1)", -2, 2, PointKind::Inflection},
        // A domain end where f does not tend to 0.
        NoPointRow{"lnx", -1, 0.5, PointKind::Zero}, NoPointRow{"1/sqrtx", -1, 1, PointKind::Zero},
        // Lines and constants: no inflection, no extremum, no zero in a run of zeros.

        NoPointRow{"1000*(x-1)", 0, 3, PointKind::Inflection},
        NoPointRow{"x", -1e6L, 1e6L, PointKind::Inflection},
        NoPointRow{"3", -1, 1, PointKind::Minimum}, NoPointRow{"x-x", -1, 1, PointKind::Zero},
        // Lone defined samples whose 0 is an underflow (x^x at negative integers).
        NoPointRow{"x^x", -1e10L, 1e10L, PointKind::Zero},
        // The flat top of an extremum seen so close that only rounding is left.
        NoPointRow{"x*exp(0-x)", 1 - 1e-12L, 1 + 1e-12L, PointKind::Maximum},
        // Extrema only inside: the ends of the interval are none.
        NoPointRow{"x", 0, 1, PointKind::Minimum}));

// More points than the limit: the first ones by x are kept and the group says so.
TEST(PointsOfInterest, MoreThanTheLimitIsReported) {
    PointsRequest request = Over(0.5L, 2000 * kPi);
    request.Samples = 20000;
    request.Wanted = {true, false, false, false};
    const PointsResult result = FindPoints(Built("sinx"), request);
    EXPECT_TRUE(result.Over(PointGroup::Zeros));
    EXPECT_FALSE(result.Over(PointGroup::Extrema));
    ASSERT_EQ(result.Points.size(), size_t(kMostPointsPerGroup));
    EXPECT_LE(UlpsApart(result.Points.front().X, kPi), 2);
    EXPECT_TRUE(std::is_sorted(result.Points.begin(), result.Points.end(),
                               [](const auto& p, const auto& q) { return p.X < q.X; }));
}

TEST(PointsOfInterest, StopFlagEndsTheSearch) {
    std::atomic<bool> stop{true};
    const PointsResult result = FindPoints(Built("sinx"), Over(-10, 10), PointsControl{&stop});
    EXPECT_TRUE(result.Stopped);
    EXPECT_TRUE(result.Points.empty());
}

// --- The samples on worker threads: the same points to the bit as on the caller's thread ---

struct ThreadedPointsRow {
    const char* expression;
    const char* second;  // the other curve of an intersection, or null
    ExtendedReal from, to;
    int32_t samples;
};

const ThreadedPointsRow kThreadedPointsRows[] = {
    {"sinx/x", nullptr, -20, 20, 1920},
    {"x+1/x", nullptr, -3, 3, 1000},    // a pole at a sample, extrema beside it
    {"lnx", nullptr, -2, 5, 777},       // undefined over the first part
    {"sqrt(x)", nullptr, -1, 4, 1921},  // a domain end that is a zero
    {"tg(x)", nullptr, -7, 7, 5003},    // poles and inflections
    {"x*x*x-x", nullptr, -2, 2, 3},     // fewer samples than a batch
    {"a+sin(x+n)/n", nullptr, -20, 20, 1920},
    {"sinx", "cosx", -10, 10, 2000},
    {"x*x", "1/x", -3, 3, 999},
};

class ThreadedPoints : public ::testing::TestWithParam<ThreadedPointsRow> {};

TEST_P(ThreadedPoints, SameForEveryThreadCount) {
    const ThreadedPointsRow& row = GetParam();
    Engine first = Built(row.expression);
    first.ValueA = 0;
    const Engine second = row.second != nullptr ? Built(row.second) : Engine{};
    PointsRequest request = Over(row.from, row.to);
    request.Samples = row.samples;
    request.Wanted = {true, true, true, row.second != nullptr};
    const auto find = [&](int threads) {
        PointsControl control;
        control.Threads = threads;
        return row.second != nullptr ? FindIntersections(first, second, request, control)
                                     : FindPoints(first, request, control);
    };
    const PointsResult alone = find(1);
    EXPECT_FALSE(alone.Points.empty());
    for (const int threads : {2, 3, 7}) {
        SCOPED_TRACE(threads);
        const PointsResult result = find(threads);
        EXPECT_FALSE(result.Stopped);
        EXPECT_EQ(result.MoreThanLimit, alone.MoreThanLimit);
        ASSERT_EQ(result.Points.size(), alone.Points.size());
        for (size_t k = 0; k < alone.Points.size(); ++k) {
            // Bit for bit: == would let 0 and -0 pass for each other.
            EXPECT_EQ(std::memcmp(&result.Points[k].X, &alone.Points[k].X, 10), 0) << k;
            EXPECT_EQ(std::memcmp(&result.Points[k].Y, &alone.Points[k].Y, 10), 0) << k;
            EXPECT_EQ(result.Points[k].Kind, alone.Points[k].Kind) << k;
            EXPECT_EQ(result.Points[k].Digits, alone.Points[k].Digits) << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Curves, ThreadedPoints, ::testing::ValuesIn(kThreadedPointsRows));

TEST(PointsOfInterest, StopFlagEndsTheSearchOnWorkers) {
    std::atomic<bool> stop{true};
    PointsControl control{&stop};
    control.Threads = 3;
    const PointsResult result = FindPoints(Built("sinx"), Over(-10, 10), control);
    EXPECT_TRUE(result.Stopped);
    EXPECT_TRUE(result.Points.empty());
}

// A recurrence is evaluated whole at every probe: a + n*x over n = 1..100 from a0 = 1 is
// 1 + 5050 x, zero at -1/5050.
TEST(PointsOfInterest, RecurrenceIsEvaluatedWhole) {
    Engine engine = Built("a+n*x");
    const auto points = FindPoints(engine, Over(-1, 1)).Points;
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].Kind, PointKind::Zero);
    EXPECT_NEAR(static_cast<double>(points[0].X), -1.0 / 5050, 1e-18);
}

}  // namespace
