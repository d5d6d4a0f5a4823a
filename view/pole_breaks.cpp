// Pole confirmation by bisection over the sign change between two samples.
#include "view/pole_breaks.h"

#include <algorithm>
#include <cmath>

namespace {

// Enough halvings to bring a sample step down to the last bits of an extended real.
constexpr int kMaxSteps = 72;

bool OppositeSigns(ExtendedReal a, ExtendedReal b) {
    return (a < 0 && b > 0) || (a > 0 && b < 0);
}

}  // namespace

ExtendedReal MagnitudeBeyond(ExtendedReal top, ExtendedReal bottom) {
    return std::max(std::abs(top), std::abs(bottom));
}

bool PoleBetween(const CurveAt& curve, ExtendedReal x0, ExtendedReal y0, ExtendedReal x1,
                 ExtendedReal y1, ExtendedReal beyond) {
    if (!OppositeSigns(y0, y1)) return false;
    ExtendedReal a = x0;
    ExtendedReal fa = y0;
    ExtendedReal b = x1;
    ExtendedReal fb = y1;
    const ExtendedReal startLargest = std::max(std::abs(fa), std::abs(fb));
    for (int step = 0; step < kMaxSteps; ++step) {
        const ExtendedReal middle = a + (b - a) / 2;
        if (!(middle > std::min(a, b) && middle < std::max(a, b))) break;
        ExtendedReal fm = 0;
        if (!curve(middle, fm) || !std::isfinite(fm)) return true;
        if (fm == 0) return false;  // a root between the samples
        if (OppositeSigns(fa, fm)) {
            b = middle;
            fb = fm;
        } else {
            a = middle;
            fa = fm;
        }
        // Near a root both values shrink; near a pole the larger one never does.
        const ExtendedReal largest = std::max(std::abs(fa), std::abs(fb));
        if (largest <= beyond && largest < startLargest / 2) return false;
    }
    return std::min(std::abs(fa), std::abs(fb)) > beyond;
}
