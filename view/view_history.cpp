// View history: two stacks around the view shown now.
#include "view/view_history.h"

ViewWindow WindowOf(const ViewState& view) {
    return {view.ViewOriginX, view.ViewOriginY, view.PixelSizeX, view.PixelSizeY};
}

void ApplyWindow(ViewState& view, const ViewWindow& window) {
    view.ViewOriginX = window.OriginX;
    view.ViewOriginY = window.OriginY;
    view.PixelSizeX = window.SizeX;
    view.PixelSizeY = window.SizeY;
}

void ViewHistory::Shown(const ViewWindow& shown) {
    if (hasCurrent_ && shown == current_) return;
    if (hasCurrent_) {
        back_.push_back(current_);
        if (back_.size() > kDepth) back_.pop_front();
        forward_.clear();
    }
    current_ = shown;
    hasCurrent_ = true;
}

void ViewHistory::ShownAgain(const ViewWindow& shown) {
    if (!hasCurrent_) {
        Shown(shown);
        return;
    }
    if (shown != current_) forward_.clear();
    current_ = shown;
}

bool ViewHistory::Back(ViewWindow& window) {
    if (back_.empty()) return false;
    forward_.push_back(current_);
    current_ = back_.back();
    back_.pop_back();
    window = current_;
    return true;
}

bool ViewHistory::Forward(ViewWindow& window) {
    if (forward_.empty()) return false;
    back_.push_back(current_);
    current_ = forward_.back();
    forward_.pop_back();
    window = current_;
    return true;
}
