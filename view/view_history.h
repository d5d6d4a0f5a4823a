// The views the picture has shown, for stepping back and forward: origin and pixel sizes only.
#pragma once

#include <cstddef>
#include <deque>

#include "view/view_state.h"

struct ViewWindow {
    ExtendedReal OriginX = 0;
    ExtendedReal OriginY = 0;
    ExtendedReal SizeX = 0;
    ExtendedReal SizeY = 0;
    bool operator==(const ViewWindow&) const = default;
};

ViewWindow WindowOf(const ViewState& view);
void ApplyWindow(ViewState& view, const ViewWindow& window);

class ViewHistory {
  public:
    static constexpr size_t kDepth = 100;

    // The picture now shows `shown`: the view shown before it becomes one step back (the
    // oldest goes past kDepth) and the steps forward are dropped. The same view again is no step.
    void Shown(const ViewWindow& shown);
    // The picture now shows `shown` as the same step as the current one (a gesture going on):
    // it replaces the current view and drops the steps forward.
    void ShownAgain(const ViewWindow& shown);
    // The view one step back or forward from the current one; false when there is none.
    bool Back(ViewWindow& window);
    bool Forward(ViewWindow& window);
    bool CanGoBack() const { return !back_.empty(); }
    bool CanGoForward() const { return !forward_.empty(); }
    size_t BackCount() const { return back_.size(); }

  private:
    std::deque<ViewWindow> back_;
    std::deque<ViewWindow> forward_;
    ViewWindow current_;
    bool hasCurrent_ = false;
};
