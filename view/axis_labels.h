// Numbers on the axes: where the labels of the grid lines go and what they read. A pure
// placement over the view state; the window paints the result over the picture and the
// command-line renderer and the vector outputs draw it as text.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "view/view_state.h"

// One label: its box in picture pixels and its text.
struct AxisLabel {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::string Text;
    bool OnXAxis = true;  // false: a label of the y axis
};

// How wide a text is in pixels, and how tall every text is.
struct LabelMetrics {
    std::function<int(const std::string&)> TextWidth;
    int TextHeight = 13;
};

// The labels of both axes for a picture of width x height pixels. Labels sit at multiples of a
// 1-2-5 multiple of the grid step (every k-th grid line), far enough apart never to overlap;
// they run beside the axes, or along the bottom and left edges when an axis is out of view.
std::vector<AxisLabel> PlaceAxisLabels(const ViewState& view, int width, int height,
                                       const LabelMetrics& metrics);

// The grid step the background uses for this width: 10^(trunc(log10(width * PixelSizeX)) - 1).
ExtendedReal GridStepFor(int width, ExtendedReal pixelSizeX);

// The step of the horizontal grid lines (and of the y labels), given the step of the vertical
// ones. The same step serves while it leaves the lines at least kMinGridSpacing pixels apart
// and two or more of them in the picture's height; otherwise the y axis gets a decimal step of
// its own, chosen from its visible height as the vertical step is from the width, then made
// ten times coarser until the lines are far enough apart, or finer while fewer than two show.
inline constexpr ExtendedReal kMinGridSpacing = 4;
ExtendedReal HorizontalGridStep(ExtendedReal sharedStep, int height, const ViewState& view);
