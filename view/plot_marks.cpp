// The marks over the curves, painted with a QPainter over the canvas's image or the vector
// surface's painter, so that the window, the files and the printer show the same.
#include "view/plot_marks.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <vector>

#include "engine/evaluator.h"
#include "view/canvas.h"
#include "view/vector_surface.h"

namespace {

// Pixel coordinates far outside the picture are held here, so that the painter's arithmetic
// stays exact and a line keeps its direction across the picture.
constexpr ExtendedReal kFarPixel = 1.0e6L;

qreal ClampedPixel(ExtendedReal value) {
    if (std::isnan(value)) return 0;
    return static_cast<qreal>(std::clamp(value, -kFarPixel, kFarPixel));
}

qreal RowOf(const ViewState& view, ExtendedReal y) {
    return ClampedPixel((view.ViewOriginY - y) / view.PixelSizeY);
}

qreal ColumnOf(const ViewState& view, ExtendedReal x) {
    return ClampedPixel((x - view.ViewOriginX) / view.PixelSizeX);
}

// Runs `paint` with a painter over the surface: the canvas's image or the vector painter.
template <class Paint>
void WithPainter(DrawSurface& surface, Paint paint) {
    if (surface.Width() <= 0 || surface.Height() <= 0) return;
    if (auto* canvas = dynamic_cast<Canvas*>(&surface)) {
        QPainter painter(&canvas->ImageForPainting());
        painter.setClipRect(0, 0, canvas->Width(), canvas->Height());
        paint(painter);
        return;
    }
    if (auto* vector = dynamic_cast<VectorSurface*>(&surface)) {
        QPainter& painter = vector->Painter();
        painter.save();
        painter.setClipRect(0, 0, vector->Width(), vector->Height());
        paint(painter);
        painter.restore();
    }
}

QColor WithAlpha(Colour colour, int alpha) {
    QColor shade = ToQColor(colour);
    shade.setAlpha(alpha);
    return shade;
}

}  // namespace

MarkerPixel MarkerPlace(const ViewState& view, const PointOfInterest& point) {
    const ExtendedReal y = point.Kind == PointKind::Zero ? 0 : point.Y;
    return {static_cast<int32_t>(std::lround(ColumnOf(view, point.X))),
            static_cast<int32_t>(std::lround(RowOf(view, y)))};
}

std::optional<size_t> MarkerAt(const ViewState& view, const std::vector<PointMarker>& markers,
                               int32_t x, int32_t y) {
    std::optional<size_t> nearest;
    int64_t best = int64_t{kMarkerReach} * kMarkerReach;
    for (size_t i = 0; i < markers.size(); ++i) {
        const MarkerPixel place = MarkerPlace(view, markers[i].Point);
        const int64_t dx = int64_t{place.Column} - x;
        const int64_t dy = int64_t{place.Row} - y;
        const int64_t distance = dx * dx + dy * dy;
        if (distance <= best) {
            if (!nearest || distance < best) nearest = i;
            best = distance;
        }
    }
    return nearest;
}

void DrawPointMarkers(DrawSurface& surface, const ViewState& view,
                      const std::vector<PointMarker>& markers) {
    if (markers.empty()) return;
    WithPainter(surface, [&](QPainter& painter) {
        painter.setBrush(Qt::NoBrush);
        for (const PointMarker& marker : markers) {
            const MarkerPixel place = MarkerPlace(view, marker.Point);
            painter.setPen(QPen(ToQColor(marker.MarkerColour), 1.5));
            painter.drawEllipse(QPointF(place.Column, place.Row), kMarkerRadius, kMarkerRadius);
        }
    });
}

std::string PointNumberText(ExtendedReal value, int32_t digits) {
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                                       std::clamp(digits, 1, kAllDigits));
    return std::string(text, written.ptr);
}

void DrawTangentLine(DrawSurface& surface, const ViewState& view, const TangentLine& tangent) {
    if (!std::isfinite(tangent.Slope) || !std::isfinite(tangent.Offset)) return;
    const int width = surface.Width();
    WithPainter(surface, [&](QPainter& painter) {
        const ExtendedReal left = ColumnToWorldX(view, 0);
        const ExtendedReal right = ColumnToWorldX(view, width);
        const QPointF from(0, RowOf(view, tangent.Slope * left + tangent.Offset));
        const QPointF to(width, RowOf(view, tangent.Slope * right + tangent.Offset));
        painter.setPen(QPen(ToQColor(tangent.LineColour), 1));
        painter.drawLine(from, to);
    });
}

void DrawShadedArea(DrawSurface& surface, const ViewState& view, const ShadedArea& area,
                    const Engine& engine) {
    const ExtendedReal low = std::min(area.From, area.To);
    const ExtendedReal high = std::max(area.From, area.To);
    if (!(low < high)) return;
    const int32_t first = std::max(WorldXToColumn(view, low), 0);
    const int32_t last = std::min(WorldXToColumn(view, high), surface.Width() - 1);
    if (first > last) return;
    const qreal axis = RowOf(view, 0);
    const int32_t count = last - first + 1;
    std::vector<ExtendedReal> xs(static_cast<size_t>(count));
    std::vector<ExtendedReal> ys(xs.size());
    const std::unique_ptr<bool[]> ok(new bool[xs.size()]);
    for (int32_t i = 0; i < count; ++i) xs[size_t(i)] = ColumnToWorldX(view, first + i);
    Engine copy = engine;
    EvaluateSamples(copy, xs.data(), count, ys.data(), ok.get());
    // One polygon above the axis and one below, each along the axis where the other lies.
    QPolygonF above{QPointF(first, axis)};
    QPolygonF below{QPointF(first, axis)};
    for (int32_t i = 0; i < count; ++i) {
        const size_t at = size_t(i);
        const qreal row = ok[at] && std::isfinite(ys[at]) ? RowOf(view, ys[at]) : axis;
        for (const qreal edge : {qreal(first + i), qreal(first + i + 1)}) {
            above << QPointF(edge, std::min(row, axis));
            below << QPointF(edge, std::max(row, axis));
        }
    }
    above << QPointF(last + 1, axis);
    below << QPointF(last + 1, axis);
    WithPainter(surface, [&](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(WithAlpha(area.ShadeColour, kShadeAlpha));
        painter.drawPolygon(above);
        painter.drawPolygon(below);
        // Below the axis the hatching tells the negative part apart.
        QBrush hatch(WithAlpha(area.ShadeColour, 2 * kShadeAlpha), Qt::BDiagPattern);
        painter.setBrush(hatch);
        painter.drawPolygon(below);
    });
}
