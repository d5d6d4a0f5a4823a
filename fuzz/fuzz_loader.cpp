// Fuzzes the function-file reader: arbitrary bytes are parsed and checked. A refusal must carry
// a message; an accepted file must hold values within the parameter ranges, and what it writes
// must read back: once written, a file reads back with the same values and writes the same
// bytes again. (The first writing may still change the bytes: values are rounded to ten
// decimals, and a negative value that rounds to zero, written -0.0000000000, reads back as a
// zero that is written without its sign.)
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/function_file.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool InRanges(const FunctionFile& file) {
    const auto scaleOk = [](ExtendedReal s) { return s >= kMinPixelSize && s <= kMaxPixelSize; };
    return scaleOk(file.PixelSizeX) && scaleOk(file.PixelSizeY) && file.SamplesPerPixel >= 1 &&
           file.IndexFrom >= 0 && file.IndexFrom < file.IndexTo && file.IndexTo <= kMaxIndex &&
           (!file.Bounded || file.ArgumentFrom < file.ArgumentTo);
}

// The exponent form keeps two digits, so a value near the top of the extended range is written
// as a text beyond it; such a file is not expected to read back.
bool WritesReadably(const FunctionFile& file) {
    constexpr ExtendedReal kLargest = 1e4932L;
    return std::fabs(file.ValueA) < kLargest && std::fabs(file.ConstantC) < kLargest;
}

bool SameValues(const FunctionFile& a, const FunctionFile& b) {
    return a.Expression == b.Expression && a.PixelSizeX == b.PixelSizeX &&
           a.PixelSizeY == b.PixelSizeY && a.SamplesPerPixel == b.SamplesPerPixel &&
           a.IndexFrom == b.IndexFrom && a.IndexTo == b.IndexTo && a.ValueA == b.ValueA &&
           a.ConstantC == b.ConstantC && a.Bounded == b.Bounded &&
           a.LowerBoundText == b.LowerBoundText && a.UpperBoundText == b.UpperBoundText &&
           a.ArgumentFrom == b.ArgumentFrom && a.ArgumentTo == b.ArgumentTo;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const FunctionFileParse first = ParseFunctionFile(bytes);
    if (!first.File) {
        Require(first.Error.Kind != LoadProblem::None);
        return 0;
    }
    Require(first.Error.Kind == LoadProblem::None);
    Require(InRanges(*first.File));
    if (!WritesReadably(*first.File)) return 0;

    const FunctionFileParse second = ParseFunctionFile(FunctionFileBytes(*first.File));
    Require(second.File.has_value());
    const std::string written = FunctionFileBytes(*second.File);
    const FunctionFileParse third = ParseFunctionFile(written);
    Require(third.File.has_value());
    Require(SameValues(*second.File, *third.File));
    Require(FunctionFileBytes(*third.File) == written);
    return 0;
}
