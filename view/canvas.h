// The raster drawing surface of the picture: a 32-bit QImage with the drawing rules the plotting
// and the mouse tools rely on (GDI-like: end pixel of a line excluded, right and bottom edges of
// rectangles exclusive, XOR pen mode, dashed pen, flood fill bounded by a colour). Coordinates
// may lie anywhere in the 32-bit range; drawing is clipped without walking invisible pixels.
// A canvas of scale K holds K x K device pixels for each logical pixel: coordinates count device
// pixels, and a line, a point and a rectangle's outline are K pixels wide: each step of the
// one-pixel line rule becomes K pixels across the line (to the right of a vertical line, below
// a horizontal one), a point the K x K block to its right and below, a dash K times as long.
// Its image carries the scale as its device pixel ratio, so a QPainter on it draws logically.
#pragma once

#include <QImage>
#include <QPolygonF>
#include <cstdint>

#include "view/draw_surface.h"

class Canvas : public DrawSurface {
  public:
    Canvas() = default;
    // A picture of width x height logical pixels at `scale` (1..kMaxScale) device pixels each.
    Canvas(int width, int height, int scale = 1);

    static constexpr int kMaxScale = 4;

    // Smooth lines: the solid lines of the copy pen are drawn anti-aliased, one unbroken run of
    // them as one polyline, except a lone horizontal or vertical line, which stays as it is.
    // A run is drawn when anything else is drawn, at Flush, and every so many points; until
    // then Image() lacks it.
    void SetSmoothLines(bool on);
    bool SmoothLines() const { return smooth_; }
    void Flush() override;

    // A new picture of the given logical size (contents white, as a fresh bitmap); pen and
    // brush kept.
    void Resize(int width, int height, int scale = 1);
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    int Scale() const override { return scale_; }
    int LogicalWidth() const { return image_.width() / scale_; }
    int LogicalHeight() const { return image_.height() / scale_; }
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
    // with the brush, outline with the pen, both in the pen's mode. The rectangle's outline is
    // Scale() pixels wide, the ellipse's one pixel.
    void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    Colour Pixel(int32_t x, int32_t y) const;

  private:
    // Adds the line from the pen's place to (x, y) to the smooth run; false when the line is
    // drawn the plain way.
    QPointF SmoothPoint(int32_t x, int32_t y) const;
    bool SmoothLine(int32_t x, int32_t y);
    uint32_t* Row(int64_t y);
    static void Put(uint32_t* row, int64_t x, QRgb value, PenMode mode);
    // Pixels xFrom..xTo of row y, clipped to the picture.
    void Span(int64_t y, int64_t xFrom, int64_t xTo, QRgb value, PenMode mode);
    // The point's block at (x, y): Scale() x Scale() pixels, clipped.
    void Block(int64_t x, int64_t y, QRgb value, PenMode mode);
    // A step of a thick line: Scale() pixels across the line from (major, minor) on, clipped
    // across (the major coordinate lies in the picture), in the pen's mode.
    void Across(bool xMajor, int64_t major, int64_t minor, QRgb value);

    QImage image_;
    int scale_ = 1;
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
