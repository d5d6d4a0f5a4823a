// The scale commands. Scaling the pixel sizes and the origins by one factor keeps the pixel of
// the world origin fixed, so zooming happens about the crossing of the axes.
#include "view/scale_commands.h"

#include <algorithm>
#include <cmath>

namespace {

bool AllFinite(const ViewState& view) {
    return std::isfinite(view.ViewOriginX) && std::isfinite(view.ViewOriginY) &&
           std::isfinite(view.PixelSizeX) && std::isfinite(view.PixelSizeY);
}

// Takes the changed view unless its arithmetic left the range of numbers; an unusable view is
// refused whole and nothing is redrawn.
bool Commit(ViewState& view, const ViewState& changed) {
    if (!AllFinite(changed)) return false;
    view = changed;
    return true;
}

void Scale(ViewState& view, ExtendedReal factor) {
    view.PixelSizeX *= factor;
    view.PixelSizeY *= factor;
    view.ViewOriginX *= factor;
    view.ViewOriginY *= factor;
}

}  // namespace

ExtendedReal ClampPixelSize(ExtendedReal size) {
    if (size < kMinPixelSize) return kMinPixelSize;
    if (size > kMaxPixelSize) return kMaxPixelSize;
    return size;
}

// The test comes before the halving: one step may take a size below the minimum, and the next
// press only clamps it back.
bool ZoomIn(ViewState& view) {
    if (view.PixelSizeX > kMinPixelSize && view.PixelSizeY > kMinPixelSize) {
        ViewState changed = view;
        Scale(changed, 0.5L);
        return Commit(view, changed);
    }
    if (view.PixelSizeX < kMinPixelSize) view.PixelSizeX = kMinPixelSize;
    if (view.PixelSizeY < kMinPixelSize) view.PixelSizeY = kMinPixelSize;
    return false;
}

bool ZoomOut(ViewState& view) {
    if (view.PixelSizeX < kMaxPixelSize && view.PixelSizeY < kMaxPixelSize) {
        ViewState changed = view;
        Scale(changed, 2);
        return Commit(view, changed);
    }
    if (view.PixelSizeX > kMaxPixelSize) view.PixelSizeX = kMaxPixelSize;
    if (view.PixelSizeY > kMaxPixelSize) view.PixelSizeY = kMaxPixelSize;
    return false;
}

bool CentreView(ViewState& view, int width, int height) {
    ViewState changed = view;
    changed.ViewOriginX = -(ExtendedReal(width) * view.PixelSizeX) / 2;
    changed.ViewOriginY = ExtendedReal(height) * view.PixelSizeY / 2;
    return Commit(view, changed);
}

// The origins follow the unclamped ratio; the clamp comes last.
bool EqualScales(ViewState& view) {
    const ExtendedReal sx = view.PixelSizeX;
    const ExtendedReal sy = view.PixelSizeY;
    const ExtendedReal s = (sx + sy) / 2;
    ViewState changed = view;
    changed.PixelSizeX = s;
    changed.PixelSizeY = s;
    changed.ViewOriginX = (s / sx) * view.ViewOriginX;
    changed.ViewOriginY = (s / sy) * view.ViewOriginY;
    changed.PixelSizeX = ClampPixelSize(changed.PixelSizeX);
    changed.PixelSizeY = ClampPixelSize(changed.PixelSizeY);
    return Commit(view, changed);
}

bool DefaultScale(ViewState& view) {
    // A size that is not positive would make the ratio below meaningless.
    const ExtendedReal sx = view.PixelSizeX > 0 ? view.PixelSizeX : 0.0001L;
    const ExtendedReal sy = view.PixelSizeY > 0 ? view.PixelSizeY : 0.0001L;
    ViewState changed = view;
    changed.PixelSizeX = kDefaultPixelSize;
    changed.PixelSizeY = kDefaultPixelSize;
    changed.ViewOriginX = (kDefaultPixelSize / sx) * view.ViewOriginX;
    changed.ViewOriginY = (kDefaultPixelSize / sy) * view.ViewOriginY;
    return Commit(view, changed);
}

ExtendedReal WheelFactor(int angle) {
    return std::exp2(-ExtendedReal(angle) / (4 * kWheelNotch));
}

// The world point under the pixel is taken before the sizes change and the origin is put back
// under it afterwards: round((x - origin') / size') is then the same column.
bool ZoomAbout(ViewState& view, ExtendedReal factor, ZoomAxes axes, int column, int row) {
    if (!(factor > 0) || !std::isfinite(factor)) return false;
    ViewState changed = view;
    if (axes != ZoomAxes::YOnly) {
        const ExtendedReal anchor = ColumnToWorldX(view, column);
        changed.PixelSizeX = ClampPixelSize(view.PixelSizeX * factor);
        changed.ViewOriginX = anchor - column * changed.PixelSizeX;
    }
    if (axes != ZoomAxes::XOnly) {
        const ExtendedReal anchor = RowToWorldY(view, row);
        changed.PixelSizeY = ClampPixelSize(view.PixelSizeY * factor);
        changed.ViewOriginY = anchor + row * changed.PixelSizeY;
    }
    if (changed.PixelSizeX == view.PixelSizeX && changed.PixelSizeY == view.PixelSizeY) {
        return false;
    }
    return Commit(view, changed);
}

bool PanBy(ViewState& view, int dx, int dy) {
    if (dx == 0 && dy == 0) return false;
    ViewState changed = view;
    changed.ViewOriginX -= dx * view.PixelSizeX;
    changed.ViewOriginY += dy * view.PixelSizeY;
    return Commit(view, changed);
}

void MoveByClicks(ViewState& view, int fromX, int fromY, int toX, int toY) {
    view.ViewOriginX -= (toX - fromX) * view.PixelSizeX;
    view.ViewOriginY += (toY - fromY) * view.PixelSizeY;
}

// The corners are read in the view as it stands; the new origin is the rectangle's upper left
// world point whichever way it was dragged.
bool ZoomToRectangle(ViewState& view, int x1, int y1, int x2, int y2, int width, int height) {
    if (x1 == x2 || y1 == y2) return false;
    const ExtendedReal wx1 = ColumnToWorldX(view, x1);
    const ExtendedReal wy1 = RowToWorldY(view, y1);
    const ExtendedReal wx2 = ColumnToWorldX(view, x2);
    const ExtendedReal wy2 = RowToWorldY(view, y2);
    view.ViewOriginX = std::min(wx1, wx2);
    view.ViewOriginY = std::max(wy1, wy2);
    view.PixelSizeX = (std::max(wx1, wx2) - std::min(wx1, wx2)) / width;
    view.PixelSizeY = (std::max(wy1, wy2) - std::min(wy1, wy2)) / height;
    view.PixelSizeX = ClampPixelSize(view.PixelSizeX);
    view.PixelSizeY = ClampPixelSize(view.PixelSizeY);
    return true;
}
