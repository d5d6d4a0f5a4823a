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
