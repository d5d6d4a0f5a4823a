#include "document/curve_set.h"

#include <algorithm>
#include <utility>

size_t CurveSet::VisibleCount() const {
    return static_cast<size_t>(
        std::count_if(curves_.begin(), curves_.end(), [](const Curve& c) { return c.Visible; }));
}

const Curve* CurveSet::SelectedCurve() const {
    return selected_ ? &curves_[*selected_] : nullptr;
}

Curve* CurveSet::SelectedCurve() {
    return selected_ ? &curves_[*selected_] : nullptr;
}

void CurveSet::Select(std::optional<size_t> index) {
    selected_ = index && *index < curves_.size() ? index : std::nullopt;
}

Colour CurveSet::NextColour() const {
    for (const Colour colour : kCurvePalette) {
        const bool taken = std::any_of(curves_.begin(), curves_.end(),
                                       [colour](const Curve& c) { return c.LineColour == colour; });
        if (!taken) return colour;
    }
    return kCurvePalette[curves_.size() % kCurvePalette.size()];
}

size_t CurveSet::Add(Curve curve) {
    curves_.push_back(std::move(curve));
    selected_ = curves_.size() - 1;
    return *selected_;
}

void CurveSet::Replace(size_t index, Curve curve) {
    if (index < curves_.size()) curves_[index] = std::move(curve);
}

void CurveSet::Remove(size_t index) {
    if (index >= curves_.size()) return;
    curves_.erase(curves_.begin() + static_cast<std::ptrdiff_t>(index));
    if (!selected_) return;
    if (curves_.empty()) {
        selected_.reset();
    } else if (*selected_ > index || *selected_ == curves_.size()) {
        --*selected_;
    }
}

void CurveSet::Clear() {
    curves_.clear();
    selected_.reset();
}

bool CurveSet::MoveUp(size_t index) {
    if (index == 0 || index >= curves_.size()) return false;
    std::swap(curves_[index - 1], curves_[index]);
    if (selected_ == index) {
        selected_ = index - 1;
    } else if (selected_ == index - 1) {
        selected_ = index;
    }
    return true;
}

bool CurveSet::MoveDown(size_t index) {
    return index + 1 < curves_.size() && MoveUp(index + 1);
}
