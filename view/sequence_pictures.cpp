// Terms and cobweb pictures. World points far outside the picture are brought to 2^30 pixels
// away before rounding, so that every position fits the canvas's coordinates.
#include "view/sequence_pictures.h"

#include <algorithm>
#include <cmath>

#include "engine/evaluator.h"

namespace {

int32_t Clamped(ExtendedReal position) {
    if (std::isnan(position)) return 0;
    return RoundToPixel(std::clamp(position, -kFarPixels, kFarPixels));
}

int32_t Column(const ViewState& view, ExtendedReal x) {
    return Clamped((x - view.ViewOriginX) / view.PixelSizeX);
}

int32_t Row(const ViewState& view, ExtendedReal y) {
    return Clamped((view.ViewOriginY - y) / view.PixelSizeY);
}

// The background as the graph has it, and whether there is a picture to draw on.
bool Prepare(DrawSurface& canvas, const Engine& engine, const ViewState& view,
             const DrawOptions& options) {
    canvas.SetPenMode(PenMode::Copy);
    if (options.ClearFirst) DrawBackground(canvas, view, options);
    if (engine.LastBuildError != kNoError) return false;
    if (canvas.Width() <= 0 || canvas.Height() <= 0) return false;
    RequireUsableView(view);
    return true;
}

// The curve y = f(a): one single-step evaluation per sample with a as the sample's abscissa.
void DrawMapCurve(DrawSurface& canvas, const Engine& source, const ViewState& view,
                  const DrawOptions& options, ExtendedReal x) {
    Engine engine = source;
    const int64_t samplesPerPixel = std::max<int32_t>(view.SamplesPerPixel, 1);
    const int64_t samples = int64_t{canvas.Width()} * samplesPerPixel;
    const ExtendedReal step = view.PixelSizeX / ExtendedReal(samplesPerPixel);
    canvas.SetPenColour(options.LineColour);
    bool penDown = false;
    for (int64_t i = 0; i <= samples; ++i) {
        const ExtendedReal a = view.ViewOriginX + ExtendedReal(i) * step;
        engine.ValueA = a;
        ExtendedReal value = 0;
        if (!EvaluateSequence(engine, x, value) || engine.EngineError != kNoError) {
            penDown = false;
            continue;
        }
        const int32_t column = Column(view, a);
        const int32_t row = Row(view, value);
        if (!options.Lines) {
            canvas.SetPixel(column, row, options.LineColour);
        } else if (penDown) {
            canvas.LineTo(column, row);
        } else {
            canvas.MoveTo(column, row);
            penDown = true;
        }
    }
}

void DrawDiagonal(DrawSurface& canvas, const ViewState& view) {
    const ExtendedReal left = view.ViewOriginX;
    const ExtendedReal right = view.ViewOriginX + canvas.Width() * view.PixelSizeX;
    canvas.SetPenColour(kDiagonalColour);
    canvas.MoveTo(Column(view, left), Row(view, left));
    canvas.LineTo(Column(view, right), Row(view, right));
}

void DrawStaircase(DrawSurface& canvas, const ViewState& view, const TermList& terms) {
    const auto vertices = CobwebVertices(terms);
    if (vertices.size() < 2) return;
    canvas.SetPenColour(kStaircaseColour);
    canvas.MoveTo(Column(view, vertices[0].first), Row(view, vertices[0].second));
    for (size_t k = 1; k < vertices.size(); ++k) {
        canvas.LineTo(Column(view, vertices[k].first), Row(view, vertices[k].second));
    }
}

}  // namespace

std::vector<std::pair<ExtendedReal, ExtendedReal>> CobwebVertices(const TermList& terms) {
    std::vector<std::pair<ExtendedReal, ExtendedReal>> vertices;
    vertices.reserve(2 * terms.Terms.size() + 1);
    ExtendedReal previous = terms.InitialValue;
    vertices.emplace_back(previous, 0);
    for (const ExtendedReal term : terms.Terms) {
        vertices.emplace_back(previous, term);
        vertices.emplace_back(term, term);
        previous = term;
    }
    return vertices;
}

void DrawTerms(DrawSurface& canvas, const ViewState& logical, const DrawOptions& options,
               const TermList& terms) {
    const ViewState view = DeviceView(logical, canvas.Scale());
    const auto point = [&](size_t k) {
        const ExtendedReal n = ExtendedReal(int64_t{terms.FirstIndex} + int64_t(k));
        return std::pair{Column(view, n), Row(view, terms.Terms[k])};
    };
    if (options.Lines && !terms.Terms.empty()) {
        canvas.SetPenColour(options.LineColour);
        const auto [column, row] = point(0);
        canvas.MoveTo(column, row);
        for (size_t k = 1; k < terms.Terms.size(); ++k) {
            const auto [nextColumn, nextRow] = point(k);
            canvas.LineTo(nextColumn, nextRow);
        }
    }
    canvas.SetBrushColour(options.LineColour);
    // Three logical pixels square, the term's pixel in the middle.
    const int32_t unit = canvas.Scale();
    for (size_t k = 0; k < terms.Terms.size(); ++k) {
        const auto [column, row] = point(k);
        canvas.FillRect(column - unit, row - unit, column + 2 * unit, row + 2 * unit);
    }
}

void DrawCobweb(DrawSurface& canvas, const Engine& engine, const ViewState& logical,
                const DrawOptions& options, ExtendedReal x) {
    const ViewState view = DeviceView(logical, canvas.Scale());
    DrawMapCurve(canvas, engine, view, options, x);
    DrawDiagonal(canvas, view);
    DrawStaircase(canvas, view, ComputeTerms(engine, x));
}

PictureOutcome DrawPicture(DrawSurface& canvas, Engine& engine, const ViewState& view,
                           const DrawOptions& options, PictureMode mode, ExtendedReal x,
                           const SampleControl& control) {
    PictureOutcome outcome;
    if (mode == PictureMode::Graph) {
        outcome.UsesX = PlotCurve(canvas, engine, view, options, control);
        return outcome;
    }
    outcome.UsesX = engine.LastBuildError == kNoError && engine.UsesX;
    if (!Prepare(canvas, engine, view, options)) return outcome;
    if (mode == PictureMode::Terms) {
        DrawTerms(canvas, view, options, ComputeTerms(engine, x));
    } else if (engine.UsesN) {
        outcome.CobwebNeedsMap = true;
    } else {
        DrawCobweb(canvas, engine, view, options, x);
    }
    return outcome;
}
