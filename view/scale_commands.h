// The five scale commands as changes of the view state. Each returns true when the caller must
// redraw (tick the clear-first box, write the fields, plot the last built expression).
#pragma once

#include "view/view_state.h"

bool ZoomIn(ViewState& view);
bool ZoomOut(ViewState& view);
bool CentreView(ViewState& view, int width, int height);
bool EqualScales(ViewState& view);
bool DefaultScale(ViewState& view);
// Clamps one pixel size to kMinPixelSize..kMaxPixelSize.
ExtendedReal ClampPixelSize(ExtendedReal size);

// Which pixel sizes a wheel zoom changes: both, x only (Ctrl) or y only (Shift).
enum class ZoomAxes { Both, XOnly, YOnly };
// One wheel notch is 120 units of angle; one notch multiplies the pixel sizes by 2^(-1/4).
inline constexpr int kWheelNotch = 120;
// The factor for `angle` wheel units (positive: away from the user, zooming in).
ExtendedReal WheelFactor(int angle);
// Multiplies the chosen pixel sizes by `factor`, clamped to the bounds, keeping the world point
// under pixel (column, row) under it. False when nothing changed.
bool ZoomAbout(ViewState& view, ExtendedReal factor, ZoomAxes axes, int column, int row);
// Moves the picture's content by (dx, dy) pixels (right and down). False when nothing changed.
bool PanBy(ViewState& view, int dx, int dy);

// The move tool's second click: the world point under the first click (fromX, fromY) comes to
// lie under the second (toX, toY). The view always changes, whatever the numbers become.
void MoveByClicks(ViewState& view, int fromX, int fromY, int toX, int toY);
// The rectangle tool's release: the rectangle between the pixel corners (x1, y1) and (x2, y2)
// of a width × height picture becomes the whole picture, each pixel size clamped. A rectangle
// without area changes nothing and returns false.
bool ZoomToRectangle(ViewState& view, int x1, int y1, int x2, int y2, int width, int height);
