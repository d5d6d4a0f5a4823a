// The raster drawing surface of the picture: a 32-bit QImage with the drawing rules the plotting
// and the mouse tools rely on (GDI-like: end pixel of a line excluded, right and bottom edges of
// rectangles exclusive, XOR pen mode, dashed pen, flood fill bounded by a colour). Coordinates
// may lie anywhere in the 32-bit range; drawing is clipped without walking invisible pixels.
#pragma once

#include <QImage>
#include <QPolygonF>
#include <cstdint>

#include "view/draw_surface.h"

class Canvas : public DrawSurface {
  public:
    Canvas() = default;
    Canvas(int width, int height);

    // Smooth lines: the solid lines of the copy pen are drawn anti-aliased, one unbroken run of
    // them as one polyline, except a lone horizontal or vertical line, which stays as it is.
    // A run is drawn when anything else is drawn, at Flush, and every so many points; until
    // then Image() lacks it.
    void SetSmoothLines(bool on);
    bool SmoothLines() const { return smooth_; }
    void Flush() override;

    // A new picture of the given size (contents white, as a fresh bitmap); pen and brush kept.
    void Resize(int width, int height);
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    const QImage& Image() const { return image_; }
    // The image for a QPainter that draws over the picture (text); the size must stay.
    QImage& ImageForPainting() {
        Flush();
        return image_;
    }

    void SetBrushColour(Colour colour) override { brush_ = colour; }
    Colour BrushColour() const { return brush_; }
    void SetPenColour(Colour colour) override {
        if (colour != pen_) Flush();
        pen_ = colour;
    }
    Colour PenColour() const { return pen_; }
    void SetPenMode(PenMode mode) override {
        Flush();
        mode_ = mode;
    }
    PenMode Mode() const { return mode_; }
    // A new style starts its dash pattern afresh, as does MoveTo; consecutive LineTo calls
    // continue it. The gaps of a dashed line leave the picture as it was.
    void SetPenStyle(PenStyle style) override;
    PenStyle Style() const { return style_; }

    // Fills x1..x2-1 by y1..y2-1 with the brush (always copy mode).
    void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    // Paints with the brush the 4-connected region around (x, y) holding no pixel of `border`.
    void FloodFill(int32_t x, int32_t y, Colour border) override;
    void MoveTo(int32_t x, int32_t y) override;
    // Bresenham line from the current point to (x, y), end pixel excluded, in the pen's mode and
    // style; (x, y) becomes the current point.
    void LineTo(int32_t x, int32_t y) override;
    void SetPixel(int32_t x, int32_t y, Colour colour) override;
    // Ellipse and rectangle in the box x1..x2-1 by y1..y2-1 (corners in any order): interior
    // with the brush, outline with the pen, both in the pen's mode.
    void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    Colour Pixel(int32_t x, int32_t y) const;

  private:
    // Adds the line from the pen's place to (x, y) to the smooth run; false when the line is
    // drawn the plain way.
    bool SmoothLine(int32_t x, int32_t y);
    uint32_t* Row(int64_t y);
    static void Put(uint32_t* row, int64_t x, QRgb value, PenMode mode);
    // Pixels xFrom..xTo of row y, clipped to the picture.
    void Span(int64_t y, int64_t xFrom, int64_t xTo, QRgb value, PenMode mode);

    QImage image_;
    Colour brush_ = kWhite;
    Colour pen_ = kBlack;
    PenMode mode_ = PenMode::Copy;
    PenStyle style_ = PenStyle::Solid;
    int32_t penX_ = 0;
    int32_t penY_ = 0;
    int32_t dashPhase_ = 0;
    bool smooth_ = false;
    QPolygonF run_;  // the smooth run's points, at pixel centres
};
