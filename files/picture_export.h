// The picture in every format the program writes: BMP and PNG from the raster picture, SVG and
// PDF drawn again through the vector surface at the picture's size in pixels (96 dots per inch;
// the PDF page is exactly the picture). Saving goes through the same checked whole-file write
// as every other file. The raster formats are written row by row as they are made, so a large
// picture is held once (the raster) and never a second time as its file's bytes.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "files/file_access.h"
#include "files/picture_format.h"
#include "view/draw_surface.h"

struct PictureFormatInfo {
    PictureFormat Format;
    const char* Name;       // "bmp", as --format takes it
    const char* Extension;  // ".bmp"
};

// In the order the save dialog offers them.
const std::array<PictureFormatInfo, 4>& PictureFormats();
const PictureFormatInfo& InfoOf(PictureFormat format);
// The format whose extension the name ends with, in any letter case.
std::optional<PictureFormat> PictureFormatOfName(const QString& path);
// The format called `name` ("bmp", "png", "svg", "pdf").
std::optional<PictureFormat> PictureFormatNamed(const std::string& name);

// Draws the picture through the surface it is given (the background, grid, axes and curve).
using PictureDrawing = std::function<void(DrawSurface&)>;

inline constexpr int kPictureDotsPerInch = 96;

// The picture as a 24-bit Windows bitmap of its own size.
QByteArray PictureBmpBytes(const QImage& picture);
QByteArray PicturePngBytes(const QImage& picture);
QByteArray PictureSvgBytes(QSize size, const PictureDrawing& draw);
QByteArray PicturePdfBytes(QSize size, const PictureDrawing& draw);
// The bytes of the picture in `format`: the raster picture (all its device pixels) for BMP and
// PNG, `draw` at the raster picture's logical size for SVG and PDF.
QByteArray PictureBytes(PictureFormat format, const QImage& raster, const PictureDrawing& draw);
// The same bytes handed to `write` as they are made (SVG and PDF, which hold the drawing and not
// its pixels, are made whole first). False when a write failed.
bool WritePicture(PictureFormat format, const QImage& raster, const PictureDrawing& draw,
                  const ByteWriter& write);

// Writes the picture to `path` (the extension already applied); a never-drawn picture writes
// nothing.
FileResult SavePictureAs(const QString& path, PictureFormat format, const QImage& raster,
                         const PictureDrawing& draw);
