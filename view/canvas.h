// The raster drawing surface of the picture: a 32-bit QImage with the drawing rules the plotting
// and the mouse tools rely on (GDI-like: end pixel of a line excluded, right and bottom edges of
// rectangles exclusive, XOR pen mode, dashed pen, flood fill bounded by a colour). Coordinates
// may lie anywhere in the 32-bit range; drawing is clipped without walking invisible pixels.
#pragma once

#include <QImage>
#include <cstdint>

// A 24-bit colour with red in the low byte: 0x00BBGGRR (yellow is 0x00FFFF).
using Colour = uint32_t;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kYellow = 0x00FFFF;
inline constexpr Colour kGrey = 0x808080;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kGreen = 0x008000;
// What Pixel answers for a point outside the picture.
inline constexpr Colour kInvalidColour = 0xFFFFFFFF;

enum class PenMode { Copy, Xor };
enum class PenStyle { Solid, Dashed };

class Canvas {
  public:
    Canvas() = default;
    Canvas(int width, int height);

    // A new picture of the given size (contents white, as a fresh bitmap); pen and brush kept.
    void Resize(int width, int height);
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    const QImage& Image() const { return image_; }

    void SetBrushColour(Colour colour) { brush_ = colour; }
    Colour BrushColour() const { return brush_; }
    void SetPenColour(Colour colour) { pen_ = colour; }
    Colour PenColour() const { return pen_; }
    void SetPenMode(PenMode mode) { mode_ = mode; }
    PenMode Mode() const { return mode_; }
    // A new style starts its dash pattern afresh, as does MoveTo; consecutive LineTo calls
    // continue it. The gaps of a dashed line leave the picture as it was.
    void SetPenStyle(PenStyle style);
    PenStyle Style() const { return style_; }

    // Fills x1..x2-1 by y1..y2-1 with the brush (always copy mode).
    void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Paints with the brush the 4-connected region around (x, y) holding no pixel of `border`.
    void FloodFill(int32_t x, int32_t y, Colour border);
    void MoveTo(int32_t x, int32_t y);
    // Bresenham line from the current point to (x, y), end pixel excluded, in the pen's mode and
    // style; (x, y) becomes the current point.
    void LineTo(int32_t x, int32_t y);
    void SetPixel(int32_t x, int32_t y, Colour colour);
    // Ellipse and rectangle in the box x1..x2-1 by y1..y2-1 (corners in any order): interior
    // with the brush, outline with the pen, both in the pen's mode.
    void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    Colour Pixel(int32_t x, int32_t y) const;

  private:
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
};
