// The curves of the picture in drawing order, the selected one, and the palette the appended
// curves take their colours from.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "document/curve.h"

// Eight colours told apart by colour-blind viewers on black and on white (the Okabe-Ito set,
// its black replaced by grey), the program's own yellow first: 0x00BBGGRR.
inline constexpr std::array<Colour, 8> kCurvePalette = {
    0x00FFFF,  // yellow #FFFF00
    0xE9B456,  // sky blue #56B4E9
    0x009FE6,  // orange #E69F00
    0x739E00,  // bluish green #009E73
    0xA779CC,  // reddish purple #CC79A7
    0xB27200,  // blue #0072B2
    0x005ED5,  // vermillion #D55E00
    0x999999,  // grey #999999
};

class CurveSet {
  public:
    size_t Size() const { return curves_.size(); }
    bool Empty() const { return curves_.empty(); }
    const std::vector<Curve>& Curves() const { return curves_; }
    const Curve& At(size_t index) const { return curves_.at(index); }
    Curve& At(size_t index) { return curves_.at(index); }
    size_t VisibleCount() const;

    std::optional<size_t> Selected() const { return selected_; }
    const Curve* SelectedCurve() const;
    Curve* SelectedCurve();
    // An index past the end selects nothing.
    void Select(std::optional<size_t> index);

    // The colour an appended curve takes: the first of the palette no curve has, else the one
    // after the last curve's place in the palette.
    Colour NextColour() const;

    // Appends the curve and selects it; answers its index.
    size_t Add(Curve curve);
    void Replace(size_t index, Curve curve);
    // The selection stays on the same curve, or moves to its neighbour when that one goes.
    void Remove(size_t index);
    void Clear();
    // Moves a curve one place toward the front (up) or the back; false at either end.
    bool MoveUp(size_t index);
    bool MoveDown(size_t index);

  private:
    std::vector<Curve> curves_;
    std::optional<size_t> selected_;
};
