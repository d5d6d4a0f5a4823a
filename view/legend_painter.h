// The legend: in the picture's top-right corner, for each entry a short line in its colour and
// mode, then its text, on a semi-opaque box of the background colour, in the label font. Texts
// wider than a quarter of the picture are cut with "…".
#pragma once

#include <string>
#include <vector>

#include "view/draw_surface.h"

struct LegendEntry {
    std::string Text;  // UTF-8
    Colour LineColour = kYellow;
    bool Lines = true;
};

// Over the raster canvas or the vector surface; nothing for an empty list.
void DrawLegend(DrawSurface& surface, const std::vector<LegendEntry>& entries, Colour background);
