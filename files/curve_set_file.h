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
#include "files/file_access.h"

inline constexpr const char* kCurveSetFormat = "tarvik-curves";
inline constexpr int kCurveSetVersion = 1;
inline const QString kCurveSetExtension = QStringLiteral(".tvkset");

enum class SetFileError {
    None,
    Syntax,          // not JSON: Line and Column tell where reading stopped
    NotAnObject,     // JSON, but not one object with a list of curves
    UnknownFormat,   // "format" is not "tarvik-curves"
    UnknownVersion,  // "version" is not one this program reads
    BadValue,        // Key holds a value of the wrong kind, or a number text that is not one
    BadExpression,   // a curve's expression does not build: Code tells why
};

struct SetFileRefusal {
    SetFileError Error = SetFileError::None;
    int Line = 0;
    int Column = 0;
    int Curve = 0;    // 1-based; 0 for the view and the file's own keys
    std::string Key;  // the key whose value was refused
    int32_t Code = 0;
    bool Ok() const { return Error == SetFileError::None; }
};

// "#rrggbb" of a colour, and the colour of such a text.
std::string ColourText(Colour colour);
bool ParseColourText(std::string_view text, Colour& colour);

QByteArray CurveSetFileBytes(const PlotDocument& document);
// Reads a set into `document` (its curves, view and frame); on a refusal the document is left
// as it was.
SetFileRefusal ParseCurveSetFile(const QByteArray& bytes, PlotDocument& document);
// Writes through the safe writer.
FileResult SaveCurveSetFile(const QString& path, const PlotDocument& document);
