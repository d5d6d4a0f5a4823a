// The place of the main window when it is not maximised.
#include "ui/window_geometry.h"

#include <algorithm>

namespace {

// Room for a title bar above the window and a border beside it; the frame itself is known only
// once the window manager has framed the window.
constexpr int kTitleAllowance = 32;
constexpr int kBorderAllowance = 8;
// The share of the available area the normal window takes, in percent.
constexpr int kNormalShare = 80;

}  // namespace

QRect NormalWindowGeometry(const QRect& available, QSize size) {
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(available.center());
    placed.moveLeft(std::max(placed.left(), available.left() + kBorderAllowance));
    placed.moveTop(std::max(placed.top(), available.top() + kTitleAllowance));
    return placed;
}

QSize NormalWindowSize(const QRect& available, QSize smallest) {
    return QSize(available.width() * kNormalShare / 100, available.height() * kNormalShare / 100)
        .expandedTo(smallest);
}

QRect RestoredWindowGeometry(const QRect& remembered, const QRect& available, QSize smallest) {
    // The title bar lies above the window's top edge: that edge must leave room for it, and
    // the top middle of the window must lie on the screen, where it can be grabbed.
    const QPoint grip(remembered.center().x(), remembered.top());
    const bool usable = remembered.isValid() && remembered.width() >= smallest.width() &&
                        remembered.height() >= smallest.height() &&
                        remembered.top() >= available.top() + kTitleAllowance &&
                        available.contains(grip);
    if (usable) return remembered;
    return NormalWindowGeometry(available, NormalWindowSize(available, smallest));
}

QSize SmallestWindowSize(int rightmost) {
    // The same margin as at the designed size, where the last tool ends 10 pixels short.
    constexpr int kRightMargin = 10;
    return kDesignedWindowSize.expandedTo(QSize(rightmost + 1 + kRightMargin, 0));
}
