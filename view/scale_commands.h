// The five scale commands as changes of the view state. Each returns true when the caller must
// redraw (tick "Новый", write the fields, plot the last built expression).
#pragma once

#include "view/view_state.h"

bool ZoomIn(ViewState& view);
bool ZoomOut(ViewState& view);
bool CentreView(ViewState& view, int width, int height);
bool EqualScales(ViewState& view);
bool DefaultScale(ViewState& view);
// Clamps one pixel size to kMinPixelSize..kMaxPixelSize.
ExtendedReal ClampPixelSize(ExtendedReal size);
