// Background, grid and axes, and the curve plotting. Every loop here is bounded: a step that no
// longer moves its position at that magnitude ends the loop, the samples of a plot are counted,
// and grid lines closer together than a pixel are drawn as the rows they cover.
#include "view/drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "engine/evaluator.h"
#include "engine/value_a_keeper.h"
#include "view/axis_labels.h"
#include "view/pole_breaks.h"

namespace {

constexpr ExtendedReal kRowClamp = 32000;
// 2^63: the first magnitude a 64-bit integer cannot hold.
constexpr ExtendedReal kInt64Bound = 9223372036854775808.0L;
// Lines closer together than this many pixels cover every row between the first and the last.
constexpr ExtendedReal kDenseSpacing = 0.5L;

// Truncation toward zero to a 64-bit integer; false where no such integer exists.
bool Trunc64(ExtendedReal value, int64_t& result) {
    if (!(value > -kInt64Bound && value < kInt64Bound)) return false;
    result = static_cast<int64_t>(value);
    return true;
}

ExtendedReal PowerOfTen(int64_t exponent) {
    ExtendedReal power = 1;
    for (int64_t k = 0; k < std::abs(exponent); ++k) power *= 10;
    return exponent < 0 ? 1 / power : power;
}

// 10^k with k = trunc(log10 of the visible width) - 1: for widths of 1 and more a tenth of the
// largest power of ten not above the width, below 1 a tenth of the smallest not below it.
ExtendedReal GridStep(int width, ExtendedReal pixelSizeX) {
    int64_t decade = 0;
    Trunc64(std::log(width * pixelSizeX) / std::log(ExtendedReal(10)), decade);
    return PowerOfTen(decade - 1);
}

// An upper bound on the lines a grid loop may draw across `extent` (in world units).
int64_t LineBudget(ExtendedReal extent, ExtendedReal step) {
    return 2 * static_cast<int64_t>(std::min<ExtendedReal>(extent / step, 1e9L)) + 8;
}

void VerticalLine(DrawSurface& canvas, int32_t column, int height) {
    canvas.MoveTo(column, 0);
    canvas.LineTo(column, height);
}

void HorizontalLine(DrawSurface& canvas, int32_t row, int width) {
    canvas.MoveTo(0, row);
    canvas.LineTo(width, row);
}

// Lines at the multiples of the step from the one cut toward zero on, until a line lies at or
// beyond the right edge.
void DrawVerticalGrid(DrawSurface& canvas, const ViewState& view, ExtendedReal step) {
    const int width = canvas.Width();
    int64_t start = 0;
    if (!Trunc64(view.ViewOriginX / step, start)) return;
    ExtendedReal xw = ExtendedReal(start) * step - step;
    const int64_t budget = LineBudget(width * view.PixelSizeX, step);
    int32_t column = width - 1;
    for (int64_t drawn = 0; column < width && drawn < budget; ++drawn) {
        const ExtendedReal next = xw + step;
        if (next == xw) break;
        xw = next;
        column = RoundToPixel((xw - view.ViewOriginX) / view.PixelSizeX);
        VerticalLine(canvas, column, canvas.Height());
    }
}

// yw is the negated world y of a line: the lines run from the top down. Where they fall closer
// than a pixel apart, consecutive lines reach every row from the first line's on, so those rows
// are drawn once each instead of once per line.
void DrawHorizontalGrid(DrawSurface& canvas, const ViewState& view, ExtendedReal step) {
    const int height = canvas.Height();
    int64_t start = 0;
    if (!Trunc64(-view.ViewOriginY / step, start)) return;
    ExtendedReal yw = ExtendedReal(start) * step - step;
    if (step / view.PixelSizeY <= kDenseSpacing) {
        const ExtendedReal next = yw + step;
        if (next == yw) return;
        const int32_t first = RoundToPixel((next + view.ViewOriginY) / view.PixelSizeY);
        for (int32_t row = std::max(first, 0); row < height; ++row) {
            HorizontalLine(canvas, row, canvas.Width());
        }
        return;
    }
    const int64_t budget = LineBudget(height * view.PixelSizeY, step);
    int32_t row = height - 1;
    for (int64_t drawn = 0; row < height && drawn < budget; ++drawn) {
        const ExtendedReal next = yw + step;
        if (next == yw) break;
        yw = next;
        row = RoundToPixel((yw + view.ViewOriginY) / view.PixelSizeY);
        HorizontalLine(canvas, row, canvas.Width());
    }
}

// A line position more than 2^30 pixels away lies far outside the picture. It is left out
// rather than rounded, since only the low 32 bits of the rounded position would serve.
bool FarOutside(ExtendedReal position) {
    return !(std::abs(position) < kFarPixels);
}

void DrawAxes(DrawSurface& canvas, const ViewState& view) {
    const ExtendedReal column = -view.ViewOriginX / view.PixelSizeX;
    const ExtendedReal row = view.ViewOriginY / view.PixelSizeY;
    if (!FarOutside(column)) VerticalLine(canvas, RoundToPixel(column), canvas.Height());
    if (!FarOutside(row)) HorizontalLine(canvas, RoundToPixel(row), canvas.Width());
}

int32_t SampleColumn(const ViewState& view, ExtendedReal x) {
    const ExtendedReal column = (x - view.ViewOriginX) / view.PixelSizeX;
    RequireFinite(column);
    return RoundToPixel(column);
}

// Rows are clamped to +-32000 before rounding, so no value is too large to draw.
int32_t SampleRow(const ViewState& view, ExtendedReal value) {
    ExtendedReal q = (view.ViewOriginY - value) / view.PixelSizeY;
    if (q < -kRowClamp) q = -kRowClamp;
    if (q > kRowClamp) q = kRowClamp;
    return RoundToPixel(q);
}

void BoundMarker(DrawSurface& canvas, const ViewState& view, ExtendedReal bound) {
    canvas.SetPenColour(kRed);
    canvas.SetPenStyle(PenStyle::Dashed);
    const ExtendedReal column = (bound - view.ViewOriginX) / view.PixelSizeX;
    if (!FarOutside(column)) VerticalLine(canvas, RoundToPixel(column), canvas.Height());
    canvas.SetPenStyle(PenStyle::Solid);
}

// The samples of one plot, in order, from the sample stream. An expression without x has one
// value everywhere: it is evaluated once and that value serves every sample. Each sample's walk
// starts from a0.
class Sampler {
  public:
    Sampler(Engine& engine, const AbscissaRow& row, const SampleControl& control)
        : engine_(engine), row_(row), control_(control) {}

