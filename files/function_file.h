// The function file: an expression with the parameters needed to draw and walk it again, kept
// as nine lines of code page 1251 text ended by CR LF, or eleven when the argument is bounded:
// expression, scale X, scale Y, samples per pixel, first index, last index, a0, c, bounded (1/0),
// and then the lower and upper argument bounds as typed.
#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine_state.h"
#include "files/file_access.h"
#include "view/view_state.h"

inline constexpr std::string_view kFunctionFileExtension = ".tvk";
// A load reads at most this much of a file; the lines it needs are far shorter.
inline constexpr std::size_t kFunctionFileReadLimit = 1 << 20;
// The longest line a load takes: twice what the expression box and the bound fields can hold.
inline constexpr std::size_t kFunctionFileLineLimit = 1 << 16;

// Texts are UTF-8 here; the file holds them in code page 1251.
struct FunctionFile {
    std::string Expression;
    ExtendedReal PixelSizeX = 0;
    ExtendedReal PixelSizeY = 0;
    int32_t SamplesPerPixel = 0;
    int32_t IndexFrom = 0;
    int32_t IndexTo = 0;
    ExtendedReal ValueA = 0;
    ExtendedReal ConstantC = 0;
    bool Bounded = false;
    // Only when Bounded: the two bound fields' texts and, after a load, their values.
    std::string LowerBoundText;
    std::string UpperBoundText;
    ExtendedReal ArgumentFrom = 0;
    ExtendedReal ArgumentTo = 0;
};

// What a save writes: the expression box's text, the values in force, the check box and the
// texts standing in the two bound fields.
FunctionFile FunctionFileFromState(const ViewState& view, const Engine& engine,
                                   std::string_view expression, bool bounded,
                                   std::string_view lowerBoundText,
                                   std::string_view upperBoundText);

// The file's bytes. A control byte but Tab inside a text (a line break, the end-of-file byte)
// becomes a blank, so that the file always reads back as the same lines.
std::string FunctionFileBytes(const FunctionFile& file);

// Why a file is refused: it cannot be read, or the first of its lines that fails.
enum class LoadProblem {
    None,
    File,              // Read says why
    NotANumber,        // a numeric line holds no number
    OutOfRange,        // a value outside its field's range
    Missing,           // the file ends before a numeric line
    MissingLine,       // the file ends before a text line (1, 9, 10 or 11)
    Incomplete,        // the file ends inside line 11, before its line end
    TooLong,           // a line longer than kFunctionFileLineLimit
    NotText,           // a byte that no text holds (NUL, a control byte but CR, LF and Tab)
    BadBound,          // an argument bound is no number
    BoundsOutOfOrder,  // the lower bound (line 10) is not below the upper one (line 11)
};

struct LoadError {
    LoadProblem Kind = LoadProblem::None;
    int Line = 0;  // the failing line
    FileResult Read;
};

// A parsed and checked file, or why it is refused.
struct FunctionFileParse {
    std::optional<FunctionFile> File;
    LoadError Error;
};

// Reads the lines and checks every value against the ranges the parameter fields enforce; the
// first failing line refuses the whole file, and so does a file that lacks a line it needs, has
// a line over the limit or holds a byte that cannot be text (anywhere before a Ctrl-Z).
FunctionFileParse ParseFunctionFile(std::string_view bytes);

// Puts a checked file's values into the state; a bounded file sets both argument bounds.
void ApplyFunctionFile(const FunctionFile& file, ViewState& view, Engine& engine);

// Writes the file (the name as given).
FileResult SaveFunctionFile(const QString& path, const FunctionFile& file);
// Reads and parses the file (the name as given).
FunctionFileParse LoadFunctionFile(const QString& path);
