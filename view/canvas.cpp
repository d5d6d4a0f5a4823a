// The picture's drawing surface: pixel rules of our own over a 32-bit QImage. Every primitive
// clips against the picture arithmetically first, so coordinates anywhere in the 32-bit range
// cost only the visible pixels.
#include "view/canvas.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/engine_state.h"

namespace {

using Wide = __int128;

// A dashed cosmetic pen: 18 pixels drawn, 6 left out.
constexpr int64_t kDashOn = 18;
constexpr int64_t kDashPeriod = 24;
// Smooth lines: the farthest coordinate drawn through the painter, and the points of a run
// drawn at once.
constexpr int64_t kSmoothLimit = 1 << 20;
constexpr int kSmoothRunPoints = 512;
// A little wider than a pixel: a line of one pixel's width shaded across two rows looks faint.
constexpr qreal kSmoothPenWidth = 1.4;

QRgb ToQRgb(Colour colour) {
    const uint32_t red = colour & 0xFFu;
    const uint32_t green = (colour >> 8) & 0xFFu;
    const uint32_t blue = (colour >> 16) & 0xFFu;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

Colour FromQRgb(QRgb value) {
    const uint32_t red = (value >> 16) & 0xFFu;
    const uint32_t green = (value >> 8) & 0xFFu;
    const uint32_t blue = value & 0xFFu;
    return red | (green << 8) | (blue << 16);
}

// Floor and ceiling of a / b for b > 0.
Wide FloorDiv(Wide a, Wide b) {
    const Wide q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
Wide CeilDiv(Wide a, Wide b) {
    const Wide q = a / b;
    return (a % b != 0 && a > 0) ? q + 1 : q;
}

}  // namespace

Canvas::Canvas(int width, int height, int scale) {
    Resize(width, height, scale);
}

void Canvas::SetSmoothLines(bool on) {
    Flush();
    smooth_ = on;
}

void Canvas::Flush() {
    if (run_.size() >= 2 && !image_.isNull()) {
        // A painter on the image detaches it from any copy (a preview) first.
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(QColor::fromRgb(ToQRgb(pen_)), kSmoothPenWidth, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(run_);
    }
    run_.clear();
}

// The middle of the line's pixel in the painter's (logical) coordinates: the image carries the
// picture's device pixel ratio, and a line is one logical pixel wide.
QPointF Canvas::SmoothPoint(int32_t x, int32_t y) const {
    const qreal k = scale_;
    return {(x + k / 2) / k, (y + k / 2) / k};
}

bool Canvas::SmoothLine(int32_t x, int32_t y) {
    if (!smooth_ || mode_ != PenMode::Copy || style_ != PenStyle::Solid || image_.isNull())
        return false;
    const bool straight = x == penX_ || y == penY_;
    // Far outside the picture the painter's arithmetic is not to be trusted: such a line is
    // drawn the plain way.
    const bool far = std::max({std::abs(int64_t{x}), std::abs(int64_t{y}), std::abs(int64_t{penX_}),
                               std::abs(int64_t{penY_})}) > kSmoothLimit;
    if ((straight && run_.isEmpty()) || far) {
        Flush();
        return false;
    }
    if (run_.isEmpty()) run_ << SmoothPoint(penX_, penY_);
    run_ << SmoothPoint(x, y);
    penX_ = x;
    penY_ = y;
    // A long run is drawn in parts, so that a preview of the picture shows the curve growing.
    if (run_.size() >= kSmoothRunPoints) {
        Flush();
        run_ << SmoothPoint(x, y);
    }
    return true;
}

void Canvas::Resize(int width, int height, int scale) {
    run_.clear();
    scale_ = std::clamp(scale, 1, kMaxScale);
    if (width <= 0 || height <= 0) {
        image_ = QImage();
        return;
    }
    image_ = QImage(width * scale_, height * scale_, QImage::Format_RGB32);
    image_.setDevicePixelRatio(scale_);
    image_.fill(ToQRgb(kWhite));
}

void Canvas::SetPenStyle(PenStyle style) {
    Flush();
    style_ = style;
    dashPhase_ = 0;
}

uint32_t* Canvas::Row(int64_t y) {
    return reinterpret_cast<uint32_t*>(image_.scanLine(int(y)));
}

void Canvas::Put(uint32_t* row, int64_t x, QRgb value, PenMode mode) {
    if (mode == PenMode::Xor)
        row[x] ^= value & 0x00FFFFFFu;
    else
        row[x] = value;
}

void Canvas::Span(int64_t y, int64_t xFrom, int64_t xTo, QRgb value, PenMode mode) {
    if (y < 0 || y >= Height()) return;
    xFrom = std::max<int64_t>(xFrom, 0);
    xTo = std::min<int64_t>(xTo, Width() - 1);
    if (xFrom > xTo) return;
    uint32_t* const first = Row(y) + xFrom;
    const int64_t count = xTo - xFrom + 1;
    if (mode == PenMode::Copy) {
        std::fill_n(first, count, value);
        return;
    }
    const uint32_t bits = value & 0x00FFFFFFu;
    for (int64_t k = 0; k < count; ++k) first[k] ^= bits;
}

void Canvas::Block(int64_t x, int64_t y, QRgb value, PenMode mode) {
    for (int64_t row = y; row < y + scale_; ++row) Span(row, x, x + scale_ - 1, value, mode);
}

void Canvas::Across(bool xMajor, int64_t major, int64_t minor, QRgb value) {
    if (!xMajor) {
        Span(major, minor, minor + scale_ - 1, value, mode_);
        return;
    }
    const int64_t from = std::max<int64_t>(minor, 0);
    const int64_t to = std::min<int64_t>(minor + scale_, Height());
    for (int64_t row = from; row < to; ++row) Put(Row(row), major, value, mode_);
}

void Canvas::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Flush();
    const int64_t top = std::max<int64_t>(y1, 0);
    const int64_t bottom = std::min<int64_t>(y2, Height());
    const QRgb value = ToQRgb(brush_);
    for (int64_t y = top; y < bottom; ++y) Span(y, x1, int64_t{x2} - 1, value, PenMode::Copy);
}

void Canvas::FloodFill(int32_t x, int32_t y, Colour border) {
    Flush();
    const int width = Width();
    const int height = Height();
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    const QRgb stop = ToQRgb(border) & 0x00FFFFFFu;
    if ((Row(y)[x] & 0x00FFFFFFu) == stop) return;
    const QRgb value = ToQRgb(brush_);
    uint32_t* const bits = reinterpret_cast<uint32_t*>(image_.bits());
    const size_t stride = size_t(image_.bytesPerLine()) / sizeof(uint32_t);
    std::vector<uint8_t> done(size_t(width) * size_t(height), 0);
    auto open = [&](int px, int py) {
        return !done[size_t(py) * size_t(width) + size_t(px)] &&
               (bits[size_t(py) * stride + size_t(px)] & 0x00FFFFFFu) != stop;
    };
    // Scanline fill: each seed grows into its whole span, which then seeds the runs of open
    // pixels directly above and below it (4-connected).
    std::vector<std::pair<int, int>> seeds{{x, y}};
    while (!seeds.empty()) {
        const auto [sx, sy] = seeds.back();
        seeds.pop_back();
        if (!open(sx, sy)) continue;
        int left = sx;
        int right = sx;
        while (left > 0 && open(left - 1, sy)) --left;
        while (right < width - 1 && open(right + 1, sy)) ++right;
        std::fill(bits + size_t(sy) * stride + size_t(left),
                  bits + size_t(sy) * stride + size_t(right) + 1, value);
        std::fill(done.begin() + ptrdiff_t(size_t(sy) * size_t(width) + size_t(left)),
                  done.begin() + ptrdiff_t(size_t(sy) * size_t(width) + size_t(right) + 1), 1);
        for (const int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= height) continue;
            bool inRun = false;
            for (int px = left; px <= right; ++px) {
                const bool isOpen = open(px, ny);
                if (isOpen && !inRun) seeds.emplace_back(px, ny);
                inRun = isOpen;
            }
        }
    }
}

void Canvas::MoveTo(int32_t x, int32_t y) {
    Flush();
    penX_ = x;
    penY_ = y;
    dashPhase_ = 0;
}

void Canvas::LineTo(int32_t x, int32_t y) {
    if (x == penX_ && y == penY_) return;
    if (SmoothLine(x, y)) return;
    const int64_t x0 = penX_;
    const int64_t y0 = penY_;
    penX_ = x;
    penY_ = y;
    const int64_t dx = std::llabs(x - x0);
    const int64_t dy = std::llabs(y - y0);
    const int64_t steps = std::max(dx, dy);
    if (steps == 0) return;
    const int64_t dashOn = kDashOn * scale_;
    const int64_t dashPeriod = kDashPeriod * scale_;
    const int64_t phase = dashPhase_;
    dashPhase_ = int32_t((phase + steps) % dashPeriod);
    if (image_.isNull()) return;

    // Walk along the major axis; the minor offset at step i is
    // k(i) = floor((2*i*dMinor + dMajor - 1) / (2*dMajor)), the classic Bresenham with ties kept
    // toward the start. Steps 0..steps-1 are drawn (the end pixel is excluded).
    const bool xMajor = dx >= dy;
    const int64_t major0 = xMajor ? x0 : y0;
    const int64_t minor0 = xMajor ? y0 : x0;
    const int64_t majorSign = (xMajor ? x - x0 : y - y0) > 0 ? 1 : -1;
    const int64_t minorSign = (xMajor ? y - y0 : x - x0) >= 0 ? 1 : -1;
    const int64_t dMajor = steps;
    const int64_t dMinor = xMajor ? dy : dx;
    // A step's pixel starts its run of Scale() pixels across the line, which reaches the
    // picture from the minor coordinate `lowest` on.
    const int64_t lowest = 1 - scale_;
    const int64_t majorHighest = (xMajor ? Width() : Height()) - 1;
    const int64_t minorHighest = (xMajor ? Height() : Width()) - 1;

    // Steps whose major coordinate lies in the picture.
    int64_t first = 0;
    int64_t last = steps - 1;
    if (majorSign > 0) {
        first = std::max(first, -major0);
        last = std::min(last, majorHighest - major0);
    } else {
        first = std::max(first, major0 - majorHighest);
        last = std::min(last, major0);
    }
    if (first > last) return;

    // Steps whose minor offset k lies in kLow..kHigh, i.e. reaching the picture.
    const int64_t kLow = minorSign > 0 ? lowest - minor0 : minor0 - minorHighest;
    const int64_t kHigh = minorSign > 0 ? minorHighest - minor0 : minor0 - lowest;
    if (dMinor == 0) {
        if (kLow > 0 || kHigh < 0) return;
    } else {
        const Wide twoMajor = Wide(2) * dMajor;
        const Wide twoMinor = Wide(2) * dMinor;
        if (kHigh < 0) return;
        const Wide lowStep = CeilDiv(twoMajor * kLow - dMajor + 1, twoMinor);
        const Wide highStep = FloorDiv(twoMajor * (Wide(kHigh) + 1) - dMajor, twoMinor);
        if (lowStep > first) first = int64_t(std::min<Wide>(lowStep, Wide(last) + 1));
        if (highStep < last) last = int64_t(std::max<Wide>(highStep, Wide(first) - 1));
        if (first > last) return;
    }

    const Wide twoMajor = Wide(2) * dMajor;
    const Wide start = Wide(2) * first * dMinor + dMajor - 1;
    int64_t k = int64_t(start / twoMajor);
    int64_t rem = int64_t(start % twoMajor);
    const int64_t twoMajor64 = 2 * dMajor;
    const int64_t twoMinor64 = 2 * dMinor;
    const QRgb value = ToQRgb(pen_);
    const bool dashed = style_ == PenStyle::Dashed;
    if (xMajor && dMinor == 0 && !dashed) {
        const int64_t from = major0 + majorSign * first;
        const int64_t to = major0 + majorSign * last;
        for (int64_t row = minor0; row < minor0 + scale_; ++row) {
            Span(row, std::min(from, to), std::max(from, to), value, mode_);
        }
        return;
    }
    const bool xorMode = mode_ == PenMode::Xor;
    const uint32_t xorBits = value & 0x00FFFFFFu;
    uint32_t* const bits = reinterpret_cast<uint32_t*>(image_.bits());
    const int64_t stride = image_.bytesPerLine() / int64_t{sizeof(uint32_t)};
    const bool thick = scale_ > 1;
    for (int64_t i = first; i <= last; ++i) {
        if (!dashed || (phase + i) % dashPeriod < dashOn) {
            const int64_t major = major0 + majorSign * i;
            const int64_t minor = minor0 + minorSign * k;
            if (thick) {
                Across(xMajor, major, minor, value);
            } else {
                uint32_t& pixel =
                    xMajor ? bits[minor * stride + major] : bits[major * stride + minor];
                pixel = xorMode ? pixel ^ xorBits : value;
            }
        }
        rem += twoMinor64;
        if (rem >= twoMajor64) {
            rem -= twoMajor64;
            ++k;
        }
    }
}

void Canvas::SetPixel(int32_t x, int32_t y, Colour colour) {
    Flush();
    if (scale_ > 1) {
        if (!image_.isNull()) Block(x, y, ToQRgb(colour), PenMode::Copy);
        return;
    }
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    Row(y)[x] = ToQRgb(colour);
}

Colour Canvas::Pixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return kInvalidColour;
    return FromQRgb(image_.pixel(x, y));
}

void Canvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Flush();
    const int64_t left = std::min(x1, x2);
    const int64_t right = int64_t{std::max(x1, x2)} - 1;
    const int64_t top = std::min(y1, y2);
    const int64_t bottom = int64_t{std::max(y1, y2)} - 1;
    if (left > right || top > bottom || image_.isNull()) return;
    const QRgb pen = ToQRgb(pen_);
    const QRgb brush = ToQRgb(brush_);
    // Outline and interior never share a pixel, so drawing twice in XOR restores the picture.
    const int64_t band = scale_;
    const int64_t rowFrom = std::max<int64_t>(top, 0);
    const int64_t rowTo = std::min<int64_t>(bottom, Height() - 1);
    for (int64_t y = rowFrom; y <= rowTo; ++y) {
        if (y < top + band || y > bottom - band) {
            Span(y, left, right, pen, mode_);
        } else if (right - left + 1 <= 2 * band) {
            Span(y, left, right, pen, mode_);
        } else {
            Span(y, left, left + band - 1, pen, mode_);
            Span(y, right - band + 1, right, pen, mode_);
            Span(y, left + band, right - band, brush, mode_);
        }
    }
}

void Canvas::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Flush();
    const int64_t left = std::min(x1, x2);
    const int64_t right = std::max(x1, x2);
    const int64_t top = std::min(y1, y2);
    const int64_t bottom = std::max(y1, y2);
    if (left >= right || top >= bottom || image_.isNull()) return;
    // The ellipse inscribed in the box's outer edges; a pixel belongs to it when its centre
    // does. Every row of the box keeps at least its middle pixel(s).
    const ExtendedReal cx = (ExtendedReal(left) + ExtendedReal(right)) / 2;
    const ExtendedReal cy = (ExtendedReal(top) + ExtendedReal(bottom)) / 2;
    const ExtendedReal rx = (ExtendedReal(right) - ExtendedReal(left)) / 2;
    const ExtendedReal ry = (ExtendedReal(bottom) - ExtendedReal(top)) / 2;
    auto span = [&](int64_t y, int64_t& from, int64_t& to) {
        if (y < top || y >= bottom) return false;
        const ExtendedReal t = (ExtendedReal(y) + 0.5L - cy) / ry;
        const ExtendedReal half = rx * std::sqrt(std::max<ExtendedReal>(0, 1 - t * t));
        from = int64_t(std::ceil(cx - half - 0.5L));
        to = int64_t(std::floor(cx + half - 0.5L));
        if (from > to) {
            from = int64_t(std::floor(cx - 0.5L));
            to = int64_t(std::ceil(cx - 0.5L));
        }
        return true;
    };
    const QRgb pen = ToQRgb(pen_);
    const QRgb brush = ToQRgb(brush_);
    const int64_t rowFrom = std::max<int64_t>(top, 0);
    const int64_t rowTo = std::min<int64_t>(bottom - 1, Height() - 1);
    for (int64_t y = rowFrom; y <= rowTo; ++y) {
        int64_t from = 0;
        int64_t to = 0;
        span(y, from, to);
        // Interior: pixels whose four neighbours all belong to the ellipse; the rest of the
        // row's span is outline.
        int64_t inFrom = from + 1;
        int64_t inTo = to - 1;
        for (const int64_t ny : {y - 1, y + 1}) {
            int64_t nFrom = 0;
            int64_t nTo = 0;
            if (span(ny, nFrom, nTo)) {
                inFrom = std::max(inFrom, nFrom);
                inTo = std::min(inTo, nTo);
            } else {
                inTo = inFrom - 1;
            }
        }
        if (inFrom > inTo) {
            Span(y, from, to, pen, mode_);
        } else {
            Span(y, from, inFrom - 1, pen, mode_);
            Span(y, inFrom, inTo, brush, mode_);
            Span(y, inTo + 1, to, pen, mode_);
        }
    }
}
