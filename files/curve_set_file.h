// The curve set file (.tvkset): JSON in UTF-8, one object
//   {"format": "tarvik-curves", "version": 1, "view": {...}, "curves": [{...}, ...]}
// with every number a string in the number text, written to round back to the bit. "view" holds
// originX, originY, pixelSizeX, pixelSizeY, samplesPerPixel, background ("#rrggbb"), grid, axes
// and breakPoles; each curve expression, colour, mode ("lines" or "points"), visible, n0, nk,
// a0, c, bound, xFrom and xTo. A missing optional key takes its default; "expression" is
// required.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

#include "document/plot_document.h"
#include "files/curve_set_refusal.h"
#include "files/file_access.h"

inline constexpr const char* kCurveSetFormat = "tarvik-curves";
inline constexpr int kCurveSetVersion = 1;
inline const QString kCurveSetExtension = QStringLiteral(".tvkset");

// "#rrggbb" of a colour, and the colour of such a text.
std::string ColourText(Colour colour);
bool ParseColourText(std::string_view text, Colour& colour);

QByteArray CurveSetFileBytes(const PlotDocument& document);
// Reads a set into `document` (its curves, view and frame); on a refusal the document is left
// as it was.
SetFileRefusal ParseCurveSetFile(const QByteArray& bytes, PlotDocument& document);
// Writes through the safe writer.
FileResult SaveCurveSetFile(const QString& path, const PlotDocument& document);
