// The drawing interface over a QPainter, for the SVG and PDF files and for printing. Pixel
// (x, y) of the raster picture is the unit square at (x, y); lines join pixel centres, so a
// vector picture lies on the raster one within a pixel. The lines of one unbroken run become one
// polyline, lone segments become lines, a filled rectangle stays a rectangle. XOR drawing (the
// marks of the mouse tools) is left out.
#pragma once

#include <QPainter>
#include <QPolygonF>
#include <optional>

#include "view/draw_surface.h"

class VectorSurface : public DrawSurface {
  public:
    // Draws into `painter`, whose coordinates are the picture's pixels; the surface clips to
    // the picture.
    VectorSurface(QPainter& painter, int width, int height);
    ~VectorSurface() override;
    VectorSurface(const VectorSurface&) = delete;
    VectorSurface& operator=(const VectorSurface&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }

    void SetBrushColour(Colour colour) override { brush_ = colour; }
    void SetPenColour(Colour colour) override;
    void SetPenMode(PenMode mode) override;
    void SetPenStyle(PenStyle style) override;

    void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    // Only the one case the background needs can be drawn as vectors: a picture filled with one
    // colour (other than `border`) is filled again with the brush. Anything else is left out.
    void FloodFill(int32_t x, int32_t y, Colour border) override;
    void MoveTo(int32_t x, int32_t y) override;
    void LineTo(int32_t x, int32_t y) override;
    void SetPixel(int32_t x, int32_t y, Colour colour) override;

    // Draws the run in progress; the destructor does it too.
    void Flush() override;
    // The painter, for drawing beside the surface (text): the run in progress drawn first.
    QPainter& Painter() {
        Flush();
        uniform_.reset();
        return painter_;
    }

  private:
    bool Drawing() const { return mode_ == PenMode::Copy; }
    QPen Pen() const;

    QPainter& painter_;
    const int width_;
    const int height_;
    Colour brush_ = kWhite;
    Colour pen_ = kBlack;
    PenMode mode_ = PenMode::Copy;
    PenStyle style_ = PenStyle::Solid;
    QPointF current_;
    QPolygonF run_;  // the current point and the points drawn to from it
    // The colour that covers the whole picture while nothing else has been drawn.
    std::optional<Colour> uniform_;
};

// The colour as Qt holds it.
QColor ToQColor(Colour colour);
