// The view and parameter state: what part of the plane is visible, how densely the curve is
// sampled and the argument bounds; the world/pixel mapping; the texts ShowParameters writes;
// and the exit rules of the eleven parameter fields. The engine's own parameters (c, a0, the
// index range) live in the Engine object and are passed beside it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine_state.h"

inline constexpr ExtendedReal kMinPixelSize = 0.00001L;
inline constexpr ExtendedReal kMaxPixelSize = 100000.0L;
inline constexpr ExtendedReal kDefaultPixelSize = 0.05L;
inline constexpr int32_t kMaxIndex = 100000;

struct ViewState {
    ExtendedReal ViewOriginX = 0;
    ExtendedReal ViewOriginY = 0;
    ExtendedReal PixelSizeX = kDefaultPixelSize;
    ExtendedReal PixelSizeY = kDefaultPixelSize;
    int32_t SamplesPerPixel = 1;
    ExtendedReal ArgumentFrom = -1;
    ExtendedReal ArgumentTo = 1;
};

// The processor's rounding (nearest, ties to even) to a 64-bit integer whose low 32 bits serve.
int32_t RoundToPixel(ExtendedReal value);

// World/pixel mapping.
ExtendedReal ColumnToWorldX(const ViewState& view, int32_t column);
ExtendedReal RowToWorldY(const ViewState& view, int32_t row);
int32_t WorldXToColumn(const ViewState& view, ExtendedReal x);
int32_t WorldYToRow(const ViewState& view, ExtendedReal y);

// The eleven parameter fields, in the order ShowParameters writes them.
enum class ParameterField { X, Y, Xm, Ym, Tochn, X0, Xk, N0, Nk, A0, C };
inline constexpr std::array<ParameterField, 11> kShowOrder = {
    ParameterField::X,     ParameterField::Y,  ParameterField::Xm, ParameterField::Ym,
    ParameterField::Tochn, ParameterField::X0, ParameterField::Xk, ParameterField::N0,
    ParameterField::Nk,    ParameterField::A0, ParameterField::C};
// The order in which a run applies the exit rules.
inline constexpr std::array<ParameterField, 11> kRunExitOrder = {
    ParameterField::X,  ParameterField::Y,  ParameterField::Xm,   ParameterField::Ym,
    ParameterField::X0, ParameterField::Xk, ParameterField::N0,   ParameterField::Nk,
    ParameterField::A0, ParameterField::C,  ParameterField::Tochn};

// The text ShowParameters writes for one field (reals: 5 decimals trimmed; integers: digits).
std::string ShowParameterText(const ViewState& view, const Engine& engine, ParameterField field);
// All eleven texts in kShowOrder.
std::array<std::string, 11> ShowParameters(const ViewState& view, const Engine& engine);

// A field's exit rule: takes the text into its value when it is a valid number of the field's
// kind meeting the field's condition and returns nothing (the field keeps the text as typed);
// otherwise leaves the value and returns the text to write back (10 decimals trimmed for reals,
// digits for integers).
std::optional<std::string> ApplyFieldExit(ViewState& view, Engine& engine, ParameterField field,
                                          std::string_view text);
