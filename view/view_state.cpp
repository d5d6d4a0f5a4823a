// The view and parameter state: pixel rounding, the world/pixel mapping, the texts written into
// the parameter fields and the fields' exit rules.
#include "view/view_state.h"

#include <cmath>

#include "engine/number_text.h"

namespace {

constexpr int kShownDecimals = 5;
constexpr int kRewriteDecimals = 10;
// 2^63: the first magnitude a 64-bit integer cannot hold.
constexpr ExtendedReal kInt64Bound = 9223372036854775808.0L;

bool IsIntegerField(ParameterField field) {
    return field == ParameterField::Tochn || field == ParameterField::N0 ||
           field == ParameterField::Nk;
}

// The value behind a field, const when the state is.
template <typename View, typename EngineState>
auto RealValue(View& view, EngineState& engine, ParameterField field)
    -> decltype(&view.ViewOriginX) {
    switch (field) {
        case ParameterField::X:
            return &view.ViewOriginX;
        case ParameterField::Y:
            return &view.ViewOriginY;
        case ParameterField::Xm:
            return &view.PixelSizeX;
        case ParameterField::Ym:
            return &view.PixelSizeY;
        case ParameterField::X0:
            return &view.ArgumentFrom;
        case ParameterField::Xk:
            return &view.ArgumentTo;
        case ParameterField::A0:
            return &engine.ValueA;
        case ParameterField::C:
            return &engine.ConstantC;
        default:
            return nullptr;
    }
}

template <typename View, typename EngineState>
auto IntegerValue(View& view, EngineState& engine, ParameterField field)
    -> decltype(&view.SamplesPerPixel) {
    switch (field) {
        case ParameterField::Tochn:
            return &view.SamplesPerPixel;
        case ParameterField::N0:
            return &engine.IndexFrom;
        case ParameterField::Nk:
            return &engine.IndexTo;
        default:
            return nullptr;
    }
}

// The conditions compare with the other bound as it is held at this moment.
bool RealConditionHolds(const ViewState& view, ParameterField field, ExtendedReal value) {
    switch (field) {
        case ParameterField::Xm:
        case ParameterField::Ym:
            return value >= kMinPixelSize && value <= kMaxPixelSize;
        case ParameterField::X0:
            return value < view.ArgumentTo;
        case ParameterField::Xk:
            return value > view.ArgumentFrom;
        default:
            return true;
    }
}

bool IntegerConditionHolds(const Engine& engine, ParameterField field, int32_t value) {
    switch (field) {
        case ParameterField::Tochn:
            return value > 0;
        case ParameterField::N0:
            return value >= 0 && value < engine.IndexTo;
        case ParameterField::Nk:
            return value > 0 && value > engine.IndexFrom && value <= kMaxIndex;
        default:
            return false;
    }
}

}  // namespace

int32_t RoundToPixel(ExtendedReal value) {
    // Outside the 64-bit range (and for NaN) the processor's conversion gives the "integer
    // indefinite" 0x8000000000000000, whose low 32 bits are 0.
    if (!(value >= -kInt64Bound && value < kInt64Bound)) return 0;
    const long long rounded = std::llrintl(value);
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned long long>(rounded)));
}

ExtendedReal ColumnToWorldX(const ViewState& view, int32_t column) {
    return view.ViewOriginX + column * view.PixelSizeX;
}

ExtendedReal RowToWorldY(const ViewState& view, int32_t row) {
    return view.ViewOriginY - row * view.PixelSizeY;
}

int32_t WorldXToColumn(const ViewState& view, ExtendedReal x) {
    return RoundToPixel((x - view.ViewOriginX) / view.PixelSizeX);
}

int32_t WorldYToRow(const ViewState& view, ExtendedReal y) {
    return RoundToPixel((view.ViewOriginY - y) / view.PixelSizeY);
}

std::string ShowParameterText(const ViewState& view, const Engine& engine, ParameterField field) {
    if (IsIntegerField(field)) return IntegerDisplayText(*IntegerValue(view, engine, field));
    return RealDisplayText(*RealValue(view, engine, field), kShownDecimals);
}

std::array<std::string, 11> ShowParameters(const ViewState& view, const Engine& engine) {
    std::array<std::string, 11> texts;
    for (size_t k = 0; k < kShowOrder.size(); ++k) {
        texts[k] = ShowParameterText(view, engine, kShowOrder[k]);
    }
    return texts;
}

std::optional<std::string> ApplyFieldExit(ViewState& view, Engine& engine, ParameterField field,
                                          std::string_view text) {
    if (IsIntegerField(field)) {
        int32_t& held = *IntegerValue(view, engine, field);
        int32_t value = 0;
        if (IntegerText(text, value) && IntegerConditionHolds(engine, field, value)) {
            held = value;
            return std::nullopt;
        }
        return IntegerDisplayText(held);
    }
    ExtendedReal& held = *RealValue(view, engine, field);
    ExtendedReal value = 0;
    if (NumberSyntax(text, value) && RealConditionHolds(view, field, value)) {
        held = value;
        return std::nullopt;
    }
    return RealDisplayText(held, kRewriteDecimals);
}
