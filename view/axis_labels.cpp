// Label placement: pick the label step, write the texts with as few decimals as tell
// neighbours apart, and lay the boxes beside the axes inside the picture.
#include "view/axis_labels.h"

#include <algorithm>
#include <cmath>

#include "engine/number_text.h"

namespace {

constexpr int kGap = 6;           // free pixels between neighbouring labels
constexpr int kAxisOffset = 3;    // pixels between an axis and its labels
constexpr int kEdgeOffset = 2;    // pixels between a picture edge and labels running along it
constexpr int kMaxLabels = 4096;  // no axis needs more, whatever the picture size

ExtendedReal PowerOfTen(int exponent) {
    ExtendedReal power = 1;
    for (int k = 0; k < std::abs(exponent); ++k) power *= 10;
    return exponent < 0 ? 1 / power : power;
}

// A label step: mantissa 1, 2 or 5 times 10^exponent.
struct Step {
    int mantissa = 1;
    int exponent = 0;
    ExtendedReal Value() const { return mantissa * PowerOfTen(exponent); }
    Step Next() const {
        if (mantissa == 1) return {2, exponent};
        if (mantissa == 2) return {5, exponent};
        return {1, exponent + 1};
    }
    // Decimals that tell the multiples of this step apart.
    int Decimals() const { return std::max(0, -exponent); }
};

// The integers k with k * step inside [from, to].
bool MultiplesIn(ExtendedReal from, ExtendedReal to, ExtendedReal step, long long& first,
                 long long& last) {
    const ExtendedReal lo = std::ceil(from / step);
    const ExtendedReal hi = std::floor(to / step);
    if (!std::isfinite(lo) || !std::isfinite(hi) || hi - lo > kMaxLabels) return false;
    if (std::abs(lo) > 1e18L || std::abs(hi) > 1e18L) return false;
    first = static_cast<long long>(lo);
    last = static_cast<long long>(hi);
    return true;
}

std::string LabelText(long long k, const Step& step) {
    if (k == 0) return "0";
    return RealDisplayText(ExtendedReal(k) * step.Value(), step.Decimals());
}

struct Tick {
    ExtendedReal Position;  // pixel position along the axis
    std::string Text;
};

// The ticks of one axis at the first step whose labels keep `gap` pixels apart. `extent` is
// the size along the axis in pixels; `size(text)` the label's size along the axis.
template <typename Size>
std::vector<Tick> ChooseTicks(ExtendedReal from, ExtendedReal to, ExtendedReal pixelSize,
                              ExtendedReal gridStep, Size size, bool reversed,
                              ExtendedReal origin) {
    Step step{1, static_cast<int>(std::lround(std::log10(gridStep)))};
    for (int tries = 0; tries < 200; ++tries, step = step.Next()) {
        const ExtendedReal value = step.Value();
        const ExtendedReal spacing = value / pixelSize;
        if (!std::isfinite(spacing)) return {};
        long long first = 0;
        long long last = 0;
        if (!MultiplesIn(from, to, value, first, last)) continue;
        std::vector<Tick> ticks;
        int widest = 0;
        for (long long k = first; k <= last; ++k) {
            Tick tick;
            tick.Text = LabelText(k, step);
            const ExtendedReal world = ExtendedReal(k) * value;
            tick.Position = reversed ? (origin - world) / pixelSize : (world - origin) / pixelSize;
            widest = std::max(widest, size(tick.Text));
            ticks.push_back(std::move(tick));
        }
        if (spacing >= widest + kGap) return ticks;
    }
    return {};
}

bool Overlaps(const AxisLabel& a, const AxisLabel& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
}

bool Inside(const AxisLabel& label, int width, int height) {
    return label.Left >= 0 && label.Top >= 0 && label.Left + label.Width <= width &&
           label.Top + label.Height <= height;
}

}  // namespace

ExtendedReal GridStepFor(int width, ExtendedReal pixelSizeX) {
    const ExtendedReal decade = std::trunc(std::log(width * pixelSizeX) / std::log(10.0L));
    if (!std::isfinite(decade) || std::abs(decade) > 4000) return 1;
    return PowerOfTen(static_cast<int>(decade) - 1);
}

namespace {

// The multiples of the step between the picture's bottom and top rows.
ExtendedReal LinesAcross(ExtendedReal step, int height, const ViewState& view) {
    const ExtendedReal top = view.ViewOriginY;
    const ExtendedReal bottom = top - height * view.PixelSizeY;
    return std::floor(top / step) - std::ceil(bottom / step) + 1;
}

bool Readable(ExtendedReal step, int height, const ViewState& view) {
    return step / view.PixelSizeY >= kMinGridSpacing && LinesAcross(step, height, view) >= 2;
}

}  // namespace

