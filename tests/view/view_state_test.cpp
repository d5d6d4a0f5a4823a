// View and parameter state: pixel rounding, the world/pixel mapping, the texts written into the
// fields, and the eleven exit rules with their exact conditions.
#include "view/view_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

// ---- Pixel rounding: nearest, ties to even, low 32 bits of a 64-bit integer.

struct RoundRow {
    ExtendedReal value;
    int32_t pixel;
};

const RoundRow kRoundRows[] = {
    {0.5L, 0},
    {1.5L, 2},
    {2.5L, 2},
    {3.5L, 4},
    {-0.5L, 0},
    {-1.5L, -2},
    {-2.5L, -2},
    {2.4999L, 2},
    {-2.5001L, -3},
    {154.0L, 154},
    // Beyond 32 bits only the low 32 bits serve.
    {4294967296.0L + 5, 5},
    {2147483648.0L, std::numeric_limits<int32_t>::min()},
    {-4294967296.0L - 3, -3},
    {9223372036854774784.0L, -1024},  // 2^63 - 1024
    {-9223372036854775808.0L, 0},     // -2^63
    // Beyond 64 bits, and not a number: the processor's "integer indefinite", low bits 0.
    {9223372036854775808.0L, 0},
    {1e30L, 0},
    {-1e4000L, 0},
    {std::numeric_limits<ExtendedReal>::infinity(), 0},
    {-std::numeric_limits<ExtendedReal>::infinity(), 0},
    {std::numeric_limits<ExtendedReal>::quiet_NaN(), 0},
};

TEST(RoundToPixel, NearestTiesToEvenLow32Bits) {
    for (const RoundRow& row : kRoundRows) {
        SCOPED_TRACE(static_cast<double>(row.value));
        EXPECT_EQ(RoundToPixel(row.value), row.pixel);
    }
}

// ---- World/pixel mapping.

ViewState CentredDefaultView() {
    ViewState view;
    view.ViewOriginX = -308 * view.PixelSizeX / 2;
    view.ViewOriginY = 275 * view.PixelSizeY / 2;
    return view;
}

TEST(Mapping, PixelToWorld) {
    ViewState view;
    view.ViewOriginX = -10;
    view.ViewOriginY = 5;
    view.PixelSizeX = 0.5L;
    view.PixelSizeY = 0.25L;
    EXPECT_EQ(ColumnToWorldX(view, 0), -10);
    EXPECT_EQ(ColumnToWorldX(view, 20), 0);
    EXPECT_EQ(ColumnToWorldX(view, -4), -12);
    EXPECT_EQ(RowToWorldY(view, 0), 5);
    EXPECT_EQ(RowToWorldY(view, 20), 0);
    EXPECT_EQ(RowToWorldY(view, -4), 6);
}

TEST(Mapping, WorldToPixelRoundsTiesToEven) {
    ViewState view;
    view.PixelSizeX = 1;
    view.PixelSizeY = 1;
    EXPECT_EQ(WorldXToColumn(view, 2.5L), 2);
    EXPECT_EQ(WorldXToColumn(view, 3.5L), 4);
    EXPECT_EQ(WorldXToColumn(view, 3.49L), 3);
    EXPECT_EQ(WorldYToRow(view, -2.5L), 2);
    EXPECT_EQ(WorldYToRow(view, -3.5L), 4);
    EXPECT_EQ(WorldYToRow(view, 1), -1);
}

TEST(Mapping, CentredDefaultViewPutsTheOriginInTheMiddle) {
    const ViewState view = CentredDefaultView();
    EXPECT_EQ(WorldXToColumn(view, 0), 154);
    EXPECT_EQ(WorldXToColumn(view, 1), 174);
    EXPECT_EQ(WorldYToRow(view, 0.025L), 137);
    EXPECT_EQ(WorldYToRow(view, -0.975L), 157);
}

TEST(Mapping, EveryColumnAndRowMapsBackToItself) {
    const ViewState view = CentredDefaultView();
    for (int32_t column = -10; column < 320; ++column) {
        ASSERT_EQ(WorldXToColumn(view, ColumnToWorldX(view, column)), column);
    }
    for (int32_t row = -10; row < 290; ++row) {
        ASSERT_EQ(WorldYToRow(view, RowToWorldY(view, row)), row);
    }
}

TEST(Mapping, FarPointsGiveDefinedPixels) {
    const ViewState view = CentredDefaultView();
    EXPECT_EQ(WorldXToColumn(view, 1e300L), 0);
    EXPECT_EQ(WorldYToRow(view, -std::numeric_limits<ExtendedReal>::infinity()), 0);
    // 2^32 * 0.05 beyond the origin wraps to the origin's column.
    EXPECT_EQ(WorldXToColumn(view, view.ViewOriginX + 4294967296.0L * view.PixelSizeX + 7 * 0.05L),
              7);
}

// ---- Texts written into the fields.