    void SetConstant(ExtendedReal value) {
        constant_ = value;
        hasConstant_ = true;
    }
    ExtendedReal X() const { return x_; }

    // Moves to the next sample; false when the budget is spent, the step no longer moves x, the
    // row has passed its end or the plot is stopped.
    bool Advance() {
        if (hasConstant_) return !control_.Stopped() && row_.Next(x_);
        if (!stream_) stream_.emplace(engine_, row_, control_);
        return stream_->Next(x_, value_, ok_);
    }

    // The sample at X(), as the stream computed it.
    bool Evaluate(ExtendedReal& value) {
        if (hasConstant_) {
            value = constant_;
            return true;
        }
        if (ok_) value = value_;
        return ok_;
    }

    // The curve at any x, as a sample there would have it.
    bool EvaluateAt(ExtendedReal x, ExtendedReal& value) {
        if (hasConstant_) {
            value = constant_;
            return true;
        }
        // The plot holds a0 in ValueA throughout; a point between samples is evaluated here.
        ExtendedReal result = 0;
        const bool ok = EvaluateSequence(engine_, x, result) && engine_.EngineError == kNoError;
        engine_.EngineError = kNoError;
        if (ok) value = result;
        return ok;
    }

  private:
    Engine& engine_;
    AbscissaRow row_;
    const SampleControl& control_;
    std::optional<SampleStream> stream_;
    ExtendedReal x_ = 0;
    ExtendedReal value_ = 0;
    bool ok_ = false;
    ExtendedReal constant_ = 0;
    bool hasConstant_ = false;
};

// With breaks at poles on, a segment across a pole is left out.
bool BreakHere(const ViewState& view, const DrawOptions& options, int height, Sampler& sampler,
               ExtendedReal x0, ExtendedReal y0, ExtendedReal x1, ExtendedReal y1) {
    if (!options.BreakPoles) return false;
    const ExtendedReal beyond =
        MagnitudeBeyond(view.ViewOriginY, view.ViewOriginY - height * view.PixelSizeY);
    return PoleBetween(
        [&sampler](ExtendedReal x, ExtendedReal& v) { return sampler.EvaluateAt(x, v); }, x0, y0,
        x1, y1, beyond);
}

void DrawSamples(DrawSurface& canvas, const ViewState& view, const DrawOptions& options,
                 Sampler& sampler, ExtendedReal sampleTo) {
    ExtendedReal value = 0;
    // The first valid sample only places the pen; at least one sample is always evaluated.
    do {
        if (!sampler.Advance()) return;
        if (sampler.Evaluate(value)) {
            canvas.MoveTo(SampleColumn(view, sampler.X()), SampleRow(view, value));
            break;
        }
    } while (!(sampler.X() > sampleTo));

    if (options.Lines) {
        bool penDown = true;
        ExtendedReal lastX = sampler.X();
        ExtendedReal lastValue = value;
        while (sampler.X() <= sampleTo && sampler.Advance()) {
            if (!sampler.Evaluate(value)) {
                penDown = false;
                continue;
            }
            const int32_t column = SampleColumn(view, sampler.X());
            const int32_t row = SampleRow(view, value);
            const bool broken = penDown && BreakHere(view, options, canvas.Height(), sampler, lastX,
                                                     lastValue, sampler.X(), value);
            lastX = sampler.X();
            lastValue = value;
            if (penDown && !broken) {
                canvas.LineTo(column, row);
            } else {
                penDown = true;
                canvas.MoveTo(column, row);
            }
        }
        return;
    }
    // Point mode tests strictly, and leaves the first valid sample unset.
    while (sampler.X() < sampleTo && sampler.Advance()) {
        if (sampler.Evaluate(value)) {
            canvas.SetPixel(SampleColumn(view, sampler.X()), SampleRow(view, value),
                            options.LineColour);
        }
    }
}

}  // namespace

