// The vector surface: pixel coordinates onto a QPainter, runs of lines as polylines.
#include "view/vector_surface.h"

#include <QPen>

namespace {

// The raster's dash, 18 pixels drawn and 6 left out, in units of the one-pixel pen width: the
// square caps add half a pixel at each end of a dash.
const QList<qreal> kDashPattern = {17, 7};

QPointF Centre(int32_t x, int32_t y) {
    return {qreal(x) + 0.5, qreal(y) + 0.5};
}

}  // namespace

QColor ToQColor(Colour colour) {
    return QColor(int(colour & 0xFFu), int((colour >> 8) & 0xFFu), int((colour >> 16) & 0xFFu));
}

VectorSurface::VectorSurface(QPainter& painter, int width, int height)
    : painter_(painter), width_(width), height_(height) {
    painter_.save();
    painter_.setClipRect(QRectF(0, 0, width, height), Qt::IntersectClip);
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

VectorSurface::~VectorSurface() {
    Flush();
    painter_.restore();
}

QPen VectorSurface::Pen() const {
    // A square cap covers the whole first pixel of a line, as the raster does.
    QPen pen(ToQColor(pen_), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    if (style_ == PenStyle::Dashed) {
        pen.setDashPattern(kDashPattern);
        pen.setDashOffset(0);
    }
    return pen;
}

void VectorSurface::Flush() {
    if (run_.size() >= 2) {
        painter_.setPen(Pen());
        painter_.setBrush(Qt::NoBrush);
        if (run_.size() == 2) {
            painter_.drawLine(run_[0], run_[1]);
        } else {
            painter_.drawPolyline(run_);
        }
        uniform_.reset();
    }
    run_.clear();
}

void VectorSurface::SetPenColour(Colour colour) {
    if (colour == pen_) return;
    Flush();
    pen_ = colour;
}

void VectorSurface::SetPenMode(PenMode mode) {
    Flush();
    mode_ = mode;
}

void VectorSurface::SetPenStyle(PenStyle style) {
    Flush();
    style_ = style;
}

void VectorSurface::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    Flush();
    if (x2 <= x1 || y2 <= y1) return;
    const QRectF area(qreal(x1), qreal(y1), qreal(x2) - qreal(x1), qreal(y2) - qreal(y1));
    painter_.fillRect(area, ToQColor(brush_));
    if (area.contains(QRectF(0, 0, width_, height_))) {
        uniform_ = brush_;
    } else {
        uniform_.reset();
    }
}

void VectorSurface::FloodFill(int32_t x, int32_t y, Colour border) {
    Flush();
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    if (!uniform_ || *uniform_ == border) return;
    painter_.fillRect(QRectF(0, 0, width_, height_), ToQColor(brush_));
    uniform_ = brush_;
}

void VectorSurface::MoveTo(int32_t x, int32_t y) {
    Flush();
    current_ = Centre(x, y);
}

void VectorSurface::LineTo(int32_t x, int32_t y) {
    const QPointF to = Centre(x, y);
    if (to == current_) return;  // a line of no length draws nothing on the raster either
    if (Drawing()) {
        if (run_.isEmpty()) run_ << current_;
        run_ << to;
    }
    current_ = to;
}

void VectorSurface::SetPixel(int32_t x, int32_t y, Colour colour) {
    Flush();
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    painter_.fillRect(QRectF(x, y, 1, 1), ToQColor(colour));
    uniform_.reset();
}