TEST(ShowParameters, StartingState) {
    const ViewState view;
    const Engine engine;
    // kShowOrder: X, Y, Xm, Ym, Tochn, X0, Xk, N0, Nk, A0, C.
    const std::array<std::string, 11> inOrder = {"0", "0", "0.05", "0.05", "1", "-1",
                                                 "1", "1", "100",  "1",    "1"};
    EXPECT_EQ(ShowParameters(view, engine), inOrder);
}

TEST(ShowParameters, FiveDecimalsTrimmedInFieldOrder) {
    ViewState view;
    view.ViewOriginX = -7.7L;
    view.ViewOriginY = 6.875L;
    view.PixelSizeX = 0.00078125L;
    view.PixelSizeY = 0.000001L;
    view.SamplesPerPixel = 3;
    view.ArgumentFrom = -0.000001L;
    view.ArgumentTo = 2.7e43L;
    Engine engine;
    engine.IndexFrom = 0;
    engine.IndexTo = 100000;
    engine.ValueA = -20;
    engine.ConstantC = 1.0L / 3;
    const std::array<std::string, 11> expected = {
        "-7.7", "6.875", "0.00078", "0", "3", "-0", " 2.7E+0043", "0", "100000", "-20", "0.33333"};
    EXPECT_EQ(ShowParameters(view, engine), expected);
    EXPECT_EQ(ShowParameterText(view, engine, ParameterField::Xk), " 2.7E+0043");
    EXPECT_EQ(ShowParameterText(view, engine, ParameterField::Tochn), "3");
}

// ---- Exit rules.

ExtendedReal HeldValue(const ViewState& view, const Engine& engine, ParameterField field) {
    switch (field) {
        case ParameterField::X:
            return view.ViewOriginX;
        case ParameterField::Y:
            return view.ViewOriginY;
        case ParameterField::Xm:
            return view.PixelSizeX;
        case ParameterField::Ym:
            return view.PixelSizeY;
        case ParameterField::Tochn:
            return view.SamplesPerPixel;
        case ParameterField::X0:
            return view.ArgumentFrom;
        case ParameterField::Xk:
            return view.ArgumentTo;
        case ParameterField::N0:
            return engine.IndexFrom;
        case ParameterField::Nk:
            return engine.IndexTo;
        case ParameterField::A0:
            return engine.ValueA;
        case ParameterField::C:
            return engine.ConstantC;
    }
    return 0;
}

struct ExitRow {
    ParameterField field;
    const char* text;
    const char* rewrite;  // nullptr: taken, the field keeps the text
    ExtendedReal held;    // the value afterwards
};

using F = ParameterField;
const ExitRow kExitRows[] = {
    // Pixel sizes: both bounds included.
    {F::Xm, "0.05", nullptr, 0.05L},
    {F::Xm, "0.000001", "0.05", 0.05L},
    {F::Xm, "200000", "0.05", 0.05L},
    {F::Xm, "0.00001", nullptr, kMinPixelSize},
    {F::Xm, "100000", nullptr, 100000},
    {F::Xm, "0.0000099999", "0.05", 0.05L},
    {F::Xm, "100000.0001", "0.05", 0.05L},
    {F::Xm, "-0.05", "0.05", 0.05L},
    {F::Ym, "1e-5", nullptr, kMinPixelSize},
    {F::Ym, "1e5", nullptr, 100000},
    {F::Ym, "0", "0.05", 0.05L},
    // Samples per pixel: a positive integer text.
    {F::Tochn, "0", "1", 1},
    {F::Tochn, "-3", "1", 1},
    {F::Tochn, "2.5", "1", 1},
    {F::Tochn, "3", nullptr, 3},
    {F::Tochn, "$A", nullptr, 10},
    // Index bounds against the other bound as held (1 and 100).
    {F::N0, "0", nullptr, 0},
    {F::N0, "99", nullptr, 99},
    {F::N0, "100", "1", 1},
    {F::N0, "-1", "1", 1},
    {F::Nk, "100000", nullptr, 100000},
    {F::Nk, "100001", "100", 100},
    {F::Nk, "2", nullptr, 2},
    {F::Nk, "1", "100", 100},
    {F::Nk, "0", "100", 100},
    {F::Nk, "$1F", nullptr, 31},
    {F::Nk, "-$1F", "100", 100},
    // Argument bounds, strictly apart (-1 and 1).
    {F::X0, "0.999", nullptr, 0.999L},
    {F::X0, "1", "-1", -1},
    {F::X0, "5", "-1", -1},
    {F::Xk, "-1", "1", 1},
    {F::Xk, "-0.5", nullptr, -0.5L},
    // Real texts without a further condition.
    {F::X, "1,5", "0", 0},
    {F::X, "1.5e3", nullptr, 1500},
    {F::Y, "+.5", nullptr, 0.5L},
    {F::X, "-7.", nullptr, -7},
    {F::X, " 12", nullptr, 12},
    {F::X, "12 ", "0", 0},
    {F::Y, ".", nullptr, 0},
    {F::Y, "1e5000", "0", 0},
    {F::X, " 2.7E+0043", nullptr, 2.7e43L},
    {F::C, "", "1", 1},
    {F::C, "-0.25", nullptr, -0.25L},
    {F::A0, "1e2", nullptr, 100},
    {F::A0, "a", "1", 1},
};

