// The drawing interface that the background, grid, axes, bound markers and curve are drawn
// through: the raster canvas of the window and the vector surface of the SVG, PDF and print
// outputs implement it with the same pixel coordinates.
#pragma once

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

class DrawSurface {
  public:
    virtual ~DrawSurface() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Device pixels to a logical pixel along each side: Width and Height count device pixels,
    // the view is drawn onto them, and a line or a point is Scale() pixels wide.
    virtual int Scale() const { return 1; }

    virtual void SetBrushColour(Colour colour) = 0;
    virtual void SetPenColour(Colour colour) = 0;
    virtual void SetPenMode(PenMode mode) = 0;
    // A new style starts its dash pattern afresh, as does MoveTo.
    virtual void SetPenStyle(PenStyle style) = 0;

    // Fills x1..x2-1 by y1..y2-1 with the brush.
    virtual void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
    // Paints with the brush the region around (x, y) that holds no pixel of `border`.
    virtual void FloodFill(int32_t x, int32_t y, Colour border) = 0;
    virtual void MoveTo(int32_t x, int32_t y) = 0;
    // A line from the current point to (x, y), end pixel excluded; (x, y) becomes current.
    virtual void LineTo(int32_t x, int32_t y) = 0;
    virtual void SetPixel(int32_t x, int32_t y, Colour colour) = 0;
    // Draws what a surface may hold back (runs of lines) now.
    virtual void Flush() {}

  protected:
    DrawSurface() = default;
    DrawSurface(const DrawSurface&) = default;
    DrawSurface& operator=(const DrawSurface&) = default;
};
