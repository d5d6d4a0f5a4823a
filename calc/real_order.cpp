// The order of the long doubles, read from the x87 extended format's bits.
#include "calc/real_order.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {
constexpr uint64_t kLowBits = 0x7FFF'FFFF'FFFF'FFFFULL;
}  // namespace

Ordinal OrdinalOf(ExtendedReal v) {
    uint64_t significand = 0;
    uint16_t signAndExponent = 0;
    unsigned char bytes[sizeof(ExtendedReal)] = {};
    std::memcpy(bytes, &v, sizeof(ExtendedReal));
    std::memcpy(&significand, bytes, 8);
    std::memcpy(&signAndExponent, bytes + 8, 2);
    // Normal numbers carry the explicit leading bit; denormals (exponent 0) do not, so the
    // largest denormal comes right before the smallest normal number.
    const Ordinal magnitude = (Ordinal(signAndExponent & 0x7FFF) << 63) | (significand & kLowBits);
    return (signAndExponent & 0x8000) != 0 ? -magnitude : magnitude;
}

ExtendedReal RealOf(Ordinal ordinal) {
    const bool negative = ordinal < 0;
    const Ordinal magnitude = negative ? -ordinal : ordinal;
    const auto exponent = static_cast<uint16_t>(magnitude >> 63);
    uint64_t significand = static_cast<uint64_t>(magnitude) & kLowBits;
    if (exponent != 0) significand |= 1ULL << 63;
    const uint16_t signAndExponent = exponent | (negative ? 0x8000 : 0);
    unsigned char bytes[sizeof(ExtendedReal)] = {};
    std::memcpy(bytes, &significand, 8);
    std::memcpy(bytes + 8, &signAndExponent, 2);
    ExtendedReal v = 0;
    std::memcpy(&v, bytes, sizeof(ExtendedReal));
    return v;
}

ExtendedReal Ulp(ExtendedReal v) {
    const ExtendedReal magnitude = std::fabs(v);
    const ExtendedReal next =
        std::nextafter(magnitude, std::numeric_limits<ExtendedReal>::infinity());
    return std::isfinite(next) ? next - magnitude : magnitude - std::nextafter(magnitude, 0.0L);
}

// The shortest decimal in [low, high]: an x known only to some digits is reported with those
// digits (1, not 0.99999999997), and 0 where 0 is among the candidates.
ExtendedReal ShortestBetween(ExtendedReal low, ExtendedReal high, int mostDigits) {
    if (low <= 0 && high >= 0) return 0;
    const ExtendedReal middle = low + (high - low) / 2;
    char text[64];
    for (int digits = 1; digits <= mostDigits; ++digits) {
        const auto written = std::to_chars(text, text + sizeof text, middle,
                                           std::chars_format::scientific, digits - 1);
        ExtendedReal candidate = 0;
        std::from_chars(text, written.ptr, candidate);
        if (candidate >= low && candidate <= high) return candidate;
    }
    return middle;
}
