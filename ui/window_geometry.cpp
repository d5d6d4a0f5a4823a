// The place of the main window when it is not maximised.
#include "ui/window_geometry.h"

#include <algorithm>

namespace {

// Room for a title bar above the window and a border beside it; the frame itself is known only
// once the window manager has framed the window.
constexpr int kTitleAllowance = 32;
constexpr int kBorderAllowance = 8;

}  // namespace

QRect NormalWindowGeometry(const QRect& available, QSize size) {
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(available.center());
    placed.moveLeft(std::max(placed.left(), available.left() + kBorderAllowance));
    placed.moveTop(std::max(placed.top(), available.top() + kTitleAllowance));
    return placed;
}

QSize SmallestWindowSize(int rightmost) {
    // The same margin as at the designed size, where the last tool ends 10 pixels short.
    constexpr int kRightMargin = 10;
    return kDesignedWindowSize.expandedTo(QSize(rightmost + 1 + kRightMargin, 0));
}
