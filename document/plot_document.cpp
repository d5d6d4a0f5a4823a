// The one drawing of a document: frame, curves, legend. A single curve draws exactly what
// PlotCurve draws with the frame cleared first.
#include "document/plot_document.h"

#include "document/run_command.h"
#include "view/legend_painter.h"
#include "view/sequence_pictures.h"

DrawOptions FrameDrawOptions(const FrameOptions& frame) {
    DrawOptions options;
    options.BackgroundColour = frame.Background;
    options.Grid = frame.Grid;
    options.Axes = frame.Axes;
    options.GridColour = frame.GridColour;
    options.AxesColour = frame.AxesColour;
    options.BreakPoles = frame.BreakPoles;
    options.ClearFirst = true;
    return options;
}

DrawOptions CurveDrawOptions(const PlotDocument& document, const Curve& curve) {
    DrawOptions options = FrameDrawOptions(document.Frame);
    options.ClearFirst = false;
    options.LineColour = curve.LineColour;
    options.Lines = curve.Lines;
    options.BoundArgument = curve.BoundArgument;
    return options;
}

ViewState CurveView(const PlotDocument& document, const Curve& curve) {
    ViewState view = document.View;
    view.ArgumentFrom = curve.ArgumentFrom;
    view.ArgumentTo = curve.ArgumentTo;
    return view;
}

std::vector<LegendEntry> LegendEntries(const PlotDocument& document) {
    std::vector<LegendEntry> entries;
    for (const Curve& curve : document.Curves.Curves()) {
        if (curve.Visible) entries.push_back({curve.Expression, curve.LineColour, curve.Lines});
    }
    return entries;
}

namespace {

int64_t SamplesPerCurve(const PlotDocument& document, int width) {
    return int64_t{std::max(width, 1)} * std::max<int32_t>(document.View.SamplesPerPixel, 1);
}

}  // namespace

int64_t ExpectedSamples(const PlotDocument& document, int width) {
    const int64_t curves = std::max<int64_t>(int64_t(document.Curves.VisibleCount()), 1);
    return curves * SamplesPerCurve(document, width);
}

PictureOutcome DrawDocument(DrawSurface& surface, const PlotDocument& document,
                            const SampleControl& control) {
    DrawFrame(surface, document.View, FrameDrawOptions(document.Frame));
    PictureOutcome outcome;
    // The progress runs on across the curves: each one reports after those before it.
    SampleControl each = control;
    const int64_t perCurve = SamplesPerCurve(document, surface.Width());
    int64_t before = 0;
    if (control.Progress) {
        each.Progress = [&control, &before](int64_t done) { control.Progress(before + done); };
    }
    for (const Curve& curve : document.Curves.Curves()) {
        if (!curve.Visible || curve.Built == nullptr) continue;
        if (control.Stopped()) break;
        Engine engine = *curve.Built;
        const PictureOutcome drawn =
            DrawPicture(surface, engine, CurveView(document, curve),
                        CurveDrawOptions(document, curve), document.Mode, document.SequenceX, each);
        outcome.UsesX = outcome.UsesX || drawn.UsesX;
        outcome.CobwebNeedsMap = outcome.CobwebNeedsMap || drawn.CobwebNeedsMap;
        before += perCurve;
    }
    const bool graph = document.Mode == PictureMode::Graph;
    if (graph && document.Shading && document.Shading->Built != nullptr) {
        DrawShadedArea(surface, document.View, document.Shading->Area, *document.Shading->Built);
    }
    if (graph && document.Tangent) DrawTangentLine(surface, document.View, *document.Tangent);
    if (document.Legend) {
        DrawLegend(surface, LegendEntries(document), document.Frame.Background);
    }
    // The curves' held-back smooth lines go down before the markers that lie over them.
    surface.Flush();
    if (graph) DrawPointMarkers(surface, document.View, document.Points);
    surface.Flush();
    return outcome;
}

std::string DocumentTitle(const PlotDocument& document) {
    std::string title;
    for (const Curve& curve : document.Curves.Curves()) {
        if (!curve.Visible) continue;
        if (!title.empty()) title += ", ";
        title += curve.Expression;
    }
    return title;
}

void FinishDocumentRun(Engine& engine, const PlotDocument& document, bool drawRunOver,
                       const DrawOptions& options, DrawSurface& surface, RunOutcome& outcome,
                       const SampleControl& control, PictureOutcome* drawn) {
    FinishRunWith(engine, outcome, control, [&] {
        const PictureOutcome picture = DrawDocument(surface, document, control);
        if (drawn != nullptr) *drawn = picture;
        if (drawRunOver && !control.Stopped()) {
            DrawOptions over = options;
            over.ClearFirst = false;
            Engine copy = engine;
            DrawCurve(surface, copy, document.View, over, control);
            surface.Flush();
        }
    });
}

std::vector<ColumnSource> VisibleColumns(const PlotDocument& document) {
    std::vector<ColumnSource> columns;
    for (const Curve& curve : document.Curves.Curves()) {
        if (curve.Visible && curve.Built != nullptr)
            columns.push_back({curve.Expression, curve.Built});
    }
    return columns;
}