TEST(ApplyFieldExit, ConditionsAndRewrites) {
    for (const ExitRow& row : kExitRows) {
        SCOPED_TRACE(std::string("field ") + std::to_string(static_cast<int>(row.field)) +
                     " text \"" + row.text + "\"");
        ViewState view;
        Engine engine;
        const std::optional<std::string> rewrite =
            ApplyFieldExit(view, engine, row.field, row.text);
        if (row.rewrite == nullptr) {
            EXPECT_FALSE(rewrite.has_value()) << *rewrite;
        } else {
            ASSERT_TRUE(rewrite.has_value());
            EXPECT_EQ(*rewrite, row.rewrite);
        }
        EXPECT_EQ(HeldValue(view, engine, row.field), row.held);
    }
}

TEST(ApplyFieldExit, RewriteUsesTenDecimalsTrimmed) {
    ViewState view;
    Engine engine;
    view.ViewOriginX = 1.0L / 3;
    engine.ConstantC = -0.00000000001L;
    view.PixelSizeY = 0.00078125L;
    EXPECT_EQ(ApplyFieldExit(view, engine, F::X, "x"), "0.3333333333");
    EXPECT_EQ(ApplyFieldExit(view, engine, F::C, ""), "-0");
    EXPECT_EQ(ApplyFieldExit(view, engine, F::Ym, "0"), "0.00078125");
}

TEST(ApplyFieldExit, SequenceBoundsRiseUpperFirst) {
    ViewState view;
    Engine engine;
    EXPECT_EQ(ApplyFieldExit(view, engine, F::N0, "200"), "1");
    EXPECT_EQ(engine.IndexFrom, 1);
    EXPECT_EQ(ApplyFieldExit(view, engine, F::Nk, "300"), std::nullopt);
    EXPECT_EQ(ApplyFieldExit(view, engine, F::N0, "200"), std::nullopt);
    EXPECT_EQ(engine.IndexFrom, 200);
    EXPECT_EQ(engine.IndexTo, 300);
    // The upper bound may not fall to the lower one.
    EXPECT_EQ(ApplyFieldExit(view, engine, F::Nk, "200"), "300");
}

// Writing the fields and reading them back in the run's order rounds the reals to the five
// shown decimals and changes nothing else; a second round changes nothing.
TEST(ApplyFieldExit, ShownTextsReadBackRoundedToFiveDecimals) {
    ViewState view;
    view.ViewOriginX = -7.7L;
    view.ViewOriginY = 6.87512345L;
    view.PixelSizeX = 0.00078125L;
    view.PixelSizeY = 0.05L;
    view.SamplesPerPixel = 4;
    view.ArgumentFrom = -2.000004L;
    view.ArgumentTo = 2.7e43L;
    Engine engine;
    engine.IndexFrom = 3;
    engine.IndexTo = 7;
    engine.ValueA = 1.0L / 3;
    engine.ConstantC = -0.000001L;
    for (int round = 0; round < 2; ++round) {
        const std::array<std::string, 11> shown = ShowParameters(view, engine);
        for (const ParameterField field : kRunExitOrder) {
            const size_t index = static_cast<size_t>(
                std::find(kShowOrder.begin(), kShowOrder.end(), field) - kShowOrder.begin());
            EXPECT_EQ(ApplyFieldExit(view, engine, field, shown[index]), std::nullopt);
        }
        EXPECT_EQ(view.ViewOriginX, -7.7L);
        EXPECT_EQ(view.ViewOriginY, 6.87512L);
        EXPECT_EQ(view.PixelSizeX, 0.00078L);
        EXPECT_EQ(view.SamplesPerPixel, 4);
        EXPECT_EQ(view.ArgumentFrom, -2.0L);
        EXPECT_EQ(view.ArgumentTo, 2.7e43L);
        EXPECT_EQ(engine.IndexFrom, 3);
        EXPECT_EQ(engine.IndexTo, 7);
        EXPECT_EQ(engine.ValueA, 0.33333L);
        EXPECT_EQ(engine.ConstantC, 0);
    }
}

TEST(ApplyFieldExit, TinyPixelSizeShownAsZeroIsRejectedAndKept) {
    ViewState view;
    Engine engine;
    view.PixelSizeX = 0.000004L;  // one halving below the bound, left by a zoom step
    const std::string shown = ShowParameterText(view, engine, F::Xm);
    EXPECT_EQ(shown, "0");
    EXPECT_EQ(ApplyFieldExit(view, engine, F::Xm, shown), "0.000004");
    EXPECT_EQ(view.PixelSizeX, 0.000004L);
}

}  // namespace