ExtendedReal HorizontalGridStep(ExtendedReal sharedStep, int height, const ViewState& view) {
    if (height <= 0 || !(view.PixelSizeY > 0) || !std::isfinite(view.ViewOriginY) ||
        !(sharedStep > 0) || Readable(sharedStep, height, view)) {
        return sharedStep;
    }
    ExtendedReal step = GridStepFor(height, view.PixelSizeY);
    // Each loop runs a few times at most: the first step lies within two decades of the end.
    for (int k = 0; k < 64 && step / view.PixelSizeY < kMinGridSpacing; ++k) step *= 10;
    for (int k = 0; k < 64 && LinesAcross(step, height, view) < 2 &&
                    step / 10 / view.PixelSizeY >= kMinGridSpacing;
         ++k) {
        step /= 10;
    }
    return std::isfinite(step) && step > 0 ? step : sharedStep;
}

std::vector<AxisLabel> PlaceAxisLabels(const ViewState& view, int width, int height,
                                       const LabelMetrics& metrics) {
    std::vector<AxisLabel> labels;
    if (width <= 0 || height <= 0 || !(view.PixelSizeX > 0) || !(view.PixelSizeY > 0) ||
        !std::isfinite(view.ViewOriginX) || !std::isfinite(view.ViewOriginY)) {
        return labels;
    }
    const ExtendedReal gridStep = GridStepFor(width, view.PixelSizeX);
    const int textHeight = metrics.TextHeight;
    const ExtendedReal axisRow = view.ViewOriginY / view.PixelSizeY;
    const ExtendedReal axisColumn = -view.ViewOriginX / view.PixelSizeX;

    // x axis: labels centred under their grid line, below the axis (above it at the bottom
    // edge), or along the bottom edge when the axis is out of view.
    const bool yAxisVisible = axisColumn >= 0 && axisColumn < width;
    const int column = yAxisVisible ? static_cast<int>(std::lround(axisColumn)) : 0;
    int xTop = height - textHeight - kEdgeOffset;
    if (axisRow >= 0 && axisRow < height) {
        const int row = static_cast<int>(std::lround(axisRow));
        xTop = row + kAxisOffset;
        if (xTop + textHeight > height) xTop = row - kAxisOffset - textHeight;
    }
    const ExtendedReal right = view.ViewOriginX + width * view.PixelSizeX;
    for (const Tick& tick : ChooseTicks(view.ViewOriginX, right, view.PixelSizeX, gridStep,
                                        metrics.TextWidth, false, view.ViewOriginX)) {
        AxisLabel label;
        label.Width = metrics.TextWidth(tick.Text);
        label.Height = textHeight;
        label.Left = static_cast<int>(std::lround(tick.Position)) - label.Width / 2;
        // The 0 goes left of a visible y axis, clear of the labels running up and down it.
        if (tick.Text == "0" && yAxisVisible) label.Left = column - kAxisOffset - label.Width;
        label.Top = xTop;
        label.Text = tick.Text;
        if (Inside(label, width, height)) labels.push_back(std::move(label));
    }

    // y axis: labels beside the axis, right of it (left of it at the right edge), or along the
    // left edge when the axis is out of view. The 0 of the x axis serves both.
    const ExtendedReal bottom = view.ViewOriginY - height * view.PixelSizeY;
    const auto heightOf = [textHeight](const std::string&) { return textHeight; };
    const size_t xCount = labels.size();
    const ExtendedReal rowStep = HorizontalGridStep(gridStep, height, view);
    for (const Tick& tick : ChooseTicks(bottom, view.ViewOriginY, view.PixelSizeY, rowStep,
                                        heightOf, true, view.ViewOriginY)) {
        if (tick.Text == "0" && axisRow >= 0 && axisRow < height) continue;
        AxisLabel label;
        label.OnXAxis = false;
        label.Width = metrics.TextWidth(tick.Text);
        label.Height = textHeight;
        label.Top = static_cast<int>(std::lround(tick.Position)) - textHeight / 2;
        label.Left = kEdgeOffset;
        if (yAxisVisible) {
            label.Left = column + kAxisOffset;
            if (label.Left + label.Width > width) label.Left = column - kAxisOffset - label.Width;
        }
        label.Text = tick.Text;
        if (!Inside(label, width, height)) continue;
        const bool clash = std::any_of(labels.begin(), labels.begin() + xCount,
                                       [&](const AxisLabel& x) { return Overlaps(x, label); });
        if (!clash) labels.push_back(std::move(label));
    }
    return labels;
}
