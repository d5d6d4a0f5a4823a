// Axis labels: the texts and step for worked views, their places beside the axes or along the
// edges, and for every view the rules that hold always: inside the picture, no overlaps, every
// x label centred on the column of its value, texts that tell neighbours apart.
#include "view/axis_labels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "engine/number_text.h"

namespace {

LabelMetrics Metrics(int charWidth) {
    return {[charWidth](const std::string& text) { return int(text.size()) * charWidth; }, 13};
}

ViewState View(ExtendedReal x, ExtendedReal y, ExtendedReal sx, ExtendedReal sy) {
    ViewState view;
    view.ViewOriginX = x;
    view.ViewOriginY = y;
    view.PixelSizeX = sx;
    view.PixelSizeY = sy;
    return view;
}

std::vector<std::string> Texts(const std::vector<AxisLabel>& labels, bool xAxis) {
    std::vector<std::string> texts;
    for (const AxisLabel& label : labels)
        if (label.OnXAxis == xAxis) texts.push_back(label.Text);
    return texts;
}

struct LabelCase {
    const char* name;
    ViewState view;
    int width;
    int height;
    int charWidth;
    std::vector<std::string> xTexts;
    std::vector<std::string> yTexts;  // empty: not checked
};

class AxisLabels : public testing::TestWithParam<LabelCase> {};

TEST_P(AxisLabels, PlacesTheExpectedTexts) {
    const LabelCase& c = GetParam();
    const auto labels = PlaceAxisLabels(c.view, c.width, c.height, Metrics(c.charWidth));
    EXPECT_EQ(Texts(labels, true), c.xTexts);
    if (!c.yTexts.empty()) {
        EXPECT_EQ(Texts(labels, false), c.yTexts);
    }
}

TEST_P(AxisLabels, NeverOverlapAndStayInside) {
    const LabelCase& c = GetParam();
    const auto labels = PlaceAxisLabels(c.view, c.width, c.height, Metrics(c.charWidth));
    for (size_t i = 0; i < labels.size(); ++i) {
        const AxisLabel& a = labels[i];
        EXPECT_GE(a.Left, 0);
        EXPECT_GE(a.Top, 0);
        EXPECT_LE(a.Left + a.Width, c.width);
        EXPECT_LE(a.Top + a.Height, c.height);
        for (size_t j = i + 1; j < labels.size(); ++j) {
            const AxisLabel& b = labels[j];
            const bool apart = a.Left + a.Width <= b.Left || b.Left + b.Width <= a.Left ||
                               a.Top + a.Height <= b.Top || b.Top + b.Height <= a.Top;
            EXPECT_TRUE(apart) << a.Text << " and " << b.Text;
        }
    }
}

TEST_P(AxisLabels, XLabelsSitAtTheirColumnsWithDistinctTexts) {
    const LabelCase& c = GetParam();
    const auto labels = PlaceAxisLabels(c.view, c.width, c.height, Metrics(c.charWidth));
    std::set<std::string> seen;
    for (const AxisLabel& label : labels) {
        EXPECT_TRUE(seen.insert((label.OnXAxis ? "x" : "y") + label.Text).second) << label.Text;
        ExtendedReal value = 0;
        ASSERT_TRUE(NumberSyntax(label.Text, value)) << label.Text;
        if (!label.OnXAxis) continue;
        const int centre = label.Left + label.Width / 2;
        if (label.Text == "0" && WorldXToColumn(c.view, 0) > 0) {
            // The 0 sits just left of a visible y axis.
            EXPECT_LE(label.Left + label.Width, WorldXToColumn(c.view, 0)) << label.Text;
            continue;
        }
        EXPECT_LE(std::abs(centre - WorldXToColumn(c.view, value)), 1) << label.Text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Views, AxisLabels,
    testing::Values(
        // Default scale, centred 300 x 200: a label at every grid line (step 1, 20 px apart).
        LabelCase{
            "everyLine",
            View(-7.5L, 5, 0.05L, 0.05L),
            300,
            200,
            7,
            {"-7", "-6", "-5", "-4", "-3", "-2", "-1", "0", "1", "2", "3", "4", "5", "6", "7"},
            {"-4", "-3", "-2", "-1", "1", "2", "3", "4"}},
        // Wider characters: every second line.
        LabelCase{"everySecondLine",
                  View(-7.5L, 5, 0.05L, 0.05L),
                  300,
                  200,
                  10,
                  {"-6", "-4", "-2", "0", "2", "4", "6"},
                  {}},
        // A narrow view: tenths with one decimal.
        LabelCase{"tenths",
                  View(-0.15L, 0.1L, 0.001L, 0.001L),
                  300,
                  240,
                  7,
                  {"-0.1", "0", "0.1"},
                  {"-0.1"}},
        // A dense grid: 1-2-5 steps of the grid step, here 0.5 with one decimal; labels that
        // would stick out of the picture are left out.
        LabelCase{"halves",
                  View(-1.6L, 1, 0.01L, 0.01L),
                  320,
                  200,
                  7,
                  {"-1", "-0.5", "0", "0.5", "1"},
                  {}},
        // Axes out of view: along the bottom and left edges; three digits need every second line.
        LabelCase{"axesOutOfView",
                  View(100, 60, 0.05L, 0.05L),
                  300,
                  200,
                  7,
                  {"102", "104", "106", "108", "110", "112", "114"},
                  {"51", "52", "53", "54", "55", "56", "57", "58", "59"}},
        // Very different scales: y labels thinned by their own step.
        LabelCase{
            "tallY",
            View(-7.5L, 500, 0.05L, 5),
            300,
            200,
            7,
            {"-7", "-6", "-5", "-4", "-3", "-2", "-1", "0", "1", "2", "3", "4", "5", "6", "7"},
            // -100 would cover the x axis's 1 and is left out.
            {"-400", "-300", "-200", "100", "200", "300", "400"}},
        // Far from the origin at a fine scale: enough decimals to tell neighbours apart (the
        // long texts need steps of 0.001, 100 pixels).
        LabelCase{"fineFarAway",
                  View(1000.0L, 0.05L, 0.00001L, 0.00001L),
                  300,
                  200,
                  7,
                  {"1000.001", "1000.002"},
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A sweep of views, sizes and scales: labels always inside, never overlapping, and at most one
// per grid line.
TEST(AxisLabelsSweep, InsideAndApartForEveryView) {
    const ExtendedReal sizes[] = {0.00001L, 0.0007L, 0.05L, 3, 100000};
    const ExtendedReal origins[] = {-1e6L, -3.3L, 0, 0.01L, 12345.678L};
    const int widths[] = {37, 308, 1920};
    for (const ExtendedReal sx : sizes)
        for (const ExtendedReal sy : sizes)
            for (const ExtendedReal origin : origins)
                for (const int width : widths) {
                    const int height = width * 9 / 16;
                    const ViewState view =
                        View(origin * sx, -origin * sy + height * sy / 2, sx, sy);
                    const auto labels = PlaceAxisLabels(view, width, height, Metrics(7));
                    for (size_t i = 0; i < labels.size(); ++i) {
                        const AxisLabel& a = labels[i];
                        ASSERT_TRUE(a.Left >= 0 && a.Top >= 0 && a.Left + a.Width <= width &&
                                    a.Top + a.Height <= height)
                            << a.Text;
                        for (size_t j = i + 1; j < labels.size(); ++j) {
                            const AxisLabel& b = labels[j];
                            ASSERT_TRUE(a.Left + a.Width <= b.Left || b.Left + b.Width <= a.Left ||
                                        a.Top + a.Height <= b.Top || b.Top + b.Height <= a.Top)
                                << a.Text << " and " << b.Text << " width " << width;
                        }
                    }
                }
}

TEST(AxisLabelsEdges, AxisOutOfViewPutsLabelsAlongTheEdges) {
    const auto labels = PlaceAxisLabels(View(100, 60, 0.05L, 0.05L), 300, 200, Metrics(7));
    ASSERT_FALSE(labels.empty());
    for (const AxisLabel& label : labels) {
        if (label.OnXAxis)
            EXPECT_EQ(label.Top, 200 - 13 - 2) << label.Text;
        else
            EXPECT_EQ(label.Left, 2) << label.Text;
    }
}

TEST(AxisLabelsEdges, LabelsBesideVisibleAxes) {
    const ViewState view = View(-7.5L, 5, 0.05L, 0.05L);
    for (const AxisLabel& label : PlaceAxisLabels(view, 300, 200, Metrics(7))) {
        if (label.OnXAxis)
            EXPECT_EQ(label.Top, 100 + 3) << label.Text;
        else
            EXPECT_EQ(label.Left, 150 + 3) << label.Text;
    }
}

TEST(AxisLabelsEdges, UnusableViewsGiveNoLabels) {
    EXPECT_TRUE(PlaceAxisLabels(View(0, 0, 0, 0.05L), 300, 200, Metrics(7)).empty());
    EXPECT_TRUE(PlaceAxisLabels(View(0, 0, 0.05L, 0.05L), 0, 200, Metrics(7)).empty());
    EXPECT_TRUE(PlaceAxisLabels(View(HUGE_VALL, 0, 0.05L, 0.05L), 300, 200, Metrics(7)).empty());
}

}  // namespace