ViewState DeviceView(const ViewState& view, int scale) {
    if (scale <= 1) return view;
    ViewState device = view;
    device.PixelSizeX /= scale;
    device.PixelSizeY /= scale;
    return device;
}

void RequireFinite(ExtendedReal value) {
    if (!std::isfinite(value)) throw DrawingOverflow{};
}

void RequireUsableView(const ViewState& view) {
    RequireFinite(view.ViewOriginX);
    RequireFinite(view.ViewOriginY);
    RequireFinite(view.PixelSizeX);
    RequireFinite(view.PixelSizeY);
    if (!(view.PixelSizeX > 0 && view.PixelSizeY > 0)) throw DrawingOverflow{};
}

void DrawBackground(DrawSurface& canvas, const ViewState& view, const DrawOptions& options) {
    canvas.SetBrushColour(options.BackgroundColour);
    const int scale = canvas.Scale();
    const int width = canvas.Width();
    const int height = canvas.Height();
    if (width > 0 && height > 0) {
        RequireUsableView(view);
        canvas.FillRect(0, 0, width, height);
        canvas.FloodFill(2, 2, kBlack);
    }
    // The grid's steps follow the logical picture, its lines the device pixels.
    const ViewState device = DeviceView(view, scale);
    if (options.Grid) {
        canvas.SetPenColour(options.GridColour);
        if (width > 0 && height > 0) {
            const ExtendedReal step = GridStep(width / scale, view.PixelSizeX);
            DrawVerticalGrid(canvas, device, step);
            DrawHorizontalGrid(canvas, device, HorizontalGridStep(step, height / scale, view));
        }
    }
    if (options.Axes) {
        canvas.SetPenColour(options.AxesColour);
        if (width > 0 && height > 0) DrawAxes(canvas, device);
    }
}

bool PlotCurve(DrawSurface& canvas, Engine& engine, const ViewState& view,
               const DrawOptions& options) {
    return PlotCurve(canvas, engine, view, options, SampleControl{});
}

bool PlotCurve(DrawSurface& canvas, Engine& engine, const ViewState& view,
               const DrawOptions& options, const SampleControl& control) {
    if (options.ClearFirst) {
        DrawFrame(canvas, view, options);
    } else {
        canvas.SetPenMode(PenMode::Copy);
    }
    return DrawCurve(canvas, engine, view, options, control);
}

void DrawFrame(DrawSurface& canvas, const ViewState& view, const DrawOptions& options) {
    canvas.SetPenMode(PenMode::Copy);
    DrawBackground(canvas, view, options);
}

bool DrawCurve(DrawSurface& canvas, Engine& engine, const ViewState& logical,
               const DrawOptions& options, const SampleControl& control) {
    // Sampled per device pixel column.
    const ViewState view = DeviceView(logical, canvas.Scale());
    // ValueA goes back however the plot ends.
    const ValueAKeeper keeper(engine);
    const ExtendedReal a0 = engine.ValueA;
    canvas.SetPenMode(PenMode::Copy);
    const int width = canvas.Width();
    const int height = canvas.Height();
    engine.EngineError = kNoError;
    // A failed build leaves a table that is not a whole tree: it is not evaluated.
    if (engine.LastBuildError != kNoError) return false;
    if (width <= 0 || height <= 0) return engine.UsesX;
    RequireUsableView(view);

    ExtendedReal sampleTo = width * view.PixelSizeX + view.ViewOriginX;
    ExtendedReal sampleFrom = view.ViewOriginX;
    RequireFinite(sampleTo);

    ExtendedReal constant = 0;
    if (!engine.UsesX) {
        if (!EvaluateSequence(engine, 1, constant) || engine.EngineError != kNoError) {
            return false;
        }
        // Drawn with whatever pen colour the background left.
        HorizontalLine(canvas, SampleRow(view, constant), width);
    }

    if (options.BoundArgument) {
        if (sampleTo > view.ArgumentTo) {
            sampleTo = view.ArgumentTo;
            BoundMarker(canvas, view, sampleTo);
        }
        if (view.ViewOriginX < view.ArgumentFrom) {
            sampleFrom = view.ArgumentFrom;
            BoundMarker(canvas, view, sampleFrom);
        }
    }

    const int64_t samplesPerPixel = std::max<int32_t>(view.SamplesPerPixel, 1);
    const ExtendedReal step = std::abs(sampleFrom - sampleTo) / width / samplesPerPixel;
    RequireFinite(step);
    // The first abscissa is sampleFrom itself; the row ends after the first one past sampleTo,
    // where the drawing stops at the latest.
    const AbscissaRow row(sampleFrom - step, step, int64_t{width} * samplesPerPixel + 2, sampleTo);
    engine.ValueA = a0;
    Sampler sampler(engine, row, control);
    if (!engine.UsesX) sampler.SetConstant(constant);
    canvas.SetPenColour(options.LineColour);
    DrawSamples(canvas, view, options, sampler, sampleTo);
    return engine.UsesX;
}
