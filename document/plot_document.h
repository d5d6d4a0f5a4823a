// What a picture is drawn from: the curves, the view, the frame (background, grid, axes), the
// picture mode and the sequence argument, and the legend. The window, its background work, every
// export and the command-line companion draw it through DrawDocument alone.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/sample_stream.h"
#include "calc/sequence_table.h"
#include "document/curve_set.h"
#include "document/run_outcome.h"
#include "engine/engine_state.h"
#include "view/drawing.h"
#include "view/legend_painter.h"
#include "view/picture_mode.h"
#include "view/plot_marks.h"
#include "view/view_state.h"

struct FrameOptions {
    Colour Background = kBlack;
    bool Grid = true;
    bool Axes = true;
    // Leave out the segments across a pole (lines only), for every curve.
    bool BreakPoles = false;
    // The frame's lines (the printed page has its own).
    Colour GridColour = kGrey;
    Colour AxesColour = kWhite;

    bool operator==(const FrameOptions&) const = default;
};

// The integral's shading: the area, and the curve's engine it is sampled from.
struct DocumentShading {
    ShadedArea Area;
    std::shared_ptr<const Engine> Built;
};

struct PlotDocument {
    CurveSet Curves;
    // The run of the window's fields: the parameters the next run starts from and the tree of
    // the last build, which the value, derivative and integral commands use. Selecting a curve
    // brings in its own; no drawing reads it.
    Engine RunEngine;
    ViewState View;
    FrameOptions Frame;
    PictureMode Mode = PictureMode::Graph;
    ExtendedReal SequenceX = 0;
    bool Legend = false;
    // Over the curves of the graph: the shaded integral, the tangent, and (last, over the
    // legend) the points of interest.
    std::optional<DocumentShading> Shading;
    std::optional<TangentLine> Tangent;
    std::vector<PointMarker> Points;
};

// The drawing options of one curve of the document, and the view with its argument bound.
DrawOptions CurveDrawOptions(const PlotDocument& document, const Curve& curve);
ViewState CurveView(const PlotDocument& document, const Curve& curve);
// The frame's options as the drawing reads them (no curve).
DrawOptions FrameDrawOptions(const FrameOptions& frame);

// The legend's entries: the visible curves in order.
std::vector<LegendEntry> LegendEntries(const PlotDocument& document);

// The frame, then every visible curve in list order in its colour and mode (in the chosen
// picture mode), then in the graph the shading and the tangent, the legend when it is on, and
// in the graph the points of interest. A stop ends it after the curve it stopped.
// Raises DrawingOverflow as PlotCurve does. UsesX: some curve drawn uses x; CobwebNeedsMap: a
// cobweb was asked of a curve in n.
PictureOutcome DrawDocument(DrawSurface& surface, const PlotDocument& document,
                            const SampleControl& control = SampleControl{});

// The samples a draw of the document computes at most, for a progress share.
int64_t ExpectedSamples(const PlotDocument& document, int width);

// The function table's value columns: one per visible curve in list order, headed by its
// expression.
std::vector<ColumnSource> VisibleColumns(const PlotDocument& document);

// The picture's title: the visible curves' expressions, joined by ", ".
std::string DocumentTitle(const PlotDocument& document);

// The plot and outcome of a run whose build BeginRun made into `engine`: the document is drawn
// (and, when `drawRunOver`, the run's own tree over it with `options`, for a run that adds no
// curve), then the outcome as FinishRun gives it.
void FinishDocumentRun(Engine& engine, const PlotDocument& document, bool drawRunOver,
                       const DrawOptions& options, DrawSurface& surface, RunOutcome& outcome,
                       const SampleControl& control, PictureOutcome* drawn = nullptr);
